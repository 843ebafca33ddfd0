#pragma once

#include <filesystem>
#include <string_view>

namespace dlk {

// One running copy of a program per user. The lock is a file named after
// the program in the user's runtime folder, held with flock: the kernel
// lets go when the process ends however it ends, so a crash never leaves a
// stale lock, and no other user can reach the file to take it first.
class InstanceLock {
public:
    enum class Result {
        Acquired,        // this process is the only copy
        AlreadyRunning,  // another process holds the lock
        Unavailable,     // no lock file could be had: the program runs unguarded
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock at LockPath(program); kept until Release or destruction.
    Result Acquire(std::string_view program);
    void Release();
    bool Held() const { return fd_ >= 0; }

    // <runtime folder>/<program>.lock; empty without a runtime folder.
    static std::filesystem::path LockPath(std::string_view program);

private:
    int fd_ = -1;
};

}  // namespace dlk
