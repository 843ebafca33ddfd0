#include "client/core/bridge/serial_port.h"

#include <poll.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace dlk::client {
namespace {

// How long a reader whose device misbehaves waits before looking again.
constexpr int kFailedDeviceIdleMs = 100;
// A batch is at most the receiver's batch of datagrams.
constexpr std::size_t kMostBlocksPerWrite = 64;

// One write of parts in order, at most kMostBlocksPerWrite of them; the
// bytes taken, or -1.
ssize_t WriteParts(int fd, std::span<const std::span<const std::uint8_t>> parts) {
    std::array<iovec, kMostBlocksPerWrite> vectors;
    const std::size_t count = std::min(parts.size(), vectors.size());
    for (std::size_t i = 0; i < count; ++i) vectors[i] = {const_cast<std::uint8_t*>(parts[i].data()), parts[i].size()};
    ssize_t n;
    do {
        n = ::writev(fd, vectors.data(), static_cast<int>(count));
    } while (n < 0 && errno == EINTR);
    return n;
}

}  // namespace

bool serial_port::OpenDevice() {
    std::lock_guard lock(io_lock_);
    last_open_ = pty_.Open(link_path_);
    return last_open_ == PseudoTerminal::OpenResult::Opened;
}

void serial_port::CloseDevice() {
    std::lock_guard lock(io_lock_);
    pty_.Close();
}

void serial_port::TakeOpenEvents() {
    pty_.TakeOpenEvents();
    // A program that has left takes its unread bytes with it, the queued
    // ones too, rather than leaving them for the next one.
    if (!pty_.ProgramHasPortOpen()) queue_.Clear();
}

void serial_port::WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) {
    std::lock_guard lock(io_lock_);
    if (!pty_.IsOpen() || blocks.empty()) return;
    // Once a batch: a program that opened the port just now gets what
    // follows, one that closed it nothing more.
    TakeOpenEvents();
    if (!pty_.ProgramHasPortOpen()) return;

    const bool wasEmpty = queue_.Empty();
    std::size_t first = 0;   // the first block not written whole
    std::size_t offset = 0;  // how much of it was written
    if (wasEmpty) {
        const ssize_t written = WriteParts(pty_.MasterFd(), blocks);
        auto left = static_cast<std::size_t>(std::max<ssize_t>(written, 0));  // full, or failing: all of it waits
        while (first < blocks.size() && left >= blocks[first].size()) left -= blocks[first++].size();
        offset = left;
    }
    for (std::size_t i = first; i < blocks.size(); ++i) queue_.Push(blocks[i].subspan(i == first ? offset : 0));
    KickIfQueued(wasEmpty);
}

void serial_port::WriteQueued() {
    std::array<std::span<const std::uint8_t>, 2> waiting;
    const std::size_t count = queue_.Waiting(waiting);
    const ssize_t written = WriteParts(pty_.MasterFd(), std::span(waiting).first(count));
    if (written > 0) queue_.Consume(static_cast<std::size_t>(written));
}

void serial_port::Execute() {
    const int device = pty_.MasterFd();
    while (!StopRequested()) {
        const short deviceEvents = static_cast<short>(POLLIN | (HasQueued() ? POLLOUT : 0));
        pollfd waits[4] = {{device, deviceEvents, 0},
                           {Wake().Fd(), POLLIN, 0},
                           {pty_.OpenWatchFd(), POLLIN, 0},
                           {Kick().Fd(), POLLIN, 0}};
        if (::poll(waits, 4, -1) < 0) {
            if (errno != EINTR) IdleUntilWoken(Wake(), kFailedDeviceIdleMs);
            continue;
        }
        if (waits[1].revents != 0) continue;        // the terminate request is looked at above
        if (waits[3].revents != 0) Kick().Clear();  // the next pass waits for POLLOUT too
        if (waits[2].revents != 0) {
            // Seen at once, so a program that leaves takes its unread bytes
            // with it rather than leaving them for the next one.
            std::lock_guard lock(io_lock_);
            TakeOpenEvents();
        }
        if (waits[0].revents & POLLOUT) {
            std::lock_guard lock(io_lock_);
            WriteQueued();
        }
        if ((waits[0].revents & ~POLLOUT) == 0) continue;

        const ssize_t count = ::read(device, block_.data(), block_.size());
        if (count > 0) {
            Forward(std::span<const std::uint8_t>(block_.data(), static_cast<std::size_t>(count)));
        } else if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        } else {
            // Hang-up or a failed read: with our own slave end held open this
            // should not happen, and if it does the reader must not spin.
            IdleUntilWoken(Wake(), kFailedDeviceIdleMs);
        }
    }
}

}  // namespace dlk::client
