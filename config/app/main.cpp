// DLK_config: finds the modem unit on USB, shows and writes its settings.
#include <QApplication>
#include <memory>

#include "config/app/config_texts.h"
#include "config/app/unit1.h"
#include "config/app/unit2.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "framework/application/termination_signals.h"
#include "platform/instance_lock/instance_lock.h"

namespace dlk::config {

// Two copies would fight over the one unit, which opens for one program only.
bool IsAlreadyRunning(InstanceLock& lock) {
    return lock.Acquire(config_texts::kProgramName) == InstanceLock::Result::AlreadyRunning;
}

}  // namespace dlk::config

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    dlk::InstanceLock lock;
    if (dlk::config::IsAlreadyRunning(lock)) {
        dlk::MessageBox(nullptr, dlk::config::config_texts::kAlreadyRunning, dlk::config::config_texts::kTitle,
                        dlk::MB_OK | dlk::MB_ICONINFORMATION);
        return 0;
    }
    dlk::TApplication& app = dlk::Application();
    app.Initialize();
    app.Title = dlk::config::config_texts::kTitle;
    std::unique_ptr<dlk::config::TForm1> form;
    std::unique_ptr<dlk::config::TForm2> panel;
    dlk::TerminationSignals endRequests([&](int) {
        if (form) form->Hide();
        app.Terminate();
    });
    dlk::Guarded([&] {
        form = std::make_unique<dlk::config::TForm1>(nullptr);
        form->MakeMainForm();
        panel = std::make_unique<dlk::config::TForm2>(form.get());
        form->Form2 = panel.get();
        form->Show();
    });
    if (!form || !panel) return 1;
    app.Run();
    panel.reset();
    form.reset();
    return 0;
}
