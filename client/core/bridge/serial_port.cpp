#include "client/core/bridge/serial_port.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace dlk {
namespace {

// How long a reader whose device misbehaves waits before looking again.
constexpr int kFailedDeviceIdleMs = 100;

}  // namespace

bool serial_port::OpenDevice() {
    std::lock_guard lock(deviceLock_);
    lastOpen_ = pty_.Open(linkPath_);
    return lastOpen_ == PseudoTerminal::OpenResult::Opened;
}

void serial_port::CloseDevice() {
    std::lock_guard lock(deviceLock_);
    pty_.Close();
}

void serial_port::Write(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(deviceLock_);
    pty_.WriteSome(bytes);
}

void serial_port::Execute() {
    const int device = pty_.MasterFd();
    while (!StopRequested()) {
        pollfd waits[3] = {{device, POLLIN, 0}, {Wake().Fd(), POLLIN, 0}, {pty_.OpenWatchFd(), POLLIN, 0}};
        if (::poll(waits, 3, -1) < 0) {
            if (errno != EINTR) IdleUntilWoken(Wake(), kFailedDeviceIdleMs);
            continue;
        }
        if (waits[1].revents != 0) continue;  // the terminate request is looked at above
        if (waits[2].revents != 0) {
            // Seen at once, so a program that leaves takes its unread bytes
            // with it rather than leaving them for the next one.
            std::lock_guard lock(deviceLock_);
            pty_.TakeOpenEvents();
        }
        if (waits[0].revents == 0) continue;

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

}  // namespace dlk
