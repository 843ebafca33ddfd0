#include "framework/controls/splitter.h"

#include <gtest/gtest.h>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "server_edit/app/tests/qt_app.h"

namespace dlk::server_edit {
namespace {

using testing::SendMouse;

TEST(SplitterDragSize, GrowsAndStaysWithinLimits) {
    EXPECT_EQ(SplitterDragSize(176, 50, 30, 300), 226);
    EXPECT_EQ(SplitterDragSize(176, -200, 30, 300), 30);
    EXPECT_EQ(SplitterDragSize(176, 500, 30, 300), 300);
    EXPECT_EQ(SplitterDragSize(40, 0, 30, 10), 30);  // no room at all: the minimum wins
}

// The editor's layout: a filling panel above, the bar, a panel at the bottom
// (controls aligned to the same side stack in the order they are read).
class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        form = new TForm(nullptr);
        ReadComponent(*form, R"(
            Form : TForm {
              BorderStyle = bsNone
              ClientWidth = 300
              ClientHeight = 400
              Top : TPanel { Align = alClient }
              Bottom : TPanel { Align = alBottom Height = 176 }
              Bar : TSplitter { Align = alBottom Height = 3 Beveled = True }
            })",
                      "test.form");
        top = FindOwned<TPanel>(*form, "Top");
        bar = FindOwned<TSplitter>(*form, "Bar");
        bottom = FindOwned<TPanel>(*form, "Bottom");
        bar->OnMoved = [this](TObject*) { ++moved; };
        form->Show();
    }
    void TearDown() override { delete form; }

    // Drags the bar by dy pixels, in steps as a hand would.
    void Drag(int dy) {
        QWidget* w = bar->Widget();
        SendMouse(w, QEvent::MouseButtonPress, QPoint(10, 1), Qt::LeftButton, Qt::LeftButton);
        const int startTop = bar->Top();
        for (int step = 1; step <= 4; ++step) {
            const int wanted = startTop + 1 + dy * step / 4;  // in the form
            SendMouse(w, QEvent::MouseMove, QPoint(10, wanted - bar->Top()), Qt::NoButton, Qt::LeftButton);
        }
        SendMouse(w, QEvent::MouseButtonRelease, QPoint(10, startTop + 1 + dy - bar->Top()), Qt::LeftButton,
                  Qt::NoButton);
    }

    TForm* form = nullptr;
    TPanel* top = nullptr;
    TSplitter* bar = nullptr;
    TPanel* bottom = nullptr;
    int moved = 0;
};

TEST_F(SplitterTest, SitsBetweenItsNeighboursAndFindsTheOneToResize) {
    EXPECT_EQ(bottom->Top(), 224);
    EXPECT_EQ(bar->Top(), 221);
    EXPECT_EQ(top->Height(), 221);
    EXPECT_EQ(bar->ResizedControl(), bottom);
    EXPECT_TRUE(bar->Beveled());
    EXPECT_EQ(bar->MinSize(), 30);
}

TEST_F(SplitterTest, DraggingUpGrowsTheBottomControlAndDownShrinksIt) {
    Drag(-50);
    EXPECT_EQ(bottom->Height(), 226);
    EXPECT_EQ(bar->Top(), 171);
    EXPECT_EQ(top->Height(), 171);
    EXPECT_EQ(moved, 1);

    Drag(100);
    EXPECT_EQ(bottom->Height(), 126);
    EXPECT_EQ(top->Height() + bar->Height() + bottom->Height(), 400);
}

TEST_F(SplitterTest, NeitherSideShrinksBelowTheMinimum) {
    Drag(1000);
    EXPECT_EQ(bottom->Height(), 30);
    Drag(-1000);
    EXPECT_EQ(top->Height(), 30);
    EXPECT_EQ(bottom->Height(), 400 - 3 - 30);
}

TEST_F(SplitterTest, MovingWithoutAPressResizesNothing) {
    SendMouse(bar->Widget(), QEvent::MouseMove, QPoint(10, -40), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(bottom->Height(), 176);
    EXPECT_EQ(moved, 0);
}

}  // namespace
}  // namespace dlk::server_edit
