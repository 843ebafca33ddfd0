#include "platform/instance_lock/instance_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "platform/runtime_folder/runtime_folder.h"

namespace dlk {
namespace {

// A program name no other test or running program uses.
std::string UniqueProgram() {
    static int counter = 0;
    return "dlk_lock_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

TEST(InstanceLockTest, SecondHolderOfTheNameIsTurnedAwayUntilTheFirstLetsGo) {
    const std::string program = UniqueProgram();
    InstanceLock first;
    InstanceLock second;
    EXPECT_EQ(first.Acquire(program), InstanceLock::Result::Acquired);
    EXPECT_TRUE(first.Held());
    EXPECT_EQ(second.Acquire(program), InstanceLock::Result::AlreadyRunning);
    EXPECT_FALSE(second.Held());

    InstanceLock other;
    EXPECT_EQ(other.Acquire(program + "_other"), InstanceLock::Result::Acquired);

    first.Release();
    EXPECT_EQ(second.Acquire(program), InstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, LockDiesWithTheProcessThatHeldIt) {
    const std::string program = UniqueProgram();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock lock;
        const char ok = lock.Acquire(program) == InstanceLock::Result::Acquired ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();  // killed below, without any chance to release
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y');
    InstanceLock mine;
    EXPECT_EQ(mine.Acquire(program), InstanceLock::Result::AlreadyRunning);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(mine.Acquire(program), InstanceLock::Result::Acquired);
    ::close(ready[0]);
    ::close(ready[1]);
}

// A file of the user's alone, in a folder no other user can enter.
TEST(InstanceLockTest, LockIsAPrivateFileOtherUsersCannotReach) {
    const std::string program = UniqueProgram();
    const std::string path = InstanceLock::LockPath(program);
    EXPECT_EQ(path, (*UserRuntimeFolder() / (program + ".lock")).string());
    InstanceLock lock;
    ASSERT_EQ(lock.Acquire(program), InstanceLock::Result::Acquired);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (::geteuid() != 0) return;  // no other user to try with
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setresuid(65534, 65534, 65534) != 0) ::_exit(2);
        ::_exit(::open(path.c_str(), O_RDONLY) < 0 && errno == EACCES ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace dlk
