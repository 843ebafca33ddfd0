#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "framework/application/message_box.h"
#include "framework/tests/modal_user.h"
#include "server_edit/app/tests/qt_app.h"
#include "server_edit/app/unit1.h"
#include "server_edit/app/unit2.h"
#include "server_edit/app/unit3.h"
#include "server_edit/app/unit4.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::ClickOn;

// The editor's dialogs in the real modal loop, real message boxes too.
class EditorModalLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        Application().Reset();  // a window test before may have ended its program
        dlk::testing::ForgetEndedRuns();
        folder.Write(kServerFileName, {0x5A, 0x40, 0x1F});
        folder.Write(kUsersFileName, testing::Concat({testing::MakeClient(1, "alpha", "A", "pa").Bytes,
                                                      testing::MakeClient(2, "beta", "B", "pb").Bytes,
                                                      testing::MakeClient(3, "gamma", "C", "pc").Bytes}));
        folder.Write(kModemsFileName,
                     testing::Concat({testing::MakeModem(4, *TextToImei("111111111111111"), "m1", "beta").Bytes}));
        SetMessageBoxAnswerer([](const MessageBoxRequest& r) { return ShowMessageBoxWindow(r); });
        form = std::make_unique<TForm1>(nullptr, folder.path());
        form->MakeMainForm();
        form->Show();
    }
    void TearDown() override { SetMessageBoxAnswerer(nullptr); }

    void ClickRow(TListView& view, int row) {
        QWidget* viewport = static_cast<QTableWidget*>(view.Widget())->viewport();
        const TRect r = view.ItemRect(row);
        dlk::testing::ClickAt(viewport, viewport->mapFrom(view.Widget(), QPoint(r.Left + 20, r.Top + 4)));
    }
    void Choose(TMenuItem* item) { form->MainMenu1->ActionOf(item)->trigger(); }
    // Nothing modal is left; the client list takes a click and an arrow key.
    void ExpectTheMainWindowTakesInput() {
        EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
        ClickRow(*form->ListView1, 2);
        EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(2));
        dlk::testing::PressKey(form->ListView1->Widget(), Qt::Key_Up);
        EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(1));
    }

    dlk::testing::TempFolder folder;
    std::unique_ptr<TForm1> form;
};

TEST_F(EditorModalLoopTest, EveryDialogClosedFromItsLoopLeavesTheWindowTakingInput) {
    enum class By { Ok, Cancel, CloseBox };
    struct Case {
        int list;  // focused before the command: 1 clients, 2 modems
        TMenuItem* TForm1::*command;
        By by;
        const char* title;
    };
    const Case cases[] = {
        {1, &TForm1::N3, By::Ok, "свойства клиент"},    {1, &TForm1::N3, By::Cancel, "свойства клиент"},
        {1, &TForm1::N1, By::CloseBox, "новый клиент"}, {2, &TForm1::N3, By::Ok, "свойства модема"},
        {2, &TForm1::N1, By::Cancel, "новый модем"},    {2, &TForm1::N3, By::CloseBox, "свойства модема"},
        {1, &TForm1::N6, By::Ok, "порт сервера"},       {1, &TForm1::N6, By::CloseBox, "порт сервера"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        form->Widget()->activateWindow();  // the list clicked takes the focus and says so
        ClickRow(c.list == 1 ? *form->ListView1 : *form->ListView2, 0);
        dlk::testing::ModalUser user;
        user.Then([&](QWidget& modal) {
            EXPECT_EQ(modal.windowTitle().toStdString(), c.title);
            // Over the main window, in a fixed dialog frame.
            EXPECT_EQ(modal.windowHandle()->transientParent(), form->Widget()->windowHandle());
            EXPECT_EQ(modal.minimumSize(), modal.maximumSize());
            EXPECT_EQ(modal.windowType(), Qt::Dialog);
            EXPECT_FALSE(modal.windowFlags() & Qt::WindowMinimizeButtonHint);
            if (c.by == By::Ok) {  // each dialog's first opening: at its first tab stop
                auto* first = modal.focusWidget();
                auto* button = qobject_cast<QPushButton*>(first);
                if (c.command == &TForm1::N6)
                    EXPECT_EQ(qobject_cast<QLineEdit*>(first)->selectedText(), "8000");
                else
                    EXPECT_TRUE(button != nullptr && button->text() == "OK");
            }
            const std::string button = c.by == By::Ok ? "OK" : "Отмена";
            for (auto* b : modal.findChildren<QPushButton*>())
                if (c.by != By::CloseBox && b->text().toStdString() == button) return ClickOn(b);
            modal.windowHandle()->close();
        });
        Choose(form.get()->*c.command);
        EXPECT_TRUE(user.Done());
        ExpectTheMainWindowTakesInput();
    }
}

// A refused port: the box over the dialog, the dialog still there with the
// caret in the field; typed over, Tab to OK (no Default button) and Enter.
TEST_F(EditorModalLoopTest, ARefusedPortKeepsTheDialogAndEnterOnTheFocusedOkApplies) {
    dlk::testing::ModalUser user;
    user.Then([](QWidget& modal) {
            auto* port = dynamic_cast<TForm4*>(ControlOfWidget(&modal));
            ASSERT_NE(port, nullptr);
            port->Edit1->SetText("70000");
            ClickOn(port->Button1->Widget());
        })
        .Then([](QWidget& box) {
            EXPECT_NE(qobject_cast<QMessageBox*>(&box), nullptr);
            EXPECT_TRUE(box.parentWidget()->isVisible());
            dlk::testing::PressKey(&box, Qt::Key_Return);
        })
        .Then([](QWidget& modal) {
            auto* port = dynamic_cast<TForm4*>(ControlOfWidget(&modal));
            ASSERT_NE(port, nullptr);
            ASSERT_TRUE(dlk::testing::WaitUntil([&] { return port->Edit1->Focused(); }));
            QTest::keyClicks(port->Edit1->Widget(), "9000");
            for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Return}) dlk::testing::PressKey(&modal, key);
        });
    Choose(form->N6);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(form->MainMenu1->ActionOf(form->N6)->text().toStdString(), "порт сервера: 9000");
    ExpectTheMainWindowTakesInput();
}

}  // namespace
}  // namespace dlk::server_edit
