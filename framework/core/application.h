#pragma once

#include <QIcon>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "framework/core/component.h"

class QWidget;

namespace dlk {

// The program's application object: its title (the caption of its error
// boxes), its icon, the idle event, and the run/terminate pair. A Qt
// application object must exist before Run.
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
    void DoIdle();

    // What every entry from Qt does with an escaped exception: a box captioned
    // with the title, then the program goes on.
    void HandleException(const std::string& message);
    void ShowException(const std::exception& e) { HandleException(e.what()); }

    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);

    QWidget* MainWindow = nullptr;  // owner of the application's boxes
    void SetIcon(const QIcon& icon);
    const QIcon& Icon() const { return icon_; }

private:
    bool terminated_ = false;
    bool idle_hooked_ = false;
    bool in_idle_ = false;
    QIcon icon_;
};

TApplication& Application();

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
