#include "framework/controls/drag.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Arms a drag of itself on every move with the left button held, as a
// control that can be dragged does, and writes down what drags do to it.
class TDragProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string>* Log = nullptr;
    bool Accepts = true;
    int Moves = 0;

protected:
    void MouseMove(TShiftState shift, int, int) override {
        ++Moves;
        if (shift & ssLeft) BeginDrag(false);
    }
    void DragOver(TObject*, int x, int y, TDragState state, bool& accept) override {
        static const char* const names[] = {"enter", "leave", "move"};
        Log->push_back(Name() + " " + names[int(state)] + " " + std::to_string(x) + "," + std::to_string(y));
        accept = Accepts;
    }
    void DragDrop(TObject* source, int x, int y) override {
        Log->push_back(Name() + " drop from " + static_cast<TComponent*>(source)->Name() + " " + std::to_string(x) +
                       "," + std::to_string(y));
    }
};

class DragTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetBounds(0, 0, 300, 200);
        for (int i = 0; i < 2; ++i) {
            probes_[i] = new TDragProbe(form_.get());
            probes_[i]->SetName(i == 0 ? "A" : "B");
            probes_[i]->SetParent(form_.get());
            probes_[i]->SetBounds(10 + 140 * i, 10, 100, 50);
            probes_[i]->Log = &log_;
        }
        form_->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_->Widget()));
    }
    QWindow* Window() const { return form_->Widget()->windowHandle(); }
    void Drag(std::initializer_list<QPoint> path) {
        QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(20, 20));
        for (QPoint p : path) {
            QMouseEvent move(QEvent::MouseMove, p, Window()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
            QGuiApplication::sendEvent(Window(), &move);
        }
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, path.end()[-1]);
    }
    std::unique_ptr<TForm> form_;
    TDragProbe* probes_[2] = {};
    std::vector<std::string> log_;
};

TEST_F(DragTest, StartsPastTheThresholdFollowsThePointerAndDropsWhereAccepted) {
    struct Case {
        bool targetAccepts;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {true, {"A enter 19,10", "A leave 150,10", "B enter 10,10", "B move 20,10", "B drop from A 20,10"}},
        {false, {"A enter 19,10", "A leave 150,10", "B enter 10,10", "B move 20,10"}},
    };
    for (const Case& c : cases) {
        log_.clear();
        probes_[1]->Accepts = c.targetAccepts;
        // The first move arms it, 4 pixels on it waits, 5 start it; then on
        // to B and a drop there.
        Drag({QPoint(24, 20), QPoint(28, 23), QPoint(29, 20), QPoint(160, 20), QPoint(170, 20)});
        EXPECT_EQ(log_, c.log) << c.targetAccepts;
        EXPECT_EQ(DragSource(), nullptr);
        EXPECT_FALSE(probes_[0]->Dragging());
    }
}

TEST_F(DragTest, ABelowThresholdMoveStaysAnOrdinaryMoveAndTheDragEnds) {
    Drag({QPoint(22, 21), QPoint(24, 23)});
    EXPECT_TRUE(log_.empty());
    EXPECT_GE(probes_[0]->Moves, 2);
    EXPECT_EQ(DragSource(), nullptr);
    // Once started, moves belong to the drag and leaving the window ends it
    // with a leave to the last control under the pointer.
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(20, 20));
    int moves = 0;
    for (int x : {21, 40}) {
        moves = probes_[0]->Moves;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 20), Window()->mapToGlobal(QPointF(x, 20)), Qt::NoButton,
                         Qt::LeftButton, {});
        QGuiApplication::sendEvent(Window(), &move);
    }
    EXPECT_TRUE(probes_[0]->Dragging());
    SetCursorPosSource([this] { return probes_[0]->ClientToScreen({30, 10}); });
    probes_[0]->EndDrag(false);
    SetCursorPosSource({});
    EXPECT_EQ(log_, (std::vector<std::string>{"A enter 30,10", "A leave 30,10"}));
    EXPECT_EQ(probes_[0]->Moves, moves);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(40, 20));
}

}  // namespace
}  // namespace dlk
