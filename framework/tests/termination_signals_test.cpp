#include "framework/application/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QTimer>
#include <vector>

#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

bool HasDefaultHandler(int number) {
    struct sigaction current {};
    ::sigaction(number, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

// Each request reaches the event loop once, outside the signal handler, and
// ends the program even while a window declines to close (as a form asking
// its own question does).
TEST(TerminationSignals, EachRequestToEndEndsTheEventLoop) {
    testing::EnsureApplication();
    TForm form(nullptr);
    form.OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
    form.Show();
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        Application().Reset();
        std::vector<int> seen;
        {
            TerminationSignals handler([&](int signal) {
                seen.push_back(signal);
                Application().Terminate();
            });
            QTimer watchdog;
            watchdog.setSingleShot(true);
            watchdog.callOnTimeout([] { QCoreApplication::exit(1); });
            watchdog.start(3000);
            QTimer::singleShot(0, [number] { ::raise(number); });
            Application().Run();
            EXPECT_TRUE(watchdog.isActive()) << number << ": the program kept running";
            EXPECT_EQ(seen, std::vector<int>{number});
            EXPECT_TRUE(HasDefaultHandler(number)) << "asked again, the program ends at once";
        }
        for (const int other : {SIGTERM, SIGINT, SIGHUP}) EXPECT_TRUE(HasDefaultHandler(other)) << other;
    }
    Application().Reset();
}

}  // namespace
}  // namespace dlk
