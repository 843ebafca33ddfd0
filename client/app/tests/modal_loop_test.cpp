#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <mutex>

#include "client/app/tests/shell_fixture.h"
#include "client/core/list/list_input.h"
#include "client/core/settings/client_config_file.h"
#include "client/core/settings/modems_file.h"
#include "client/testing/simulated_modem.h"
#include "framework/controls/menus.h"
#include "framework/tests/modal_user.h"
#include "platform/files/whole_file.h"

namespace dlk::client::shell_testing {
namespace {

using dlk::testing::ClickAt;
using dlk::testing::ClickOn;
using dlk::testing::PressKey;

const ImeiBcd kModalImei = *TextToImei("356938035643809");
const QPoint kRow(100, kListHeaderHeight + 8);

// The window's dialogs in the real modal loop, opened as the user opens them,
// with real message boxes; the window shows one modem's row.
class ClientModalLoopTest : public ShellTest {
protected:
    TForm1& StartWithAModem() {
        dlk::testing::ForgetEndedRuns();
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes_.push_back(r);
            return ShowMessageBoxWindow(r);
        });
        TForm1& form = Start();
        form.Show();
        modem_ = std::make_unique<sim::SimulatedModem>(kModalImei, LoopbackEndpoint(settings_.LocalPort));
        modem_->SendOn();
        EXPECT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
        return form;
    }
    // The tray icon's right click, then a click on the menu's "Настройки".
    void PickSettingsFromTheTray(TForm1& form) {
        PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
        ASSERT_TRUE(WaitUntil([&] { return form.PopupMenu1->IsPoppedUp(); }));
        QMenu* menu = form.PopupMenu1->ShownMenu();
        ClickAt(menu, menu->actionGeometry(menu->actions().at(0)).center());
    }
    // A click on the row, then Enter: the modem's properties.
    void OpenPropertiesByEnter(TForm1& form) {
        ClickAt(form.Widget(), kRow);
        QCursor::setPos(form.Widget()->mapToGlobal(kRow));
        PressKey(form.Widget(), Qt::Key_Return);
    }
    // Nothing modal is left; the window's handlers take a click and a key.
    void ExpectTheWindowTakesInput(TForm1& form) {
        EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
        int events = 0;
        const auto mouseDown = form.OnMouseDown;
        const auto keyDown = form.OnKeyDown;
        form.OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            ++events;
            mouseDown(s, b, sh, x, y);
        };
        form.OnKeyDown = [&](TObject* s, int& key, TShiftState sh) {
            events += 10;
            keyDown(s, key, sh);
        };
        ClickAt(form.Widget(), kRow);
        PressKey(form.Widget(), Qt::Key_Down);
        form.OnMouseDown = mouseDown;
        form.OnKeyDown = keyDown;
        EXPECT_EQ(events, 11);
    }

    std::unique_ptr<sim::SimulatedModem> modem_;
};

template <class Dialog>
void Answer(QWidget& modal, const std::function<void(Dialog&)>& fill, const char* close) {
    auto* dialog = dynamic_cast<Dialog*>(ControlOfWidget(&modal));
    ASSERT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
    fill(*dialog);
    if (std::string(close) == "Esc") return PressKey(&modal, Qt::Key_Escape);
    ClickOn(std::string(close) == "OK" ? dialog->Button1->Widget() : dialog->Button2->Widget());
}

TEST_F(ClientModalLoopTest, BothDialogsClosedFromTheirLoopsLeaveTheWindowTakingInput) {
    TForm1& form = StartWithAModem();
    for (const char* close : {"OK", "Отмена", "Esc"}) {
        SCOPED_TRACE(close);
        const int ping = form.Config().Link.PingPeriod;
        dlk::testing::ModalUser user;
        user.Then([&](QWidget& m) {
            Answer<TForm2>(
                m, [&](TForm2& d) { d.Edit5->SetText(std::to_string(ping + 1)); }, close);
        });
        PickSettingsFromTheTray(form);
        ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
        EXPECT_EQ(form.Config().Link.PingPeriod, std::string(close) == "OK" ? ping + 1 : ping);
        ExpectTheWindowTakesInput(form);

        user.Then([&](QWidget& m) {
            Answer<TForm3>(
                m, [](TForm3& d) { d.Edit1->SetText("Насос"); }, close);
        });
        OpenPropertiesByEnter(form);
        EXPECT_TRUE(user.Done());
        ExpectTheWindowTakesInput(form);
    }
    EXPECT_EQ(FindModemSettings(folder_ / kModemsFileName, kModalImei)->Name.Length(), 5u);  // stored by OK
}

