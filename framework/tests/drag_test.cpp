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
    std::unique_ptr<TForm> form_;
    TDragProbe* probes_[2] = {};
    std::vector<std::string> log_;
};

TEST_F(DragTest, StartsPastTheThresholdFollowsThePointerAndDropsWhereAccepted) {
    struct Case {
        bool targetAccepts;
        std::vector<QPoint> path;
        std::vector<std::string> log;
        int movesSeenByTheSource;
    };
    const Case cases[] = {
        // The first move arms it, 4 pixels on it waits, 5 start it; then on
        // to B and a drop there, if B takes it.
        {true,
         {{24, 20}, {28, 23}, {29, 20}, {160, 20}, {170, 20}},
         {"A enter 19,10", "A leave 150,10", "B enter 10,10", "B move 20,10", "B drop from A 20,10"},
         2},
        {false, {{24, 20}, {29, 20}, {160, 20}}, {"A enter 19,10", "A leave 150,10", "B enter 10,10"}, 1},
        {true, {{22, 21}, {24, 23}}, {}, 2},  // below the threshold: ordinary moves
    };
    for (const Case& c : cases) {
        log_.clear();
        probes_[1]->Accepts = c.targetAccepts;
        probes_[0]->Moves = 0;
        QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(20, 20));
        const int before = probes_[0]->Moves;  // Qt may add a move at the press
        for (QPoint p : c.path) {
            QMouseEvent move(QEvent::MouseMove, p, Window()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
            QGuiApplication::sendEvent(Window(), &move);
        }
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, c.path.back());
        EXPECT_EQ(log_, c.log) << c.targetAccepts;
        EXPECT_GE(probes_[0]->Moves - before, c.movesSeenByTheSource);
        EXPECT_EQ(DragSource(), nullptr);
    }
}

}  // namespace
}  // namespace dlk
