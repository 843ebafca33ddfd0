#include "tabs/alt_cue_fix.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/core/description_reader.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

constexpr const char* kWindow = R"(
Form1 : TForm {
  ClientWidth = 300
  ClientHeight = 200
  Outer : TPanel {
    Align = alTop
    Height = 80
    Group : TGroupBox { Left = 4  Top = 4  Width = 120  Height = 60
      Check : TCheckBox { Left = 4  Top = 16  Width = 100  Height = 17 }
    }
    Label1 : TLabel { Left = 130  Top = 4  Caption = "метка" }
  }
  Edits : TPanel {
    Align = alClient
    Edit1 : TEdit { Left = 4  Top = 4  Width = 100  Height = 21 }
    Edit2 : TEdit { Left = 4  Top = 30  Width = 100  Height = 21 }
  }
  Glyph : TBitBtn { Left = 200  Top = 90  Width = 75  Height = 25 }
  Push : TButton { Left = 200  Top = 120  Width = 75  Height = 25 }
}
)";

// Counts the paint events one widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

struct AltCueFixTest : ::testing::Test {
    void SetUp() override {
        testing::EnsureApplication();
        SetThemesEnabled(true);
    }
    void TearDown() override { SetThemesEnabled(true); }
    static void Idle() { Application().DoIdle(); }
    static std::unique_ptr<TForm> ShownForm() {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 200, 100);
        form->Show();
        QCoreApplication::processEvents();
        return form;
    }
};

TEST_F(AltCueFixTest, WithoutThemesNothingIsHookedEver) {
    SetThemesEnabled(false);
    auto form = ShownForm();
    TAltCueFix fix(nullptr);
    EXPECT_FALSE(fix.Active());
    Idle();
    EXPECT_TRUE(fix.HookedForms().empty());
    SetThemesEnabled(true);
    Idle();
    EXPECT_TRUE(fix.HookedForms().empty());
}

TEST_F(AltCueFixTest, AWindowIsHookedAtIdleAndRepaintedOnceAfterItsCues) {
    auto form = ShownForm();
    PaintCounter paints(form->Widget());
    auto fix = std::make_unique<TAltCueFix>(nullptr);
    ASSERT_TRUE(fix->Active());
    form->Perform(WM_UPDATEUISTATE, 0x30002, 0);  // before the hook: not seen
    Idle();
    const std::vector<TForm*> hooked = fix->HookedForms();
    EXPECT_NE(std::find(hooked.begin(), hooked.end(), form.get()), hooked.end());
    EXPECT_EQ(paints.Paints, 0);

    struct Step {
        const char* what;
        std::function<void()> act;
        int paints;
    };
    const Step steps[] = {
        {"two cue messages, one repaint",
         [&] {
             form->Perform(WM_UPDATEUISTATE, 0x30002, 0);
             form->Perform(WM_UPDATEUISTATE, 0x30002, 0);
         },
         1},
        {"an idle without cues repaints nothing", [] {}, 0},
        {"a lone Alt through the window's keyboard",
         [&] {
             QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
             QCoreApplication::sendEvent(form->Widget(), &alt);
         },
         1},
    };
    for (const Step& step : steps) {
        paints.Paints = 0;
        step.act();
        Idle();
        EXPECT_EQ(paints.Paints, step.paints) << step.what;
    }

    // The component goes first: the window keeps working, its messages pass.
    fix.reset();
    form->Perform(WM_UPDATEUISTATE, 0x30002, 0);
    Idle();
    EXPECT_EQ(form->Perform(WM_UPDATEUISTATE, 0x30002, 0), 0);
}

TEST_F(AltCueFixTest, WindowsComingAndGoingBetweenIdles) {
    TAltCueFix fix(nullptr);
    Idle();
    const std::size_t before = fix.HookedForms().size();
    {
        TForm passing(nullptr);  // made and freed between two idles
    }
    Idle();
    EXPECT_EQ(fix.HookedForms().size(), before);

    auto form = std::make_unique<TForm>(nullptr);
    Idle();
    ASSERT_EQ(fix.HookedForms().size(), before + 1);
    form->Perform(WM_UPDATEUISTATE, 0x30002, 0);
    form.reset();  // freed with a repaint pending
    auto other = std::make_unique<TForm>(nullptr);
    Idle();
    const std::vector<TForm*> hooked = fix.HookedForms();
    ASSERT_EQ(hooked.size(), before + 1);
    EXPECT_EQ(hooked.back(), other.get());
}

TEST_F(AltCueFixTest, TheTwoModesWalkTheirControls) {
    TForm form(nullptr);
    ReadComponent(form, kWindow, "cues.form");
    struct Case {
        bool all;
        std::vector<std::string> repainted;
    };
    const Case cases[] = {
        {true, {"Form1", "Outer", "Group", "Check", "Edits", "Edit1", "Edit2", "Glyph", "Push"}},
        {false, {"Check", "Push"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> seen;
        auto note = [&](TControl& control) { seen.push_back(control.Name()); };
        if (c.all)
            TAltCueFix::RepaintAllControls(form, note);
        else
            TAltCueFix::RepaintButtons(form, note);
        EXPECT_EQ(seen, c.repainted) << (c.all ? "all" : "buttons");
    }
}

TEST_F(AltCueFixTest, ARepaintModeReachesOnlyWindowsHookedAfterIt) {
    auto fix = std::make_unique<TAltCueFix>(nullptr);
    auto first = ShownForm();
    Idle();
    fix->RepaintAll = false;  // too late for the first window
    auto second = ShownForm();
    Idle();
    PaintCounter firstPaints(first->Widget()), secondPaints(second->Widget());
    first->Perform(WM_UPDATEUISTATE, 0x30002, 0);
    second->Perform(WM_UPDATEUISTATE, 0x30002, 0);
    Idle();
    EXPECT_EQ(firstPaints.Paints, 1);
    EXPECT_EQ(secondPaints.Paints, 0);  // buttons only, and it has none
}

}  // namespace
}  // namespace dlk