// A refused value: the box stands over the dialog, which stays on the screen,
// and the caret waits in the refused field with its text selected.
TEST_F(ClientModalLoopTest, ARefusedValueKeepsTheDialogUnderItsBoxAndFocusesTheField) {
    TForm1& form = StartWithAModem();
    QWidget* dialog = nullptr;
    const auto box = [&](QWidget& b) {
        EXPECT_NE(qobject_cast<QMessageBox*>(&b), nullptr);
        EXPECT_EQ(b.parentWidget(), dialog);
        EXPECT_TRUE(dialog->isVisible());
        PressKey(&b, Qt::Key_Return);
    };
    const auto refocused = [](TEdit* edit, const char* text) {
        EXPECT_TRUE(WaitUntil([&] { return edit->Focused(); })) << edit->Name();
        EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->selectedText().toStdString(), text);
    };
    dlk::testing::ModalUser user;
    user.Then([&](QWidget& m) {
            dialog = &m;
            Answer<TForm2>(
                m, [](TForm2& d) { d.Edit1->SetText("80"); }, "OK");
        })
        .Then(box)
        .Then([&](QWidget& m) {
            Answer<TForm2>(
                m, [&](TForm2& d) { refocused(d.Edit1, "80"); }, "Esc");
        });
    PickSettingsFromTheTray(form);
    ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
    ExpectTheWindowTakesInput(form);

    user.Then([&](QWidget& m) {
            dialog = &m;
            Answer<TForm3>(
                m,
                [](TForm3& d) {
                    d.CheckBox2->PerformClick();
                    d.Edit2->SetText("7");
                    d.Edit3->SetText("300");
                    d.Edit1->SetFocus();
                },
                "OK");
        })
        .Then(box)
        .Then([&](QWidget& m) {
            Answer<TForm3>(
                m,
                [&](TForm3& d) {
                    refocused(d.Edit3, "300");
                    QTest::keyClicks(d.Edit3->Widget(), "30");  // typed over the selection
                },
                "OK");
        });
    OpenPropertiesByEnter(form);
    EXPECT_TRUE(user.Done());
    ExpectTheWindowTakesInput(form);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].Text, "hi-адрес должен быть числом от 0 до 255");
    EXPECT_EQ(FindModemSettings(folder_ / kModemsFileName, kModalImei)->ModbusHi, 30);
}

// Enter presses the focused button, or else the Default one; Escape cancels.
TEST_F(ClientModalLoopTest, EnterPressesTheFocusedButtonOrElseOk) {
    TForm1& form = StartWithAModem();
    const auto config = [&] { return ReadWholeFile(folder_ / kClientConfigFileName, 1024); };
    const auto configAtStart = config();
    struct Case {
        const char* focus;  // where Enter is pressed
        bool stored;
    } const cases[] = {{"Отмена", false}, {"Edit1", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        const auto enterOn = [&](auto& d) {
            TControl* target = std::string(c.focus) == "Edit1" ? static_cast<TControl*>(d.Edit1) : d.Button2;
            target->SetFocus();
            ASSERT_TRUE(WaitUntil([&] { return target->Focused(); }));
            PressKey(d.Widget(), Qt::Key_Return);
        };
        dlk::testing::ModalUser user;
        user.Then([&](QWidget& m) {
            auto* d = dynamic_cast<TForm2*>(ControlOfWidget(&m));
            d->CheckBox1->PerformClick();
            enterOn(*d);
        });
        PickSettingsFromTheTray(form);
        ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
        EXPECT_EQ(config() != configAtStart, c.stored);

        user.Then([&](QWidget& m) {
            auto* d = dynamic_cast<TForm3*>(ControlOfWidget(&m));
            QTest::keyClicks(d->Edit1->Widget(), "Pump");
            enterOn(*d);
        });
        OpenPropertiesByEnter(form);
        ASSERT_TRUE(WaitUntil([&] { return user.Done(); }));
        EXPECT_EQ(FindModemSettings(folder_ / kModemsFileName, kModalImei).has_value(), c.stored);
    }
}

}  // namespace
}  // namespace dlk::client::shell_testing
