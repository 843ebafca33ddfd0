#include "tabs/caption_sizes.h"

#include <gtest/gtest.h>

#include <string>

namespace dlk {
namespace {

// Each step asks for one caption; measured: whether it had to be measured.
TEST(CaptionSizesTest, RemembersPerFontDeviceAndDirection) {
    TFont verdana;
    verdana.Name = "Verdana";
    TFont bigger = verdana;
    bigger.Height = -14;
    struct Step {
        const TFont* font;
        int dpi;
        const char* caption;
        bool horizontal;
        bool measured;
    } const steps[] = {
        {&verdana, 96, "One", true, true},  {&verdana, 96, "One", true, false}, {&verdana, 96, "One", false, true},
        {&verdana, 96, "Two", true, true},  {&bigger, 96, "One", true, true},   {&bigger, 96, "One", true, false},
        {&verdana, 96, "One", true, true},  // the other font forgot it
        {&verdana, 120, "One", true, true},
    };
    TKtCaptionSizes sizes;
    int width = 0;
    for (const Step& s : steps) {
        bool measured = false;
        const TSize size = sizes.Get(*s.font, s.dpi, s.caption, s.horizontal, [&] {
            measured = true;
            return TSize{++width, 13};
        });
        EXPECT_EQ(measured, s.measured) << s.caption << " " << s.dpi;
        EXPECT_EQ(size.cy, 13);
    }
}

TEST(CaptionSizesTest, ChangingCaptionsDoNotGrowItWithoutEnd) {
    TKtCaptionSizes sizes;
    const TFont font;
    int measures = 0;
    auto get = [&](int i) { sizes.Get(font, 96, std::to_string(i), true, [&] { return ++measures, TSize{i, 1}; }); };
    for (int i = 0; i < 2000; ++i) get(i);
    EXPECT_EQ(measures, 2000);
    get(1999);  // the latest are still there
    EXPECT_EQ(measures, 2000);
    get(0);  // the first went with a clearing
    EXPECT_EQ(measures, 2001);
}

}  // namespace
}  // namespace dlk
