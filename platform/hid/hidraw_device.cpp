#include "platform/hid/hidraw_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace dlk {
namespace {

using Clock = std::chrono::steady_clock;

bool MeansGone(int err) {
    switch (err) {
        case ENODEV:
        case ENXIO:
        case EIO:
        case EPIPE:
        case ESHUTDOWN:
        case ECONNRESET:
        case ENOTCONN:
        case EBADF: return true;
        default: return false;
    }
}

// Waits until fd is ready for `events` or the deadline passes. Returns the
// returned events, 0 on time-out, -1 with errno on failure.
int WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int wait_ms = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, wait_ms);
        if (n > 0) return p.revents;
        if (n == 0) {
            if (Clock::now() >= deadline) return 0;
            continue;  // poll rounds down; wait out the remainder
        }
        if (errno != EINTR) return -1;
    }
}

}  // namespace

std::unique_ptr<HidrawDevice> HidrawDevice::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return nullptr;
    }
    return std::make_unique<HidrawDevice>(fd);
}

HidrawDevice::HidrawDevice(int fd) : fd_(fd) {
    if (fd_ >= 0) {
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags >= 0) ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    }
}

HidrawDevice::~HidrawDevice() {
    Close();
}

void HidrawDevice::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

HidIoStatus HidrawDevice::StatusForError(int err) {
    if (MeansGone(err)) {
        Close();
        return HidIoStatus::Gone;
    }
    return HidIoStatus::Failed;
}

HidIoStatus HidrawDevice::WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return HidIoStatus::Failed;
    if (report.empty()) return HidIoStatus::Failed;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const int ready = WaitFor(fd_, POLLOUT, deadline);
        if (ready < 0) return StatusForError(errno);
        if (ready == 0) return HidIoStatus::TimedOut;
        // A hung-up peer is not written to: that would only raise SIGPIPE.
        if (ready & (POLLHUP | POLLERR | POLLNVAL)) return StatusForError(ENODEV);
        const ssize_t n = ::write(fd_, report.data(), report.size());
        if (n == static_cast<ssize_t>(report.size())) return HidIoStatus::Ok;
        if (n >= 0) return HidIoStatus::Failed;  // a report goes whole or not at all
        if (errno == EAGAIN || errno == EINTR) continue;
        return StatusForError(errno);
    }
}

HidReadResult HidrawDevice::ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) {
    if (fd_ < 0 || into.empty()) return {HidIoStatus::Failed, 0};
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const int ready = WaitFor(fd_, POLLIN, deadline);
        if (ready < 0) return {StatusForError(errno), 0};
        if (ready == 0) return {HidIoStatus::TimedOut, 0};
        if (!(ready & POLLIN)) return {StatusForError(ENODEV), 0};
        const ssize_t n = ::read(fd_, into.data(), into.size());
        if (n > 0) return {HidIoStatus::Ok, static_cast<std::size_t>(n)};
        if (n == 0) return {StatusForError(ENODEV), 0};  // end of stream: the other end left
        if (errno == EAGAIN || errno == EINTR) continue;
        return {StatusForError(errno), 0};
    }
}

void HidrawDevice::DiscardInput() {
    // Bounded, so a device that reports without pause cannot hold us here.
    std::uint8_t scratch[256];
    for (int i = 0; i < 1024 && fd_ >= 0; ++i) {
        const ssize_t n = ::read(fd_, scratch, sizeof scratch);
        if (n > 0) continue;
        if (n == 0) {
            StatusForError(ENODEV);
            return;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) StatusForError(errno);
        return;
    }
}

}  // namespace dlk
