#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"
#include "tabs/kt_page_control.h"
#include "tabs/tests/config_window.h"

namespace dlk::testing {

// Notes its change events from the moment it exists, so a description read
// into it shows what reading raised.
class TRecordingPageControl : public TKtPageControl {
    DLK_COMPONENT(TRecordingPageControl)
public:
    explicit TRecordingPageControl(TComponent* owner) : TKtPageControl(owner) {
        OnChanging = [this](TObject*, int i, bool& allow) {
            Log.push_back("changing " + std::to_string(i) + " from " + Active());
            allow = Allow;
        };
        OnChange = [this](TObject*) { Log.push_back("change " + Active()); };
        OnPageChange = [this](TObject*) { Log.push_back("page " + Active()); };
        OnTabOrderChange = [this](TObject*, int a, int b) {
            Log.push_back(std::to_string(a) + ">" + std::to_string(b));
        };
    }
    std::string Active() const { return ActivePage() != nullptr ? ActivePage()->Name() : "none"; }
    // The pages in page order; shownOnly: those whose own flag is on.
    std::string Names(bool shownOnly = false) const {
        std::string s;
        for (int i = 0; i < PageCount(); ++i)
            if (!shownOnly || Pages(i)->GetVisible()) s += (s.empty() ? "" : " ") + Pages(i)->Name();
        return s;
    }
    std::vector<std::string> Log;
    bool Allow = true;
};

// Four pages with an edit on each; D has no tab.
inline constexpr const char* kFourPages = R"(
Form1 : TForm {
  ClientWidth = 400
  ClientHeight = 300
  Pages : TRecordingPageControl { Align = alClient  ActivePage = @A
    A : TKtTabSheet { Caption = "A"  EditA : TEdit { Left = 8  Top = 8 } }
    B : TKtTabSheet { Caption = "B"  EditB : TEdit { Left = 8  Top = 8 } }
    C : TKtTabSheet { Caption = "C"  EditC : TEdit { Left = 8  Top = 8 } }
    D : TKtTabSheet { Caption = "D"  TabVisible = False  EditD : TEdit { Left = 8  Top = 8 } }
  }
}
)";

struct PageControlTest : ::testing::Test {
    void SetUp() override { EnsureApplication(); }
    TRecordingPageControl& Read(const char* text, const char* name = "Pages") {
        form = std::make_unique<TForm>(nullptr);
        ReadComponent(*form, text, "pages.form");
        return *FindRequired<TRecordingPageControl>(*form, name);
    }
    TKtTabSheet& Page(const char* name) const { return *FindRequired<TKtTabSheet>(*form, name); }
    TControl& Control(const char* name) const { return *FindRequired<TControl>(*form, name); }
    void ShowActive() const {
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
    }
    QWindow* Window() const { return form->Widget()->windowHandle(); }
    // The middle of a tab, in the window's coordinates.
    QPoint TabCentre(TKtPageControl& pc, int tab) const {
        pc.LayoutTabs();
        const TRect r = pc.TabRectToClient(pc.Tabs().Items(tab)->LayoutRect);
        const TPoint p = pc.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        return form->Widget()->mapFromGlobal(QPoint(p.X, p.Y));
    }
    std::unique_ptr<TForm> form;
};

}  // namespace dlk::testing
