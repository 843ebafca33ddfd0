#include "framework/core/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <vector>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

using testing::EnsureApplication;
using testing::WaitUntil;

bool HasDefaultHandler(int number) {
    struct sigaction current {};
    ::sigaction(number, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

TEST(TerminationSignals, EachRequestToEndReachesTheEventLoopOnce) {
    EnsureApplication();
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        std::vector<int> seen;
        {
            TerminationSignals handler([&](int signal) { seen.push_back(signal); });
            ASSERT_EQ(::raise(number), 0);
            EXPECT_TRUE(seen.empty()) << "not from inside the signal handler";
            EXPECT_TRUE(WaitUntil([&] { return !seen.empty(); })) << number;
            EXPECT_EQ(seen, std::vector<int>{number});
            EXPECT_TRUE(HasDefaultHandler(number)) << "asked again, the program ends at once";
        }
        for (const int other : {SIGTERM, SIGINT, SIGHUP}) EXPECT_TRUE(HasDefaultHandler(other)) << other;
    }
}

}  // namespace
}  // namespace dlk
