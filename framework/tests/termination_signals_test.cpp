#include "framework/core/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QTimer>
#include <vector>

#include "framework/controls/form.h"
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

// A window that declines to close, as a form asking its own question does,
// must not keep the program running.
TEST(TerminationSignals, EndTheProgramWhileAWindowDeclinesToClose) {
    EnsureApplication();
    Application().Reset();
    TForm form(nullptr);
    form.OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
    form.Show();
    TerminationSignals handler([](int) { Application().Terminate(); });
    QTimer watchdog;
    bool cutShort = false;
    watchdog.callOnTimeout([&] { cutShort = true, QCoreApplication::exit(1); });
    watchdog.start(3000);
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    Application().Run();
    EXPECT_FALSE(cutShort);
    Application().Reset();
}

}  // namespace
}  // namespace dlk
