#include "platform/hid/hidraw_watcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/hid/hidraw_enumeration.h"

namespace dlk {

HidrawWatcher::HidrawWatcher(std::string dev_dir) : dev_dir_(std::move(dev_dir)) {}

HidrawWatcher::~HidrawWatcher() {
    Stop();
}

bool HidrawWatcher::Start() {
    if (fd_ >= 0) return true;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return false;
    constexpr std::uint32_t kMask = IN_CREATE | IN_ATTRIB | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR;
    if (::inotify_add_watch(fd, dev_dir_.c_str(), kMask) < 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return false;
    }
    fd_ = fd;
    return true;
}

void HidrawWatcher::Stop() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool HidrawWatcher::WaitForChanges(std::chrono::milliseconds timeout) const {
    if (fd_ < 0) return false;
    pollfd p{fd_, POLLIN, 0};
    int n;
    do {
        n = ::poll(&p, 1, static_cast<int>(timeout.count()));
    } while (n < 0 && errno == EINTR);
    return n > 0 && (p.revents & POLLIN);
}

std::vector<HidrawChange> HidrawWatcher::TakeChanges() {
    std::vector<HidrawChange> changes;
    if (fd_ < 0) return changes;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            break;  // EAGAIN: nothing more waiting
        }
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            const char* name_start = buffer + offset + sizeof(inotify_event);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.len == 0) continue;
            const std::string name(name_start, ::strnlen(name_start, event.len));
            if (!IsHidrawName(name) || (event.mask & IN_ISDIR)) continue;
            const bool removed = event.mask & (IN_DELETE | IN_MOVED_FROM);
            changes.push_back(
                {removed ? HidrawChangeKind::Removed : HidrawChangeKind::Arrived, name, dev_dir_ + "/" + name});
        }
    }
    return changes;
}

}  // namespace dlk
