#pragma once

#include <QIcon>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/component.h"

class QWidget;

namespace dlk {

class TApplicationEvents;

// The program's application object: its title (the caption of its error
// boxes), its icon, the idle and hint events, and the run/terminate pair. A
// Qt application object must exist before Run.
class TApplication {
public:
    std::string Title;
    // Raised when the event loop is about to wait for new events.
    std::function<void(TObject* sender, bool& done)> OnIdle;

    // Hidden windows and closed dialogs never end the program; only Terminate does.
    void Initialize();
    // Runs the event loop until Terminate; returns at once when Terminate
    // came first (Qt's quit before exec would be lost).
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Lets a new run begin (tests run several programs in one process).
    void Reset();

    // The idle event; also called by tests, since processEvents does not idle.
    // OnIdle first, then every TApplicationEvents' OnIdle, each guarded.
    void DoIdle();

    // The hint of the control under the mouse pointer (or of its nearest
    // parent with one); empty outside the program's windows. OnHint, and
    // every TApplicationEvents' OnHint, follow each change.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TNotifyEvent OnHint;
    // Takes down the hint window now showing, so the next hint shows afresh.
    void CancelHint();

    // Runs what is pending in the event queue, and returns.
    void ProcessMessages();
    // The same, leaving the user's input (keys, mouse) queued for later:
    // paints, timers and posted messages still run.
    void ProcessMessagesExceptInput();

    // What every entry from Qt does with an escaped exception: a box captioned
    // with the title, then the program goes on.
    void HandleException(const std::string& message);
    void ShowException(const std::exception& e) { HandleException(e.what()); }

    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);

    QWidget* MainWindow = nullptr;  // owner of the application's boxes
    void SetIcon(const QIcon& icon);
    const QIcon& Icon() const { return icon_; }

private:
    friend class TApplicationEvents;
    std::vector<TApplicationEvents*> events_;
    std::string hint_;
    bool terminated_ = false;
    bool idle_hooked_ = false;
    bool in_idle_ = false;
    QIcon icon_;
};

TApplication& Application();

// One more subscriber to the application's events, for a component that
// needs them without taking Application().OnIdle from the program.
class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* owner);
    ~TApplicationEvents() override;
    std::function<void(TObject* sender, bool& done)> OnIdle;
    TNotifyEvent OnHint;
};

// Runs f; an exception it throws is shown and goes no further. Every call
// from Qt into program code passes through here.
template <class F>
void Guarded(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        try {
            Application().HandleException(e.what());
        } catch (...) {}
    } catch (...) {
        try {
            Application().HandleException("Неизвестная ошибка");
        } catch (...) {}
    }
}

}  // namespace dlk
