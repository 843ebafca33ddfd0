#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Every control lies wholly inside its parent's client area, so no label of
// the fixed layouts is cut off in the font the windows are drawn with.
void ExpectEverythingInside(const TControl& parent, const std::string& path) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl& c = *parent.Controls(i);
        const std::string name = path + "." + c.Name();
        EXPECT_GE(c.Left(), 0) << name;
        EXPECT_GE(c.Top(), 0) << name;
        EXPECT_LE(c.Left() + c.Width(), parent.ClientWidth()) << name;
        EXPECT_LE(c.Top() + c.Height(), parent.ClientHeight()) << name;
        ExpectEverythingInside(c, name);
    }
}

TEST(ClientDialogLayout, EveryLabelAndFieldFitsItsDialog) {
    testing::EnsureApplication();
    auto owner = std::make_unique<TForm>(nullptr);
    TForm2 settings(owner.get());
    TForm3 properties(owner.get());
    ExpectEverythingInside(settings, "TForm2");
    ExpectEverythingInside(properties, "TForm3");
}

}  // namespace
}  // namespace dlk
