// The week drawn on an in-memory 790 x 129 surface, checked pixel by pixel.
#include "config/core/schedule_scene.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/core/raster_chart_surface.h"
#include "config/core/tests/schedule_table_of.h"

namespace dlk::config {
namespace {

using testing::TableOf;

constexpr int kW = 790, kH = 129;
constexpr std::uint32_t kBand = 0xB7EEB0, kGrayBand = 0xE0E0E0, kWhite = 0xFFFFFF;

// Text is recorded rather than drawn: fonts are the program's business.
class MemorySurface final : public RasterChartSurface {
public:
    struct Text {
        ChartFont Font;
        std::uint32_t Color;
        int X, Y;
        std::string Utf8;
    };

    MemorySurface() : RasterChartSurface(raster_) {}

    int TextWidth(ChartFont, std::string_view text) override { return 5 * static_cast<int>(text.size()); }
    void TextOut(ChartFont font, std::uint32_t color, int x, int y, std::string_view text) override {
        texts.push_back({font, color, x, y, std::string(text)});
    }

    std::uint32_t Pixel(int x, int y) const {
        const PixelRows rows = raster_.Rows();
        const std::uint8_t* p = rows.TopRow + y * rows.RowStep + 3 * x;
        return p[2] | (p[1] << 8) | (p[0] << 16);
    }

