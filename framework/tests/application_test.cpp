#include "framework/application/application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Notes when it becomes shown or hidden on screen and when its parent's
// colour changes.
class TNotedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Noted;

protected:
    void ShowingChanged() override { Noted.push_back(Showing() ? "shown" : "hidden"); }
    void ParentColorChanged() override {
        Noted.push_back("parent colour");
        TCustomControl::ParentColorChanged();
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
};

TEST_F(ApplicationTest, ShowingChangesWithTheControlAndWithItsWindow) {
    TForm form(nullptr);
    auto* child = new TNotedControl(&form);
    child->SetParent(&form);
    form.Show();
    child->Hide();
    form.Hide();  // the child was not showing: nothing to tell
    form.Show();
    child->Show();
    form.Hide();
    EXPECT_EQ(child->Noted, (std::vector<std::string>{"shown", "hidden", "shown", "hidden"}));
}

TEST_F(ApplicationTest, AColourChangeIsToldToEveryChildAndTakenByThoseWithParentColor) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* inner = new TNotedControl(&form);
    inner->SetParent(panel);
    auto* own = new TNotedControl(&form);
    own->SetParent(panel);
    own->SetColor(clYellow);
    auto* underOwn = new TNotedControl(&form);
    underOwn->SetParent(own);

    form.SetColor(clRed);
    EXPECT_EQ(panel->Color(), clRed);
    EXPECT_EQ(inner->Color(), clRed);
    EXPECT_EQ(own->Color(), clYellow);
    EXPECT_EQ(underOwn->Color(), clYellow);
    EXPECT_EQ(inner->Noted, std::vector<std::string>{"parent colour"});
    EXPECT_EQ(own->Noted, std::vector<std::string>{"parent colour"});  // told, though it keeps its own
    EXPECT_TRUE(underOwn->Noted.empty());                              // its parent's colour stayed

    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clRed);
    EXPECT_EQ(underOwn->Color(), clRed);
}

TEST_F(ApplicationTest, EverySubscriberGetsTheIdleEventAndAFreedOneNoMore) {
    std::vector<std::string> idles;
    Application().OnIdle = [&](TObject*, bool&) { idles.push_back("program"); };
    auto first = std::make_unique<TApplicationEvents>(nullptr);
    auto second = std::make_unique<TApplicationEvents>(nullptr);
    first->OnIdle = [&](TObject*, bool&) {
        idles.push_back("first");
        second.reset();  // a subscriber may free another from its handler
    };
    second->OnIdle = [&](TObject*, bool&) { idles.push_back("second"); };
    Application().DoIdle();
    Application().DoIdle();
    Application().OnIdle = nullptr;
    EXPECT_EQ(idles, (std::vector<std::string>{"program", "first", "program", "first"}));
}

}  // namespace
}  // namespace dlk
