// DLK_server_edit: edits the relay server's port, client accounts and modem
// records in the account files of the current folder.
#include <QApplication>

#include "framework/application/application.h"
#include "framework/application/termination_signals.h"
#include "server_edit/app/unit1.h"
#include "server_edit/core/editor_texts.h"

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    dlk::TApplication& application = dlk::Application();
    dlk::server_edit::TForm1* form = nullptr;
    // Asked to end from outside: nobody answered "Yes", so nothing is saved.
    // Heard from before the window is built: a request that comes while a
    // start-up notice waits for the user ends the program the same way.
    dlk::TerminationSignals endRequests([&](int) {
        if (form != nullptr) form->Hide();
        application.Terminate();
    });
    application.Initialize();
    application.Title = dlk::server_edit::editor_texts::kTitle;
    form = new dlk::server_edit::TForm1(nullptr);
    form->MakeMainForm();
    if (!application.Terminated()) form->Show();
    application.Run();
    delete form;
    return 0;
}
