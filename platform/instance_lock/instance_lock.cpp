#include "platform/instance_lock/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/runtime_folder/runtime_folder.h"

namespace dlk {

InstanceLock::~InstanceLock() {
    Release();
}

std::filesystem::path InstanceLock::LockPath(std::string_view program) {
    if (program.empty() || program.find('/') != std::string_view::npos) return {};
    return InRuntimeFolder(std::string(program) + ".lock");
}

InstanceLock::Result InstanceLock::Acquire(std::string_view program) {
    Release();
    const std::filesystem::path path = LockPath(program);
    if (path.empty()) return Result::Unavailable;
    // Close-on-exec: a program started from here must not inherit the lock.
    // The file itself stays between runs; only the lock on it comes and goes.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) return Result::Unavailable;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::AlreadyRunning : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

void InstanceLock::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace dlk
