#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

std::vector<std::string> offered;

// Notes the keys offered to it; takes the characters it is given.
class TKeyProbe : public TCustomControl {
    DLK_COMPONENT(TKeyProbe)
public:
    explicit TKeyProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<int> Taken;
    bool DialogKey(int key, TShiftState shift) override {
        offered.push_back(Name());
        return TCustomControl::DialogKey(key, shift);
    }
    bool DialogChar(int charCode, TShiftState) override {
        Taken.push_back(charCode);
        return true;
    }
};

const ClassInfo& TKeyProbe::StaticClass() {
    static const ClassInfo info("TKeyProbe", &TCustomControl::StaticClass(), Creator<TKeyProbe>());
    return info;
}
DLK_REGISTER_CLASS(TKeyProbe);

// Takes Ctrl+Tab after its controls had it, as a page control does.
class TPagesForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string> Got;
    bool DialogKey(int key, TShiftState shift) override {
        if (TForm::DialogKey(key, shift)) return true;
        offered.push_back("form");
        Got.push_back(key == VK_TAB ? ((shift & ssShift) ? "previous page" : "next page") : "other");
        return key == VK_TAB;
    }
};

constexpr const char* kFocusWindow = R"(
Form1 : TForm {
  ClientWidth = 300  ClientHeight = 200
  Outer : TPanel {
    Left = 0  Top = 0  Width = 300  Height = 150
    Inner : TPanel {
      Left = 0  Top = 0  Width = 300  Height = 100
      Edit2 : TEdit { Left = 8  Top = 40  Width = 100  Height = 21  TabOrder = 1 }
      Edit1 : TEdit { Left = 8  Top = 8  Width = 100  Height = 21  TabOrder = 0 }
    }
    Probe : TKeyProbe { Left = 8  Top = 110  Width = 50  Height = 30 }
  }
  Button1 : TButton { Left = 8  Top = 160  Width = 75  Height = 25  Caption = "OK" }
}
)";

class KeyboardFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        offered.clear();
        form_ = std::make_unique<TPagesForm>(nullptr);
        ReadComponent(*form_, kFocusWindow, "keys.form");
        form_->Show();
        QApplication::setActiveWindow(form_->Widget());
        ASSERT_TRUE(testing::WaitUntil([&] { return form_->Widget()->isActiveWindow(); }));
    }
    template <class T>
    T* Get(const char* name) {
        return FindRequired<T>(*form_, name);
    }
    void Focus(TControl* c) {
        c->SetFocus();
        ASSERT_TRUE(testing::WaitUntil([&] { return c->Focused(); }));
    }
    static void Press(int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(QApplication::focusWidget(), &e);
    }
    std::unique_ptr<TPagesForm> form_;
};

TEST_F(KeyboardFocusTest, CharactersArriveAsTypedAndPlainOnesOnlyWhereNoTextIsTaken) {
    auto* probe = Get<TKeyProbe>("Probe");
    Focus(Get<TEdit>("Edit1"));
    Press(0x424, Qt::AltModifier, "ф");
    Press(0x424, Qt::AltModifier | Qt::ShiftModifier, "Ф");
    Press(Qt::Key_S, Qt::AltModifier, "s");
    Press(Qt::Key_X, Qt::NoModifier, "x");  // typed into the edit
    Focus(probe);
    Press(Qt::Key_Y, Qt::NoModifier, "y");  // the probe takes no text
    EXPECT_EQ(probe->Taken, (std::vector<int>{0x444, 0x424, 's', 'y'}));
    EXPECT_EQ(Get<TEdit>("Edit1")->Text(), "x");
}

TEST_F(KeyboardFocusTest, CtrlTabInANestedEditReachesTheFormAfterItsControls) {
    Focus(Get<TEdit>("Edit1"));
    Press(Qt::Key_Tab, Qt::ControlModifier);
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form_->Got, (std::vector<std::string>{"next page", "previous page"}));
    // The base offered it to the children first, down to the probe.
    EXPECT_EQ(offered, (std::vector<std::string>{"Probe", "form", "Probe", "form"}));
    EXPECT_TRUE(Get<TEdit>("Edit1")->Focused());
}

TEST_F(KeyboardFocusTest, FocusFollowsTabOrderAndTheWindowKnowsItsActiveControl) {
    auto* edit1 = Get<TEdit>("Edit1");
    auto* edit2 = Get<TEdit>("Edit2");
    auto* probe = Get<TKeyProbe>("Probe");
    auto* button = Get<TButton>("Button1");
    EXPECT_EQ(GetParentForm(edit2), form_.get());
    Focus(button);
    std::vector<std::string> moves;
    for (TControl* c : {edit1, edit2}) {
        c->OnEnter = [&moves, c](TObject*) { moves.push_back("enter " + c->Name()); };
        c->OnExit = [&moves, c](TObject*) { moves.push_back("exit " + c->Name()); };
    }
    form_->SelectFirst();
    ASSERT_TRUE(testing::WaitUntil([&] { return edit1->Focused(); }));
    EXPECT_EQ(form_->ActiveControl(), edit1);
    Press(Qt::Key_Tab, Qt::NoModifier);  // the stored order, not the order of reading
    EXPECT_EQ(form_->ActiveControl(), edit2);
    EXPECT_EQ(moves, (std::vector<std::string>{"enter Edit1", "exit Edit1", "enter Edit2"}));

    // Each parent's children in their order, each followed by its own.
    std::vector<TControl*> round{form_->FindNextControl(nullptr, true, true, false)};
    while (round.size() < 5) round.push_back(form_->FindNextControl(round.back(), true, true, false));
    EXPECT_EQ(round, (std::vector<TControl*>{edit1, edit2, probe, button, edit1}));
    EXPECT_EQ(form_->FindNextControl(edit1, false, true, false), button);

    // Moving one control in the round moves Qt's chain with it.
    edit2->SetTabOrder(0);
    EXPECT_EQ(edit1->TabOrder(), 1);
    Focus(edit2);
    Press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(edit1->Focused());

    Focus(probe);
    delete probe;
    EXPECT_NE(form_->ActiveControl(), probe);
}

// A click focuses the fields and buttons it lands on; a painted control
// with a tab stop (the probe, a panel given one) is reached by Tab, but a
// press leaves the focus where it was.
TEST_F(KeyboardFocusTest, AClickFocusesFieldsButNotPaintedControls) {
    Get<TPanel>("Outer")->SetTabStop(true);
    struct Case {
        const char* clicked;
        const char* focused;
    } const cases[] = {
        {"Edit2", "Edit2"}, {"Probe", "Edit2"}, {"Button1", "Button1"}, {"Outer", "Button1"}, {"Edit1", "Edit1"},
    };
    for (const Case& c : cases) {
        TControl* clicked = Get<TControl>(c.clicked);
        QTest::mouseClick(clicked->Widget(), Qt::LeftButton, {}, QPoint(clicked->Width() - 2, clicked->Height() - 2));
        EXPECT_TRUE(testing::WaitUntil([&] { return Get<TControl>(c.focused)->Focused(); })) << c.clicked;
    }
    EXPECT_TRUE(Get<TKeyProbe>("Probe")->Widget()->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(Get<TPanel>("Outer")->Widget()->focusPolicy() & Qt::TabFocus);
}

}  // namespace
}  // namespace dlk
