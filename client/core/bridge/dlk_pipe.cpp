#include "client/core/bridge/dlk_pipe.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "client/core/bridge/local_block.h"

namespace dlk {
namespace {

constexpr int kFailedWaitIdleMs = 100;

}  // namespace

bool dlk_pipe::OpenDevice() {
    // A client that leaves while a reply is on its way must not end the
    // program; sends say MSG_NOSIGNAL as well.
    std::signal(SIGPIPE, SIG_IGN);
    lastOpen_ = server_.Listen(name_);
    return lastOpen_ == MessageSocketServer::ListenResult::Listening;
}

void dlk_pipe::CloseDevice() {
    SetClient(-1);
    server_.Close();
}

void dlk_pipe::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;  // an empty message would read as a hang-up to some clients
    std::lock_guard lock(clientLock_);
    SendMessage(client_, bytes);
}

bool dlk_pipe::ClientConnected() const {
    std::lock_guard lock(clientLock_);
    return client_ >= 0;
}

void dlk_pipe::SetClient(int client) {
    std::lock_guard lock(clientLock_);
    if (client_ >= 0) ::close(client_);
    client_ = client;
}

void dlk_pipe::Execute() {
    int client = -1;
    while (!StopRequested()) {
        if (client < 0) client = WaitForClient();
        if (client < 0) continue;
        SetClient(client);
        client = Serve(client);
    }
    if (client >= 0) ::close(client);  // a successor accepted just as the thread was stopped
}

int dlk_pipe::WaitForClient() {
    pollfd waits[2] = {{server_.ListenFd(), POLLIN, 0}, {Wake().Fd(), POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0) {
        if (errno != EINTR) IdleUntilWoken(Wake(), kFailedWaitIdleMs);
        return -1;
    }
    if (waits[1].revents != 0) return -1;
    if (waits[0].revents & (POLLERR | POLLNVAL)) {
        IdleUntilWoken(Wake(), kFailedWaitIdleMs);
        return -1;
    }
    return server_.AcceptPeer();
}

int dlk_pipe::Serve(int client) {
    while (!StopRequested()) {
        pollfd waits[3] = {{client, POLLIN, 0}, {server_.ListenFd(), POLLIN, 0}, {Wake().Fd(), POLLIN, 0}};
        if (::poll(waits, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (waits[2].revents != 0) continue;
        if (waits[0].revents != 0 && !DrainClient(client)) break;
        if (waits[1].revents == 0) continue;

        const int newcomer = server_.AcceptPeer();
        if (newcomer < 0) continue;
        if (!HasGone(client)) {
            // One client at a time: the newcomer is told at once.
            ::close(newcomer);
            continue;
        }
        // The client left just as the next one came: it is the successor,
        // once the last messages of the one leaving are passed on.
        DrainClient(client);
        SetClient(-1);
        return newcomer;
    }
    SetClient(-1);
    return -1;
}

bool dlk_pipe::HasGone(int client) {
    pollfd p{client, POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL)) != 0;
}

bool dlk_pipe::DrainClient(int client) {
    for (;;) {
        switch (receiver_.Receive(client)) {
            case MessageReceiver::Status::Message: {
                const auto message = receiver_.Message();
                for (std::size_t offset = 0; offset < message.size(); offset += kLocalBlockSize) {
                    Forward(message.subspan(offset, std::min(kLocalBlockSize, message.size() - offset)));
                }
                break;
            }
            case MessageReceiver::Status::Empty: break;
            case MessageReceiver::Status::NothingYet: return true;
            case MessageReceiver::Status::HungUp: return false;
        }
        if (StopRequested()) return true;
    }
}

}  // namespace dlk
