#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace dlk {

// Delivers SIGTERM, SIGINT and SIGHUP to the event loop: onSignal runs
// there, between two events, like any other handler, so the program can end
// the way its own exit would. While this object lives it is the process's
// only one; the signals get their defaults back when it goes.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void(int)> on_signal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace dlk
