#include "client/core/bridge/dlk_pipe.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>

#include "client/core/bridge/local_block.h"

namespace dlk::client {
namespace {

constexpr int kFailedWaitIdleMs = 100;

enum class SendOutcome { Sent, Full, Failed };

// One message from up to two parts (a block, or one the queue's ring
// wraps), without waiting and without SIGPIPE.
SendOutcome SendParts(int client, std::span<const std::span<const std::uint8_t>> parts) {
    std::array<iovec, 2> vectors;
    const std::size_t count = std::min(parts.size(), vectors.size());
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i) {
        vectors[i] = {const_cast<std::uint8_t*>(parts[i].data()), parts[i].size()};
        length += parts[i].size();
    }
    msghdr message{};
    message.msg_iov = vectors.data();
    message.msg_iovlen = count;
    ssize_t n;
    do {
        n = ::sendmsg(client, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n >= 0 && static_cast<std::size_t>(n) == length) return SendOutcome::Sent;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS)) return SendOutcome::Full;
    return SendOutcome::Failed;
}

}  // namespace

bool dlk_pipe::OpenDevice() {
    // A client that leaves while a reply is on its way must not end the
    // program; sends say MSG_NOSIGNAL as well.
    std::signal(SIGPIPE, SIG_IGN);
    last_open_ = server_.Listen(name_);
    return last_open_ == MessageSocketServer::ListenResult::Listening;
}

void dlk_pipe::CloseDevice() {
    SetClient(-1);
    server_.Close();
}

void dlk_pipe::WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) {
    std::lock_guard lock(io_lock_);
    if (client_ < 0) return;
    const bool wasEmpty = queue_.Empty();
    for (const auto block : blocks) {
        if (block.empty()) continue;  // an empty message would read as a hang-up to some clients
        if (queue_.Empty()) {
            const SendOutcome sent = SendParts(client_, {&block, 1});
            // A client that has failed is the reader's to notice.
            if (sent != SendOutcome::Full) continue;
        }
        queue_.Push(block);
    }
    KickIfQueued(wasEmpty);
}

void dlk_pipe::SendQueued() {
    while (!queue_.Empty()) {
        std::array<std::span<const std::uint8_t>, 2> parts;
        const std::size_t count = queue_.FrontBlock(parts);
        const SendOutcome sent = SendParts(client_, std::span(parts).first(count));
        if (sent == SendOutcome::Full) return;
        if (sent == SendOutcome::Failed) {
            queue_.Clear();
            return;
        }
        queue_.Consume(parts[0].size() + (count > 1 ? parts[1].size() : 0));
    }
}

bool dlk_pipe::ClientConnected() const {
    std::lock_guard lock(io_lock_);
    return client_ >= 0;
}

void dlk_pipe::SetClient(int client) {
    std::lock_guard lock(io_lock_);
    if (client_ >= 0) ::close(client_);
    client_ = client;
    // What the last client did not take is not the next one's.
    queue_.Clear();
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
        const short clientEvents = static_cast<short>(POLLIN | (HasQueued() ? POLLOUT : 0));
        pollfd waits[4] = {{client, clientEvents, 0},
                           {server_.ListenFd(), POLLIN, 0},
                           {Wake().Fd(), POLLIN, 0},
                           {Kick().Fd(), POLLIN, 0}};
        if (::poll(waits, 4, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (waits[2].revents != 0) continue;
        if (waits[3].revents != 0) Kick().Clear();  // the next pass waits for POLLOUT too
        if (waits[0].revents & POLLOUT) {
            std::lock_guard lock(io_lock_);
            SendQueued();
        }
        if ((waits[0].revents & ~POLLOUT) != 0 && !DrainClient(client)) break;
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

}  // namespace dlk::client
