#include "tabs/caption_sizes.h"

#include <gtest/gtest.h>

#include <string>

namespace dlk {
namespace {

// Each step asks for one caption, with the number of measurings so far after
// it; a flooding step first asks for two thousand changing captions.
TEST(CaptionSizesTest, RemembersPerFontDeviceAndDirectionAndStaysBounded) {
    TFont verdana, bigger;
    verdana.Name = bigger.Name = "Verdana";
    bigger.Height = -14;
    struct Step {
        const TFont& font;
        int dpi;
        const char* caption;
        bool horizontal;
        int measures;
        bool flood = false;
    } const steps[] = {
        {verdana, 96, "One", true, 1},   {verdana, 96, "One", true, 1},
        {verdana, 96, "One", false, 2},  {verdana, 96, "Two", true, 3},
        {bigger, 96, "One", true, 4},    {bigger, 96, "One", true, 4},
        {verdana, 96, "One", true, 5},  // the other font forgot it
        {verdana, 120, "One", true, 6},  {verdana, 120, "1999", true, 2006, true},
        {verdana, 120, "0", true, 2007},
    };
    TKtCaptionSizes sizes;
    int measures = 0;
    auto get = [&](const TFont& font, int dpi, const std::string& caption, bool horizontal) {
        return sizes.Get(font, dpi, caption, horizontal, [&] { return TSize{++measures, 13}; });
    };
    for (const Step& s : steps) {
        if (s.flood)  // the latest of many stay, the first go with a clearing
            for (int i = 0; i < 2000; ++i) get(s.font, s.dpi, std::to_string(i), s.horizontal);
        EXPECT_EQ(get(s.font, s.dpi, s.caption, s.horizontal).cy, 13);
        EXPECT_EQ(measures, s.measures) << s.caption << " " << s.dpi;
    }
}

}  // namespace
}  // namespace dlk
