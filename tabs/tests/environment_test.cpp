#include "tabs/environment.h"

#include <gtest/gtest.h>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(EnvironmentTest, ScreenDepthAndFontTest) {
    testing::EnsureApplication();
    EXPECT_TRUE(IsTrueColorDisplay());
    EXPECT_EQ(TrueColorDisplay(), IsTrueColorDisplay());

    TFont font;
    font.Name = "DejaVu Sans";
    EXPECT_TRUE(IsTrueTypeFont(font));
    std::string asked;
    SetTrueTypeFontTest([&](const TFont& f) {
        asked = f.Name;
        return f.Name != "MS Sans Serif";
    });
    font.Name = "MS Sans Serif";
    EXPECT_FALSE(IsTrueTypeFont(font));
    EXPECT_EQ(asked, "MS Sans Serif");
    SetTrueTypeFontTest(nullptr);
    EXPECT_TRUE(IsTrueTypeFont(font));
}

}  // namespace
}  // namespace dlk
