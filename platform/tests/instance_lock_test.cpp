#include "platform/instance_lock/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

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

TEST(InstanceLockTest, NameCarriesTheProgramAndTheUser) {
    EXPECT_EQ(InstanceLock::LockName("DLK_client"), "DLK_client." + std::to_string(::getuid()));
}

}  // namespace
}  // namespace dlk
