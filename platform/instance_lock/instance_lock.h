#pragma once

#include <string>
#include <string_view>

namespace dlk {

// One running copy of a program per user. The lock is an abstract local
// socket named after the program and the user id: the kernel drops it when
// the process ends however it ends, so a crash never leaves a stale lock.
class InstanceLock {
public:
    enum class Result {
        Acquired,        // this process is the only copy
        AlreadyRunning,  // another process holds the name
        Unavailable,     // no socket could be made: the program runs unguarded
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock named LockName(program); kept until Release or destruction.
    Result Acquire(std::string_view program);
    void Release();
    bool Held() const { return fd_ >= 0; }

    static std::string LockName(std::string_view program);

private:
    int fd_ = -1;
};

}  // namespace dlk
