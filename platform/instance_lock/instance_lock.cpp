#include "platform/instance_lock/instance_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace dlk {

InstanceLock::~InstanceLock() {
    Release();
}

std::string InstanceLock::LockName(std::string_view program) {
    return std::string(program) + "." + std::to_string(::getuid());
}

InstanceLock::Result InstanceLock::Acquire(std::string_view program) {
    Release();
    const std::string name = LockName(program);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // Abstract namespace: a leading zero byte, then the name; no file is made.
    const std::size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);

    // Close-on-exec: a program started from here must not inherit the lock.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Result::Unavailable;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EADDRINUSE ? Result::AlreadyRunning : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

void InstanceLock::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace dlk
