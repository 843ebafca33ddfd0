#include "framework/application/termination_signals.h"

#include <QSocketNotifier>

#include "framework/application/application.h"
#include "platform/signals/termination_pipe.h"

namespace dlk {

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal) : on_signal_(std::move(onSignal)) {
    const int fd = TerminationPipe::Open();
    if (fd < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        while (const auto number = TerminationPipe::Take()) {
            if (on_signal_) Guarded([&] { on_signal_(*number); });
        }
    });
}

TerminationSignals::~TerminationSignals() {
    notifier_.reset();
    TerminationPipe::Close();
}

}  // namespace dlk
