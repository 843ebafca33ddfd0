#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTableWidget>
#include <QWindow>
#include <string>
#include <vector>

#include "framework/core/message_box.h"
#include "framework/tests/modal_user.h"
#include "server_edit/app/tests/qt_app.h"
#include "server_edit/app/unit1.h"
#include "server_edit/app/unit2.h"
#include "server_edit/app/unit3.h"
#include "server_edit/app/unit4.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk {
namespace {

using testing::ModalUser;

// The editor's dialogs through the real modal loop, closed from inside it;
// message boxes are real boxes too.
class EditorModalLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        Application().Reset();  // a window test before may have ended its program
        folder.Write(kServerFileName, {0x5A, 0x40, 0x1F});
        folder.Write(kUsersFileName, testing::Concat({testing::MakeClient(1, "alpha", "Alpha", "pa").bytes,
                                                      testing::MakeClient(2, "beta", "Beta", "pb").bytes,
                                                      testing::MakeClient(3, "gamma", "Gamma", "pc").bytes}));
        folder.Write(kModemsFileName,
                     testing::Concat({testing::MakeModem(4, *TextToImei("111111111111111"), "m1", "beta").bytes,
                                      testing::MakeModem(5, *TextToImei("222222222222222"), "m2", "alpha").bytes}));
        SetMessageBoxAnswerer([](const MessageBoxRequest& r) { return ShowMessageBoxWindow(r); });
        form = new TForm1(nullptr, folder.path());
        form->MakeMainForm();
        form->Show();
        QApplication::processEvents();
    }
    void TearDown() override {
        delete form;
        SetMessageBoxAnswerer(nullptr);
    }

    QWidget* Viewport(TListView& view) { return static_cast<QTableWidget*>(view.Widget())->viewport(); }
    void ClickRow(TListView& view, int row) {
        const TRect r = view.ItemRect(row);
        testing::ClickAt(Viewport(view), Viewport(view)->mapFrom(view.Widget(), QPoint(r.Left + 20, r.Top + 4)));
    }
    void Choose(TMenuItem* item) { form->MainMenu1->ActionOf(item)->trigger(); }

    // Nothing modal is left, and the main window's list takes a click on a
    // row and an arrow key.
    void ExpectTheMainWindowTakesInput() {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
        ClickRow(*form->ListView1, 2);
        EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(2));
        testing::PressKey(form->ListView1->Widget(), Qt::Key_Up);
        EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(1));
    }

    testing::TempFolder folder;
    TForm1* form = nullptr;
};

template <class Dialog>
Dialog& As(QWidget& modal) {
    auto* dialog = dynamic_cast<Dialog*>(ControlOfWidget(&modal));
    if (dialog == nullptr) throw std::logic_error("another window is modal: " + modal.windowTitle().toStdString());
    return *dialog;
}

enum class CloseBy { Ok, Cancel, CloseBox };

void CloseDialog(QWidget& modal, TButton* ok, TButton* cancel, CloseBy how) {
    switch (how) {
        case CloseBy::Ok: testing::ClickOn(ok->Widget()); break;
        case CloseBy::Cancel: testing::ClickOn(cancel->Widget()); break;
        case CloseBy::CloseBox: modal.windowHandle()->close(); break;
    }
}

TEST_F(EditorModalLoopTest, EveryDialogClosedFromItsLoopLeavesTheWindowTakingInput) {
    struct Case {
        const char* name;
        int list;  // the list focused before the command: 1 clients, 2 modems
        TMenuItem* TForm1::*command;
        CloseBy how;
        const char* title;
    };
    const std::vector<Case> cases = {
        {"client, OK", 1, &TForm1::N3, CloseBy::Ok, "свойства клиент"},
        {"client, Отмена", 1, &TForm1::N3, CloseBy::Cancel, "свойства клиент"},
        {"client, close box", 1, &TForm1::N1, CloseBy::CloseBox, "новый клиент"},
        {"modem, OK", 2, &TForm1::N3, CloseBy::Ok, "свойства модема"},
        {"modem, Отмена", 2, &TForm1::N1, CloseBy::Cancel, "новый модем"},
        {"modem, close box", 2, &TForm1::N3, CloseBy::CloseBox, "свойства модема"},
        {"port, OK", 1, &TForm1::N6, CloseBy::Ok, "порт сервера"},
        {"port, close box", 1, &TForm1::N6, CloseBy::CloseBox, "порт сервера"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->Widget()->activateWindow();  // the list clicked takes the focus and says so
        ClickRow(c.list == 1 ? *form->ListView1 : *form->ListView2, 0);
        ModalUser user;
        std::string shown;
        user.Then([&](QWidget& modal) {
            shown = modal.windowTitle().toStdString();
            if (auto* client = dynamic_cast<TForm2*>(ControlOfWidget(&modal)))
                CloseDialog(modal, client->Button1, client->Button2, c.how);
            else if (auto* modem = dynamic_cast<TForm3*>(ControlOfWidget(&modal)))
                CloseDialog(modal, modem->Button1, modem->Button2, c.how);
            else
                CloseDialog(modal, As<TForm4>(modal).Button1, nullptr, c.how);
        });
        Choose(form->*c.command);
        EXPECT_TRUE(user.Done());
        EXPECT_EQ(shown, c.title);
        ExpectTheMainWindowTakesInput();
    }
}

TEST_F(EditorModalLoopTest, ABoxFromTheDialogAndTheDialogShownAgain) {
    ModalUser user;
    user.Then([](QWidget& modal) {
            auto& port = As<TForm4>(modal);
            port.Edit1->SetText("70000");
            testing::ClickOn(port.Button1->Widget());
        })
        .Then([](QWidget& box) {
            auto* message = qobject_cast<QMessageBox*>(&box);
            EXPECT_EQ(message != nullptr ? message->text().toStdString() : "",
                      "Порт должен быть в пределах 1024..65535");
            testing::PressKey(&box, Qt::Key_Return);
        });
    Choose(form->N6);
    EXPECT_TRUE(user.Done());
    ExpectTheMainWindowTakesInput();

    user.Then([](QWidget& modal) {
        auto& port = As<TForm4>(modal);
        EXPECT_EQ(port.Edit1->Text(), "8000");
        port.Edit1->SetText("9000");
        testing::ClickOn(port.Button1->Widget());
    });
    Choose(form->N6);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(form->MainMenu1->ActionOf(form->N6)->text().toStdString(), "порт сервера: 9000");
    ExpectTheMainWindowTakesInput();
}

}  // namespace
}  // namespace dlk
