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
    application.Initialize();
    application.Title = dlk::editor_texts::kTitle;
    auto* form = new dlk::TForm1(nullptr);
    form->MakeMainForm();
    form->Show();
    // Asked to end from outside: nobody answered "Yes", so nothing is saved.
    dlk::TerminationSignals endRequests([&](int) {
        form->Hide();
        application.Terminate();
    });
    application.Run();
    delete form;
    return 0;
}
