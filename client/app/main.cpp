#include <QApplication>
#include <memory>

#include "client/app/unit1.h"
#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "client/core/link/link_messages.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "framework/application/termination_signals.h"
#include "platform/instance_lock/instance_lock.h"

namespace dlk::client {

// A second copy would fight the first for the port and the local side.
bool IsAlreadyRunning(InstanceLock& lock) {
    return lock.Acquire("DLK_client") == InstanceLock::Result::AlreadyRunning;
}

}  // namespace dlk::client

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    dlk::InstanceLock lock;
    if (dlk::client::IsAlreadyRunning(lock)) {
        dlk::MessageBox(nullptr, dlk::client::kAlreadyRunning, dlk::client::kProgramCaption,
                        dlk::MB_OK | dlk::MB_ICONINFORMATION);
        return 0;
    }
    dlk::TApplication& app = dlk::Application();
    app.Initialize();
    app.Title = dlk::client::kProgramCaption;
    std::unique_ptr<dlk::client::TForm1> form;
    // Asked to end from outside (kill, logout, Ctrl+C): the same as "Выход"
    // answered with Yes, so the settings are saved and the relay server is
    // logged off as the window goes.
    dlk::TerminationSignals endRequests([&](int) {
        if (form) form->Hide();
        app.Terminate();
    });
    dlk::Guarded([&] {
        dlk::client::ShellEnvironment environment;
        environment.SettingsDialog = dlk::client::OpenSettingsDialog;
        environment.PropertiesDialog = dlk::client::OpenModemProperties;
        form = std::make_unique<dlk::client::TForm1>(nullptr, std::move(environment));
        form->MakeMainForm();
    });
    if (!form) return 1;
    app.Run();
    form.reset();
    return 0;
}
