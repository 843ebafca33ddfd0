#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Writes down what the mouse does to it, in order.
class TMouseProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Got;

protected:
    void MouseDown(TMouseButton, TShiftState s, int x, int y) override {
        Note(s & ssDouble ? "down double" : "down", x, y);
    }
    void MouseUp(TMouseButton, TShiftState, int, int) override { Got.push_back("up"); }
    void MouseMove(TShiftState, int x, int y) override { Note("move", x, y); }
    void Click() override { Got.push_back("click"); }
    void DblClick() override { Got.push_back("dblclick"); }
    void Note(const std::string& what, int x, int y) {
        Got.push_back(what + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetBounds(0, 0, 300, 200);
        for (int i = 0; i < 2; ++i) {
            probes_[i] = new TMouseProbe(form_.get());
            probes_[i]->SetParent(form_.get());
            probes_[i]->SetBounds(10 + 140 * i, 10, 100, 50);
        }
        form_->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_->Widget()));
    }
    // Through the window, as the platform delivers the user's mouse.
    QWindow* Window() const { return form_->Widget()->windowHandle(); }
    void MoveTo(QPoint p) const { QTest::mouseMove(Window(), p); }
    std::unique_ptr<TForm> form_;
    TMouseProbe* probes_[2] = {};
};

TEST_F(MouseTest, MovesArriveWithoutAButtonAndADoubleClickIsTheClassicSequence) {
    MoveTo(QPoint(15, 16));
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, QPoint(17, 18));
    EXPECT_EQ(probes_[0]->Got, (std::vector<std::string>{"move 5,6", "move 7,8", "down 7,8", "up", "click", "dblclick",
                                                         "down double 7,8", "up"}));
}

TEST_F(MouseTest, CaptureTakesEveryMoveUntilReleased) {
    probes_[0]->SetMouseCapture(true);
    EXPECT_TRUE(probes_[0]->MouseCapture());
    EXPECT_EQ(CaptureControl(), probes_[0]);
    MoveTo(QPoint(160, 20));  // over the other control
    probes_[0]->SetMouseCapture(false);
    EXPECT_EQ(CaptureControl(), nullptr);
    MoveTo(QPoint(161, 20));
    EXPECT_EQ(probes_[0]->Got, (std::vector<std::string>{"move 150,10"}));
    EXPECT_EQ(probes_[1]->Got, (std::vector<std::string>{"move 11,10"}));
}

TEST_F(MouseTest, EnterLeaveAndTheWheelReachHookedWindowProceduresAsMessages) {
    std::vector<std::string> seen;
    // The window's handlers on its own and its page's window procedure, as
    // the configurator hooks them.
    auto hook = [&seen](TControl& c) {
        c.HookWindowProc([&seen](TControl::WindowProcedure previous) {
            return [&seen, previous](TMessage& m) {
                if (m.Msg == CM_MOUSEENTER) seen.push_back("enter");
                if (m.Msg == CM_MOUSELEAVE) seen.push_back("leave");
                if (m.Msg == WM_MOUSEWHEEL && (m.WParam >> 16) > 1000) seen.push_back("wheel towards the user");
                previous(m);
            };
        });
    };
    hook(*probes_[0]);
    hook(*form_);
    int leaves = 0, notches = 0;
    probes_[0]->OnMouseLeave = [&](TObject*) { ++leaves; };
    const QPoint global = form_->Widget()->mapToGlobal(QPoint(200, 150));
    form_->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint at, bool& handled) {
        notches += at == TPoint{global.x(), global.y()};  // screen coordinates
        handled = true;
    };
    MoveTo(QPoint(200, 150));
    seen.clear();  // the window's own enter
    MoveTo(QPoint(20, 20));
    MoveTo(QPoint(200, 150));
    QWheelEvent wheel(QPointF(200, 150), QPointF(global), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(form_->Widget(), &wheel);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave", "wheel towards the user"}));
    EXPECT_EQ(leaves, 1);  // the default steps still raise the events
    EXPECT_EQ(notches, 1);
}

TEST_F(MouseTest, TheApplicationHintIsThatOfTheControlUnderThePointer) {
    form_->SetHint("окно");
    probes_[0]->SetHint("график");
    std::vector<std::string> hints;
    Application().OnHint = [&](TObject*) { hints.push_back(Application().Hint()); };
    MoveTo(QPoint(20, 20));
    MoveTo(QPoint(21, 20));   // no change, no event
    MoveTo(QPoint(160, 20));  // no hint of its own: the window's
    Application().OnHint = nullptr;
    EXPECT_EQ(hints, (std::vector<std::string>{"график", "окно"}));
}

}  // namespace
}  // namespace dlk
