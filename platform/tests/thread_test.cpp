#include "platform/thread/thread.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace dlk {
namespace {

using namespace std::chrono_literals;

// A worker that waits on a descriptor, as the link's threads do, until its
// terminate request wakes it.
class Waiter final : public TThread {
public:
    Waiter() : TThread("waiter") {}
    ~Waiter() override {
        Stop();
        ::close(event_);
    }
    std::atomic<int> runs{0};
    std::atomic<bool> named{false};

private:
    void Execute() override {
        ++runs;
        char name[16] = {};
        pthread_getname_np(pthread_self(), name, sizeof name);
        named = std::string(name) == "waiter";
        while (!Terminated()) {
            pollfd p{event_, POLLIN, 0};
            ::poll(&p, 1, -1);
        }
    }
    void WakeUp() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(event_, &one, sizeof one);
    }
    const int event_ = ::eventfd(0, EFD_CLOEXEC);
};

TEST(TThread, CreatedSuspendedResumedStoppedByTerminateAndWake) {
    Waiter w;
    w.SetPriority(TThreadPriority::tpLower);
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(w.Running());
    EXPECT_EQ(w.runs, 0);

    w.Resume();
    EXPECT_TRUE(w.Running());
    w.Resume();  // running: left alone
    const auto start = std::chrono::steady_clock::now();
    w.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);  // the blocked poll was woken
    EXPECT_FALSE(w.Running());
    EXPECT_TRUE(w.Terminated());
    EXPECT_TRUE(w.named);

    // Stopped, it starts afresh.
    w.Resume();
    EXPECT_FALSE(w.Terminated());
    w.Stop();
    EXPECT_EQ(w.runs, 2);
}

}  // namespace
}  // namespace dlk
