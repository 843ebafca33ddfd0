#pragma once

#include <QTest>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"
#include "tabs/kt_tab_control.h"
#include "tabs/strip_buttons.h"

namespace dlk::testing {

// A tab control that writes down its events and the steps a page control
// would take, in order.
class TRecordingTabControl : public TKtCustomTabControl {
public:
    explicit TRecordingTabControl(TComponent* owner) : TKtCustomTabControl(owner) {
        OnChanging = [this](TObject*, int i, bool& allow) {
            Log.push_back("changing " + std::to_string(i));
            allow = i != Refuse;
        };
        OnChange = [this](TObject*) { Log.push_back("change " + std::to_string(TabIndex())); };
        OnPageChange = [this](TObject*) { Log.push_back("page change"); };
        OnTabClick = [this](TObject*) { Log.push_back("tab click"); };
        OnTabOrderChange = [this](TObject*, int from, int to) {
            Log.push_back("order " + std::to_string(from) + " to " + std::to_string(to));
        };
    }
    std::vector<std::string> Log;
    int Refuse = -1;  // the tab OnChanging refuses
    int FullRepaints = 0;
    int Paints = 0;
    int Layouts = 0;

    void SetRowCount(int v) override {
        ++Layouts;
        TKtCustomTabControl::SetRowCount(v);
    }
    void FullRepaint() override {
        ++FullRepaints;
        TKtCustomTabControl::FullRepaint();
    }
    void CloseSelectedTab() override { Log.push_back("close " + std::to_string(TabIndex())); }
    void MoveSelectedTab(int newIndex) override { DoTabOrderChange(TabIndex(), newIndex); }
    // The layout as the next paint builds it.
    void Relayout() {
        LayoutTabs();
        UpdateScrollerNeeded();
        if (first_shown_tab_ < 0) first_shown_tab_ = FirstVisibleTab();
        Realign();
    }
    void SetFirstShownTab(int v) { first_shown_tab_ = v; }

protected:
    void Paint() override {
        ++Paints;
        TKtCustomTabControl::Paint();
    }
};

// A window holding one tab control of `count` tabs 60 pixels long, shown
// and active, with the mouse and keys delivered through the window.
class TabWindow {
public:
    explicit TabWindow(int count, int width = 400) {
        EnsureApplication();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, width + 20, 200);
        tabs = new TRecordingTabControl(form.get());
        tabs->SetParent(form.get());
        tabs->SetBounds(10, 10, width, 150);
        tabs->SetTabWidth(60);
        for (int i = 0; i < count; ++i) {
            auto t = std::make_unique<TKtTabData>();
            t->Caption = "Tab " + std::to_string(i);
            t->Hint = "hint " + std::to_string(i);
            tabs->Tabs().Add(std::move(t));
        }
        tabs->Relayout();
        form->Show();
        QWindow* w = form->Widget()->windowHandle();
        form->Widget()->activateWindow();
        Active = QTest::qWaitForWindowActive(w);
    }
    QWindow* Window() const { return form->Widget()->windowHandle(); }
    // A point of the control in window coordinates.
    QPoint At(const TControl& c, TPoint p) const {
        const TPoint s = c.ClientToScreen(p);
        return Window()->mapFromGlobal(QPoint(s.X, s.Y));
    }
    void Press(const TControl& c, TPoint p) const { QTest::mousePress(Window(), Qt::LeftButton, {}, At(c, p)); }
    void Release(const TControl& c, TPoint p) const { QTest::mouseRelease(Window(), Qt::LeftButton, {}, At(c, p)); }
    void Move(const TControl& c, TPoint p, bool leftHeld = false) const {
        const QPoint w = At(c, p);
        QMouseEvent e(QEvent::MouseMove, w, Window()->mapToGlobal(w), Qt::NoButton,
                      leftHeld ? Qt::LeftButton : Qt::NoButton, {});
        QGuiApplication::sendEvent(Window(), &e);
    }
    // The middle of a tab, in the control's client coordinates.
    TPoint Middle(int tab) const {
        const TRect r = tabs->GetTabClientRect(tab);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    std::unique_ptr<TForm> form;
    TRecordingTabControl* tabs = nullptr;
    bool Active = false;
};

}  // namespace dlk::testing
