#pragma once

#include <gtest/gtest.h>

#include <QFont>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/core/description_reader.h"
#include "framework/tests/qt_test_app.h"
#include "tabs/kt_page_control.h"

namespace dlk::testing {

// A page control that notes its change events from the moment it exists,
// so that a stored description read into it shows what reading raised.
class TRecordingPageControl : public TKtPageControl {
    DLK_COMPONENT(TRecordingPageControl)
public:
    explicit TRecordingPageControl(TComponent* owner) : TKtPageControl(owner) {
        OnChanging = [this](TObject*, int index, bool& allow) {
            Log.push_back("changing " + std::to_string(index) + " from " + Active());
            allow = Allow;
        };
        OnChange = [this](TObject*) { Log.push_back("change " + Active()); };
        OnPageChange = [this](TObject*) { Log.push_back("page " + Active()); };
        OnTabOrderChange = [this](TObject*, int from, int to) {
            Log.push_back("order " + std::to_string(from) + ">" + std::to_string(to));
        };
    }
    std::string Active() const { return ActivePage() != nullptr ? ActivePage()->Name() : "none"; }
    // The pages whose own visibility flag is on, and the page order.
    std::string Shown() const {
        std::string s;
        for (int i = 0; i < PageCount(); ++i)
            if (Pages(i)->GetVisible()) s += (s.empty() ? "" : " ") + Pages(i)->Name();
        return s;
    }
    std::string Order() const {
        std::string s;
        for (int i = 0; i < PageCount(); ++i) s += (i ? " " : "") + Pages(i)->Name();
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
  Pages : TRecordingPageControl {
    Align = alClient
    ActivePage = @A
    A : TKtTabSheet { Caption = "A"  EditA : TEdit { Left = 8  Top = 8  Width = 80  Height = 21 } }
    B : TKtTabSheet { Caption = "B"  EditB : TEdit { Left = 8  Top = 8  Width = 80  Height = 21 } }
    C : TKtTabSheet { Caption = "C"  EditC : TEdit { Left = 8  Top = 8  Width = 80  Height = 21 } }
    D : TKtTabSheet { Caption = "D"  TabVisible = False
      EditD : TEdit { Left = 8  Top = 8  Width = 80  Height = 21 } }
  }
}
)";

struct PageControlTest : ::testing::Test {
    void SetUp() override { EnsureApplication(); }
    // A window read from text; its page control is the one named.
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
    std::unique_ptr<TForm> form;
};

}  // namespace dlk::testing
