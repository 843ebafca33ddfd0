#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application/message_box.h"
#include "framework/controls/form.h"
#include "framework/controls/header_control.h"
#include "framework/controls/menus.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/timer.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Throws from every handler a way into the framework reaches.
class TThrower : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool ThrowInPaint = false;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_USER + 9) throw std::runtime_error("posted");
        TCustomControl::WndProc(m);
    }

protected:
    void Paint() override {
        if (ThrowInPaint) throw std::runtime_error("paint");
    }
};

struct Way {
    const char* name;
    // Arms the throwing handler and goes in once.
    std::function<void()> enter;
};

TEST(GuardTest, EveryWayInShowsOneBoxAndTheEventLoopGoesOn) {
    testing::EnsureApplication();
    std::vector<std::string> boxes;
    SetMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        boxes.push_back(r.Text);
        return IDOK;
    });
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* control = new TThrower(&form);
    control->SetParent(&form);
    control->SetBounds(0, 0, 100, 50);
    auto* bar = new TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 60, 120, 17);
    bar->OnScroll = [](TObject*, TScrollCode, int&) { throw std::runtime_error("scroll"); };
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    header->AddSection()->SetWidth(50);
    header->OnSectionClick = [](THeaderControl*, THeaderSection*) { throw std::runtime_error("section"); };
    auto* timer = new TTimer(&form);
    timer->SetInterval(1);
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(menu);
    menu->Items().Add(item);
    item->OnClick = [](TObject*) { throw std::runtime_error("menu"); };
    form.Show();

    const std::vector<Way> ways = {
        {"consumed event",
         [&] {
             control->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
                 throw std::runtime_error("consumed event");
             };
             QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                               Qt::NoModifier);
             QCoreApplication::sendEvent(control->Widget(), &press);
         }},
        // The wheel is no event of ours: the scroll bar's own handling moves
        // it, and OnScroll throws from inside that.
        {"unconsumed event",
         [&] {
             QWheelEvent wheel(QPointF(5, 5), QPointF(5, 65), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                               Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(bar->Widget(), &wheel);
         }},
        {"scroll bar signal", [&] { bar->Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
        {"header signal", [&] { emit header->HeaderView()->sectionClicked(0); }},
        {"timer",
         [&] {
             timer->SetOnTimer([timer](TObject*) {
                 timer->SetEnabled(false);
                 throw std::runtime_error("timer");
             });
         }},
        {"menu item",
         [&] {
             menu->Popup(10, 10);
             menu->ShownMenu()->actions().at(0)->trigger();
         }},
        {"posted message", [&] { PostMessage(control->Widget(), WM_USER + 9, 0, 0); }},
        {"paint",
         [&] {
             control->ThrowInPaint = true;
             control->Repaint();
             control->ThrowInPaint = false;
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        boxes.clear();
        way.enter();
        bool later = false;
        QTimer::singleShot(0, [&] { later = true; });
        EXPECT_TRUE(testing::WaitUntil([&] { return later && !boxes.empty(); }, 2000));
        QCoreApplication::processEvents();
        EXPECT_EQ(boxes.size(), 1u);
    }
    SetMessageBoxAnswerer(nullptr);
}

}  // namespace
}  // namespace dlk
