#include "client/app/unit2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "client/testing/recording_apply_target.h"
#include "framework/application/message_box.h"
#include "framework/tests/qt_test_app.h"

namespace dlk::client {
namespace {

using RecordingTarget = sim::RecordingApplyTarget;

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        owner = std::make_unique<TForm>(nullptr);
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxAnswerer(nullptr);
        TForm::SetModalAnswerer(nullptr);
    }
    std::unique_ptr<TForm> owner;
    std::vector<MessageBoxRequest> boxes;
    RecordingTarget target;
};

TEST_F(SettingsDialogTest, OpensWithTheCurrentSettingsAndOkDisabled) {
    TForm2 dialog(nullptr);
    LinkSettings settings;
    dialog.Fill(settings);
    EXPECT_EQ(dialog.Caption(), "ДЛК-клиент (Настройки)");
    EXPECT_EQ(dialog.ClientWidth(), 209);
    EXPECT_EQ(dialog.ClientHeight(), 452);
    EXPECT_EQ(dialog.Edit1->Text(), "1025");
    EXPECT_FALSE(dialog.CheckBox2->Checked());
    EXPECT_EQ(dialog.Edit4->Text(), "none");
    EXPECT_EQ(dialog.Edit6->Text(), "");
    EXPECT_EQ(dialog.Edit2->Text(), "127.0.0.1");
    EXPECT_EQ(dialog.Edit3->Text(), "1024");
    EXPECT_EQ(dialog.Edit5->Text(), "5");
    EXPECT_FALSE(dialog.RadioButton1->Checked());
    EXPECT_TRUE(dialog.RadioButton2->Checked());
    EXPECT_TRUE(dialog.CheckBox1->Checked());
    EXPECT_FALSE(dialog.Button1->Enabled());
    // Direct mode: the relay fields and their labels are off.
    for (TControl* c :
         std::initializer_list<TControl*>{dialog.Edit4, dialog.Label4, dialog.Edit6, dialog.Label6, dialog.Edit2,
                                          dialog.Label2, dialog.Edit3, dialog.Label3, dialog.Edit5, dialog.Label5}) {
        EXPECT_FALSE(c->Enabled()) << c->Name();
    }
    EXPECT_TRUE(dialog.Edit1->Enabled());
    EXPECT_EQ(dialog.Edit4->MaxLength(), 8);
    EXPECT_EQ(dialog.Edit1->MaxLength(), 5);
}

TEST_F(SettingsDialogTest, TheClientModeBoxSwitchesItsFieldsAndAnyChangeEnablesOk) {
    TForm2 dialog(nullptr);
    LinkSettings settings;
    settings.ClientMode = 1;
    dialog.Fill(settings);
    EXPECT_TRUE(dialog.Edit2->Enabled());
    EXPECT_TRUE(dialog.Label5->Enabled());
    EXPECT_FALSE(dialog.Button1->Enabled());

    dialog.CheckBox2->PerformClick();
    EXPECT_FALSE(dialog.CheckBox2->Checked());
    EXPECT_FALSE(dialog.Edit2->Enabled());
    EXPECT_FALSE(dialog.Label5->Enabled());
    EXPECT_TRUE(dialog.Button1->Enabled());

    for (auto change : std::vector<std::function<void(TForm2&)>>{
             [](TForm2& d) { d.Edit1->SetText("2000"); },
             [](TForm2& d) { d.Edit6->SetText("x"); },
             [](TForm2& d) { d.RadioButton1->PerformClick(); },
             [](TForm2& d) { d.CheckBox1->PerformClick(); },
         }) {
        dialog.Fill(settings);
        ASSERT_FALSE(dialog.Button1->Enabled());
        change(dialog);
        EXPECT_TRUE(dialog.Button1->Enabled());
    }
}