    std::vector<Text> texts;

private:
    std::vector<std::uint8_t> memory_ = std::vector<std::uint8_t>(ImageSize(kW, kH, DibFormat::Rgb24));
    DibRaster raster_{memory_.data(), kW, kH, DibFormat::Rgb24};
};

// The columns in the colour `color` along row y.
std::set<int> ColumnsIn(const MemorySurface& s, int y, std::uint32_t color) {
    std::set<int> columns;
    for (int x = 0; x < kW; ++x)
        if (s.Pixel(x, y) == color) columns.insert(x);
    return columns;
}

std::set<int> Bands(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> columns;
    for (const auto& [from, to] : ranges)
        for (int x = from; x < to; ++x) columns.insert(x);
    return columns;
}

std::set<int> Range(int from, int to, std::set<int> without = {}) {
    std::set<int> columns;
    for (int x = from; x < to; ++x)
        if (!without.count(x)) columns.insert(x);
    return columns;
}

TEST(ScheduleScene, BandsRunWhereTheUnitIsOn) {
    struct Case {
        const char* What;
        std::vector<SchedulePoint> Points;
        SceneOptions Options;
        double Offset;
        std::uint32_t BandColor;
        std::set<int> Expected;  // columns of row 60 in the band colour
    };
    const ScheduleView view;
    // Fills leave the surface's last column alone, so a band to the right
    // edge ends at 788.
    const int x1000 = 78, x5040 = 395, x9000 = 705, last = kW - 1;
    const Case cases[] = {
        {"one ON point", {{5040, 1, 0}}, {true, true}, 0, kBand, Range(0, last, {x5040})},
        {"last ON, first OFF",
         {{1000, 0, 0}, {9000, 1, 0}},
         {true, true},
         0,
         kBand,
         Bands({{0, x1000}, {x9000 + 1, last}})},
        {"ON then OFF", {{1000, 1, 0}, {5040, 0, 0}}, {true, true}, 0, kBand, Range(x1000 + 1, x5040)},
        {"not by the schedule: grey", {{5040, 1, 0}}, {false, true}, 0, kGrayBand, Range(0, last, {x5040})},
        {"a unit that never switches off", {{1000, 1, 0}, {5040, 0, 0}}, {true, false}, 0, kBand, {}},
        // Panned by 3000 minutes: the OFF point at x 159 is leftmost, the ON
        // point before it (at 633) runs to the right edge and on from the left.
        {"panned", {{1000, 1, 0}, {5040, 0, 0}}, {true, true}, 3000, kBand, Bands({{0, 159}, {634, last}})},
    };
    for (const Case& c : cases) {
        MemorySurface surface;
        ScheduleView panned = view;
        panned.ViewOffset = c.Offset;
        DrawScheduleScene(surface, TableOf(c.Points), panned, c.Options);
        EXPECT_EQ(ColumnsIn(surface, 60, c.BandColor), c.Expected) << c.What;
        if (!c.Options.DrawsBands) {
            EXPECT_TRUE(ColumnsIn(surface, 60, kGrayBand).empty()) << c.What;
        }
    }
}

TEST(ScheduleScene, PointLinesAndMarkersFollowThePalette) {
    struct Case {
        bool ByTheSchedule;
        std::uint8_t On;
        std::uint32_t Line;
    };
    for (const Case c : {Case{true, 1, 0x008000}, {true, 0, 0x0000FF}, {false, 1, 0x808080}, {false, 0, 0x808080}}) {
        MemorySurface surface;
        DrawScheduleScene(surface, TableOf({{5040, c.On, 0}}), ScheduleView{}, {c.ByTheSchedule, true});
        EXPECT_EQ(surface.Pixel(395, 31), c.Line);
        EXPECT_EQ(surface.Pixel(395, kH - 21), c.Line);
        EXPECT_EQ(surface.Pixel(395, 29), kWhite);
        const ScheduleMarkers& m = DefaultScheduleMarkers();
        const MarkerImage& image = c.On ? (c.ByTheSchedule ? m.On : m.OnGray) : (c.ByTheSchedule ? m.Off : m.OffGray);
        // The arrow's middle column, point to end.
        for (int row = 0; row < kMarkerSide; ++row)
            EXPECT_EQ(surface.Pixel(395, kH - 19 + row), image[row * kMarkerSide + 7]) << row;
    }
}

TEST(ScheduleScene, DaysAndHoursAsTheZoomAllows) {
    struct Case {
        std::uint8_t Zoom;
        std::size_t HourNumbers;
    };
    // Only what falls on the chart is drawn: zoomed in twice it shows half
    // the week, four times a little under two days, 128 times 79 minutes.
    for (const Case c : {Case{1, 5 * 7}, {2, 39}, {4, 41}, {128, 1}}) {
        MemorySurface surface;
        DrawScheduleScene(surface, ScheduleTable{}, ScheduleView{kW, c.Zoom, 0}, {true, true});
        std::size_t hours = 0;
        for (const auto& t : surface.texts) {
            if (t.Font == ChartFont::HourNumber) {
                ++hours;
                const int every = c.Zoom == 1 ? 4 : c.Zoom == 2 ? 2 : 1;
                EXPECT_EQ(std::stoi(t.Utf8) % every, 0);
                EXPECT_EQ(t.Y, 16);
                EXPECT_LT(t.X, kW);
            }
        }
        EXPECT_EQ(hours, c.HourNumbers) << int(c.Zoom);
    }

    MemorySurface surface;
    DrawScheduleScene(surface, ScheduleTable{}, ScheduleView{}, {true, true});
    std::vector<std::pair<std::string, std::uint32_t>> days;
    for (const auto& t : surface.texts)
        if (t.Font == ChartFont::DayName) days.emplace_back(t.Utf8, t.Color);
    ASSERT_EQ(days.size(), 7u);
    EXPECT_EQ(days[0], (std::pair<std::string, std::uint32_t>{"понедельник", 0x000000}));
    EXPECT_EQ(days[4].second, 0x000000u);
    EXPECT_EQ(days[5], (std::pair<std::string, std::uint32_t>{"суббота", 0x0000FF}));
    EXPECT_EQ(days[6].second, 0x0000FFu);
    // Day lines are solid and grey; the hour lines between them dotted.
    for (int y = 0; y <= kH - 22; ++y) ASSERT_EQ(surface.Pixel(112, y), 0xA0A0A0u) << y;
    EXPECT_EQ(surface.Pixel(112, kH - 21), kWhite);
    int dotted = 0;
    for (int y = 32; y <= kH - 22; ++y) dotted += surface.Pixel(18, y) == 0xA0A0A0;  // 04:00 on Monday
    EXPECT_NEAR(dotted, (kH - 22 - 32 + 1) / 2, 1);
    EXPECT_EQ(surface.Pixel(18, 31), kWhite);
}

TEST(ScheduleScene, MarkersAreClippedAtBothEdgesAndTheHighlightedOneLiesOnTop) {
    const ScheduleMarkers& m = DefaultScheduleMarkers();
    MemorySurface surface;
    DrawScheduleScene(surface, TableOf({{0, 1, 0}, {10079, 0, 0}}), ScheduleView{}, {true, true});
    // Half of the first arrow at the left edge, the last at 789 cut at the right.
    EXPECT_EQ(surface.Pixel(0, kH - 19 + 7), m.On[7 * kMarkerSide + 7]);
    EXPECT_EQ(surface.Pixel(789, kH - 19 + 15), m.Off[15 * kMarkerSide + 7]);

    // An ON and an OFF point one pixel apart: the later one covers the first,
    // unless the first is highlighted.
    const int on_x = 78;
    const std::size_t covered = 2 * kMarkerSide + 7;  // row 2 of the ON arrow's point column
    for (const bool highlight : {false, true}) {
        ScheduleTable table = TableOf({{1000, 1, 0}, {1013, 0, 0}});
        if (highlight) table.SetHighlight(0);
        ASSERT_EQ(ScheduleView{}.MinuteToX(1013), on_x + 1);
        MemorySurface s;
        DrawScheduleScene(s, table, ScheduleView{}, {true, true});
        const std::uint32_t expected = highlight ? m.On[covered] : m.Off[covered - 1];
        EXPECT_EQ(s.Pixel(on_x, kH - 19 + 2), expected) << highlight;
    }
}

}  // namespace
}  // namespace dlk::config
