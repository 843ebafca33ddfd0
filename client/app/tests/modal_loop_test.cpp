#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <mutex>

#include "client/app/tests/shell_fixture.h"
#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "client/core/list/list_input.h"
#include "client/core/settings/modems_file.h"
#include "client/testing/simulated_modem.h"
#include "framework/controls/menus.h"
#include "framework/tests/modal_user.h"

namespace dlk::shell_testing {
namespace {

using testing::ClickAt;
using testing::ClickOn;
using testing::ModalUser;
using testing::PressKey;

// The window's two dialogs through the real modal loop, opened as the user
// opens them (the tray menu, Enter on a row) and closed from inside the loop;
// message boxes are real boxes too.
class ClientModalLoopTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes_.push_back(r);
            return ShowMessageBoxWindow(r);
        });
    }
    // The window shown with one modem's row in it.
    TForm1& StartWithAModem() {
        TForm1& form = Start();
        form.Show();
        modem_ = std::make_unique<sim::SimulatedModem>(*TextToImei("356938035643809"),
                                                       LoopbackEndpoint(settings_.LocalPort));
        modem_->SendOn();
        EXPECT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
        return form;
    }
    QPoint RowPoint() const { return QPoint(100, kListHeaderHeight + 8); }

    // "Настройки" as the user picks it: the tray icon's right click, then a
    // click on the item of the menu that popped up.
    void PickSettingsFromTheTray(TForm1& form) {
        PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
        ASSERT_TRUE(WaitUntil([&] { return form.PopupMenu1->IsPoppedUp(); }));
        QMenu* menu = form.PopupMenu1->ShownMenu();
        ClickAt(menu, menu->actionGeometry(menu->actions().at(0)).center());
    }
    // A row clicked and Enter pressed: the properties of its modem.
    void OpenPropertiesByEnter(TForm1& form) {
        ClickAt(form.Widget(), RowPoint());
        QCursor::setPos(form.Widget()->mapToGlobal(RowPoint()));
        PressKey(form.Widget(), Qt::Key_Return);
    }

    // Nothing modal is left, and the window's own handlers take a click
    // and a key.
    void ExpectTheWindowTakesInput(TForm1& form) {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
        int clicks = 0, keys = 0;
        const auto mouseDown = form.OnMouseDown;
        const auto keyDown = form.OnKeyDown;
        form.OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            ++clicks;
            mouseDown(s, b, sh, x, y);
        };
        form.OnKeyDown = [&](TObject* s, int& key, TShiftState sh) {
            ++keys;
            keyDown(s, key, sh);
        };
        ClickAt(form.Widget(), RowPoint());
        PressKey(form.Widget(), Qt::Key_Down);
        form.OnMouseDown = mouseDown;
        form.OnKeyDown = keyDown;
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(keys, 1);
        std::lock_guard lock(form.Table().TableLock);
        EXPECT_EQ(form.Table().SelectedRow, 0);
    }

    std::unique_ptr<sim::SimulatedModem> modem_;
};

template <class Dialog>
Dialog* As(QWidget& modal) {
    auto* dialog = dynamic_cast<Dialog*>(ControlOfWidget(&modal));
    EXPECT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
    return dialog;
}

enum class CloseBy { Ok, Cancel, Esc };

void Close(QWidget& modal, TButton& ok, TButton& cancel, CloseBy how) {
    switch (how) {
        case CloseBy::Ok: ClickOn(ok.Widget()); break;
        case CloseBy::Cancel: ClickOn(cancel.Widget()); break;
        case CloseBy::Esc: PressKey(&modal, Qt::Key_Escape); break;
    }
}

TEST_F(ClientModalLoopTest, BothDialogsClosedFromTheirLoopsLeaveTheWindowTakingInput) {
    TForm1& form = StartWithAModem();
    for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel, CloseBy::Esc}) {
        SCOPED_TRACE(int(how));
        const std::uint8_t ping = form.Config().Link.PingPeriod;
        ModalUser user;
        user.Then([&](QWidget& modal) {
            if (auto* d = As<TForm2>(modal)) {
                d->Edit5->SetText(std::to_string(ping + 1));
                Close(modal, *d->Button1, *d->Button2, how);
            }
        });
        PickSettingsFromTheTray(form);
        ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
        EXPECT_EQ(form.Config().Link.PingPeriod, how == CloseBy::Ok ? ping + 1 : ping);
        ExpectTheWindowTakesInput(form);

        user.Then([&](QWidget& modal) {
            if (auto* d = As<TForm3>(modal)) {
                d->Edit1->SetText("Насос");
                Close(modal, *d->Button1, *d->Button2, how);
            }
        });
        OpenPropertiesByEnter(form);
        EXPECT_TRUE(user.Done());
        ExpectTheWindowTakesInput(form);
    }
    const auto stored = FindModemSettings(folder_ / kModemsFileName, *TextToImei("356938035643809"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Name.Length(), 5u);  // OK stored the name
}

// The two crashes users met: a refused value, its box, the dialog again.
TEST_F(ClientModalLoopTest, ARefusedValueItsBoxAndTheDialogAgain) {
    TForm1& form = StartWithAModem();
    ModalUser user;
    user.Then([](QWidget& modal) {
            if (auto* d = As<TForm2>(modal)) {
                d->Edit1->SetText("80");
                ClickOn(d->Button1->Widget());
            }
        })
        .Then([](QWidget& box) {
            EXPECT_NE(qobject_cast<QMessageBox*>(&box), nullptr);
            PressKey(&box, Qt::Key_Return);
        })
        .Then([](QWidget& modal) {
            if (auto* d = As<TForm2>(modal)) {
                EXPECT_EQ(d->Edit1->Text(), "80");
            }
            PressKey(&modal, Qt::Key_Escape);
        });
    PickSettingsFromTheTray(form);
    ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
    ExpectTheWindowTakesInput(form);

    user.Then([](QWidget& modal) {
            if (auto* d = As<TForm3>(modal)) {
                d->CheckBox2->PerformClick();
                d->Edit3->SetText("300");
                ClickOn(d->Button1->Widget());
            }
        })
        .Then([](QWidget& box) { PressKey(&box, Qt::Key_Return); })
        .Then([](QWidget& modal) {
            if (auto* d = As<TForm3>(modal)) {
                d->Edit3->SetText("30");
                ClickOn(d->Button1->Widget());
            }
        });
    OpenPropertiesByEnter(form);
    EXPECT_TRUE(user.Done());
    ExpectTheWindowTakesInput(form);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].Text, "hi-адрес должен быть числом от 0 до 255");
}

}  // namespace
}  // namespace dlk::shell_testing