// Keys only: the dialog opens in the port's field with its text selected,
// and Tab enters the radio group at the checked button.
TEST_F(SettingsDialogTest, OpensInThePortSelectedAndTabEntersTheRadioGroupAtItsChoice) {
    TForm2 dialog(nullptr);
    dialog.Fill(LinkSettings{});  // direct mode, "Named Pipes"
    dialog.Show();
    QApplication::setActiveWindow(dialog.Widget());
    ASSERT_TRUE(dlk::testing::WaitUntil([&] { return dialog.Edit1->Focused(); }));
    EXPECT_EQ(static_cast<QLineEdit*>(dialog.Edit1->Widget())->selectedText(), "1025");
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        return ControlOfWidget(QApplication::focusWidget())->Name();
    };
    std::vector<std::string> round;
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab}) round.push_back(press(key));
    EXPECT_EQ(round, (std::vector<std::string>{"CheckBox2", "RadioButton2", "CheckBox1", "RadioButton2"}));
    EXPECT_EQ(press(Qt::Key_Up), "RadioButton1");  // the arrows choose within the group
    EXPECT_TRUE(dialog.RadioButton1->Checked());
    press(Qt::Key_Tab);
    EXPECT_EQ(press(Qt::Key_Backtab), "RadioButton1");
}

TEST(SettingsDialogPlace, CentredUnderTheTrayMenuAndStandingOnTheTaskbar) {
    EXPECT_EQ(SettingsDialogBounds(215, 480, {500, 1080, 40, {}}), Bounds(393, 560, 215, 480));
    EXPECT_EQ(SettingsDialogBounds(215, 480, {0, 768, 0, {}}), Bounds(-107, 288, 215, 480));
}

TEST(SettingsDialogPlace, KeptInsideTheScreensAvailableArea) {
    const TRect screen = Bounds(0, 0, 1024, 768);
    const std::pair<SettingsDialogPlace, TRect> cases[] = {
        {{500, 768, 40, screen}, Bounds(393, 248, 215, 480)},                        // inside: as placed
        {{1000, 768, 40, screen}, Bounds(809, 248, 215, 480)},                       // the right edge
        {{20, 768, 40, screen}, Bounds(0, 248, 215, 480)},                           // the left edge
        {{500, 768, 0, Bounds(0, 300, 1024, 468)}, Bounds(393, 300, 215, 480)},      // a panel at the top
        {{1500, 768, 0, Bounds(1024, 0, 1280, 1024)}, Bounds(1393, 288, 215, 480)},  // a second screen
    };
    for (const auto& [place, expected] : cases) EXPECT_EQ(SettingsDialogBounds(215, 480, place), expected);
}

TEST_F(SettingsDialogTest, OkAppliesTheSettingsThroughTheWindow) {
    LinkSettings settings;
    settings.ClientMode = 1;
    int shown = 0;
    TForm::SetModalAnswerer([&](TForm& d) {
        ++shown;
        auto& dialog = static_cast<TForm2&>(d);
        // A second "Настройки" while this one is open does nothing.
        EXPECT_FALSE(ExecuteSettingsDialog(*owner, settings, target, {}));
        EXPECT_TRUE(SettingsDialogOpen());
        dialog.Edit3->SetText("5000");
        dialog.Button1->PerformClick();
    });
    EXPECT_TRUE(ExecuteSettingsDialog(*owner, settings, target, {500, 1080, 40, {}}));
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(SettingsDialogOpen());
    EXPECT_EQ(settings.ServerPort, 5000);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"save", "close", "empty", "reopen"}));
}

TEST_F(SettingsDialogTest, ARefusedFieldIsReportedAndTheDialogComesBackWithTheText) {
    LinkSettings settings;
    std::vector<std::string> seen;
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm2&>(d);
        seen.push_back(dialog.Edit1->Text());
        if (seen.size() == 1) {
            dialog.Edit1->SetText("80");
            dialog.Button1->PerformClick();
        } else {
            dialog.Button2->PerformClick();
        }
    });
    EXPECT_FALSE(ExecuteSettingsDialog(*owner, settings, target, {500, 1080, 40, {}}));
    EXPECT_EQ(seen, (std::vector<std::string>{"1025", "80"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "ДЛК-клиент");
    EXPECT_NE(boxes[0].Text.find("1024"), std::string::npos);
    EXPECT_TRUE(target.calls.empty());
    EXPECT_EQ(settings.LocalPort, 1025);
}

TEST_F(SettingsDialogTest, CancelChangesNothing) {
    LinkSettings settings;
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm2&>(d);
        dialog.CheckBox2->PerformClick();
        dialog.Button2->PerformClick();
    });
    EXPECT_FALSE(ExecuteSettingsDialog(*owner, settings, target, {}));
    EXPECT_EQ(settings.ClientMode, 0);
    EXPECT_TRUE(target.calls.empty());
}

}  // namespace
}  // namespace dlk::client
