#include "tabs/alt_cue_fix.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Counts the paint events of one widget.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override { return (Paints += e->type() == QEvent::Paint), false; }
    int Paints = 0;
};

struct AltCueFixTest : ::testing::Test {
    void SetUp() override { testing::EnsureApplication(); }
    void TearDown() override { SetThemesEnabled(true); }
    static void Cue(TForm& f) { f.Perform(WM_UPDATEUISTATE, 0x30002, 0); }
    static void Idle() { Application().DoIdle(); }
};

TEST_F(AltCueFixTest, WindowsAreHookedAtIdleAndRepaintedOnceAfterTheirCues) {
    SetThemesEnabled(false);
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    form->Show();
    QCoreApplication::processEvents();
    PaintCounter paints(form->Widget());
    auto inactive = std::make_unique<TAltCueFix>(nullptr);
    Idle();
    EXPECT_TRUE(inactive->HookedForms().empty() && !inactive->Active());
    inactive.reset();
    SetThemesEnabled(true);
    auto fix = std::make_unique<TAltCueFix>(nullptr);
    Cue(*form);  // before the hook: not seen
    Idle();
    ASSERT_EQ(fix->HookedForms().back(), form.get());
    Cue(*form), Cue(*form);
    Idle();
    Idle();
    EXPECT_EQ(paints.Paints, 1);  // twice asked, once repainted
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(form->Widget(), &alt);  // a lone Alt, through the window's keyboard
    Idle();
    EXPECT_EQ(paints.Paints, 2);
    // Gone before the window: the window's procedure still works.
    fix.reset();
    Cue(*form);
    Idle();
}

TEST_F(AltCueFixTest, WindowsComingAndGoingBetweenIdles) {
    TAltCueFix fix(nullptr);
    Idle();
    const std::size_t before = fix.HookedForms().size();
    std::make_unique<TForm>(nullptr).reset();  // never seen at an idle
    Idle();
    EXPECT_EQ(fix.HookedForms().size(), before);
    auto form = std::make_unique<TForm>(nullptr);
    Idle();
    Cue(*form);
    form.reset();  // freed with a repaint pending; another may take its place
    auto other = std::make_unique<TForm>(nullptr);
    Idle();
    ASSERT_EQ(fix.HookedForms().size(), before + 1);
    EXPECT_EQ(fix.HookedForms().back(), other.get());
}

TEST_F(AltCueFixTest, TheTwoModesWalkTheirControls) {
    TForm form(nullptr);
    ReadComponent(form, R"(
Form1 : TForm {
  Outer : TPanel { Align = alTop
    Group : TGroupBox { Check : TCheckBox { } }
    Label1 : TLabel { Caption = "метка" }
  }
  Edits : TPanel { Align = alClient  Edit1 : TEdit { }  Edit2 : TEdit { } }
  Glyph : TBitBtn { }
  Push : TButton { }
})",
                  "cues.form");
    using Names = std::vector<std::string>;
    for (const bool all : {true, false}) {
        Names seen;
        auto note = [&](TControl& c) { seen.push_back(c.Name()); };
        all ? TAltCueFix::RepaintAllControls(form, note) : TAltCueFix::RepaintButtons(form, note);
        const Names expected =
            all ? Names{"Form1", "Outer", "Group", "Check", "Edits", "Edit1", "Edit2", "Glyph", "Push"}
                : Names{"Check", "Push"};
        EXPECT_EQ(seen, expected);
    }
}

}  // namespace
}  // namespace dlk
