// The schedule table, the chart's minute/x mapping, zoom and pan, the hover
// search and the time text.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "config/core/schedule_table.h"
#include "config/core/schedule_time_text.h"
#include "config/core/schedule_view.h"
#include "config/core/tests/schedule_table_of.h"

namespace dlk::config {
namespace {

using testing::TableOf;

std::vector<int> Minutes(const ScheduleTable& table) {
    std::vector<int> minutes;
    for (const SchedulePoint& p : table.InUse()) minutes.push_back(p.Minute);
    return minutes;
}

TEST(ScheduleTable, SortingIsStableAndTheHighlightFollowsItsPoint) {
    ScheduleTable table = TableOf({{300, 1, 0}, {100, 0, 0}, {300, 0, 0}, {200, 1, 0}, {100, 1, 0}});
    table.SetHighlight(2);  // the second of the two at 300: the OFF one
    table.SortPoints();
    EXPECT_EQ(Minutes(table), (std::vector<int>{100, 100, 200, 300, 300}));
    // Equal minutes keep their order.
    EXPECT_EQ(table.Points[0].On, 0);
    EXPECT_EQ(table.Points[1].On, 1);
    EXPECT_EQ(table.HighlightIndex, 4);
    EXPECT_EQ(table.Points[4], (SchedulePoint{300, 0, 1}));
}

TEST(ScheduleTable, RemovalTakesTheMarkedPointEvenAfterTheMarkWasCleared) {
    ScheduleTable table;
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(table.AddPoint(static_cast<std::uint16_t>(10000 - i), i % 2 == 0));
    table.SetHighlight(10);
    const std::uint16_t removed = table.Points[10].Minute;
    table.ClearHighlight();  // the menu's own leave notice
    table.RemoveHighlightedPoint();
    EXPECT_EQ(table.PointCount, 19);
    for (const SchedulePoint& p : table.InUse()) EXPECT_NE(p.Minute, removed);
    EXPECT_FALSE(table.Highlighted);
}

TEST(ScheduleView, MinutesMapToChartXAroundTheWeek) {
    struct Case {
        std::uint8_t Zoom;
        double Offset;
        int Minute;
        std::int64_t X;
    };
    const Case cases[] = {
        {1, 0, 0, 0},
        {1, 0, 10079, 789},
        {1, 0, 5040, 395},
        {2, 0, 5040, 790},
        {1, 5040, 0, 395},
        {1, 5040, 5040, 0},
        {1, -100, 0, 7},
        {1, -100, 9900, 783},
        {1, -100, 10000, 1},
        {128, 0, 10079, 101109},
        {128, 10000, 100, 180 * 128 * 790 / 10080},
        {1, 0.5, 1, 0},
        {1, 1.5, 3, 0},  // halves to even: 0.5 -> 0, 1.5 -> 2 -> x 0
    };
    for (const Case& c : cases) {
        ScheduleView view{790, c.Zoom, c.Offset};
        EXPECT_EQ(view.MinuteToX(c.Minute), c.X) << int(c.Zoom) << " " << c.Offset << " " << c.Minute;
    }
}

TEST(ScheduleView, XToMinuteStaysInsideTheWeek) {
    struct Case {
        std::uint8_t Zoom;
        double Offset;
        int X;
        int Minute;
    };
    const Case cases[] = {
        {1, 0, 0, 0},     {1, 0, 395, 5040}, {1, 0, 789, 10067},    {1, 9000, 395, 3960}, {1, -9000, 100, 2356},
        {1, 10080, 0, 0}, {1, -10080, 0, 0}, {128, 10079, 789, 78}, {1, 9990, 900, 1314},  // past the right edge
        {1, 0, -5, 0},  // the mouse's 16-bit x: -5 is 65531, checked for range only
    };
    for (const Case& c : cases) {
        ScheduleView view{790, c.Zoom, c.Offset};
        const int m = view.XToMinute(c.X);
        EXPECT_GE(m, 0);
        EXPECT_LT(m, kMinutesPerWeek);
        if (c.X >= 0) {
            EXPECT_EQ(m, c.Minute) << c.X << " " << c.Offset;
        }
    }
}

TEST(ScheduleView, ZoomKeepsTheMinuteUnderTheMouseAndTheOffsetInsideTheWeek) {
    ScheduleView view;
    EXPECT_EQ(view.HoverTolerance(), 77);
    for (int x : {0, 100, 395, 789}) {
        view.Reset();
        view.ViewOffset = 1234;
        const int before = view.XToMinute(x);
        for (int step = 0; step < 3; ++step) view.ZoomIn(x);
        EXPECT_EQ(view.ZoomFactor, 8);
        EXPECT_NEAR(view.XToMinute(x), before, 1) << x;
        for (int step = 0; step < 3; ++step) view.ZoomOut(x);
        EXPECT_EQ(view.ZoomFactor, 1);
        EXPECT_NEAR(view.XToMinute(x), before, 1) << x;
    }

    // Fully in at the right edge, fully out at the left, twice.
    view.Reset();
    for (int round = 0; round < 2; ++round) {
        for (int step = 0; step < 8; ++step) view.ZoomIn(789);
        EXPECT_EQ(view.ZoomFactor, 128);
        for (int step = 0; step < 8; ++step) view.ZoomOut(0);
        EXPECT_EQ(view.ZoomFactor, 1);
        EXPECT_LE(std::abs(view.ViewOffset), kMinutesPerWeek);
    }
    // Past the ends nothing moves.
    const double offset = view.ViewOffset;
    view.ZoomOut(500);
    EXPECT_EQ(view.ViewOffset, offset);
    for (int step = 0; step < 7; ++step) view.ZoomIn(500);
    const double zoomed = view.ViewOffset;
    view.ZoomIn(500);
    EXPECT_EQ(view.ZoomFactor, 128);
    EXPECT_EQ(view.ViewOffset, zoomed);
}

TEST(ScheduleView, HoverFindsTheFirstPointWithinTheToleranceWithoutWrapping) {
    const ScheduleTable table = TableOf({{100, 1, 0}, {150, 0, 0}, {10070, 1, 0}});
    struct Case {
        int Minute;
        int Found;  // -1: none
    };
    for (const Case c : {Case{130, 0},
                         {176, 0},
                         {177, 1},
                         {226, 1},
                         {227, -1},
                         {24, 0},
                         {23, -1},
                         {5, -1},  // 10070 is 15 minutes away across the week's end
                         {10000, 2}}) {
        const auto found = FindPointNear(table, c.Minute, 77);
        EXPECT_EQ(found ? int(*found) : -1, c.Found) << c.Minute;
    }
}

TEST(ScheduleTimeText, NamesTheDayAndTheTime) {
    struct Case {
        int Minute;
        const char* Text;
    };
    for (const Case c : {Case{0, "понедельник 0:00"},
                         {65, "понедельник 1:05"},
                         {1439, "понедельник 23:59"},
                         {1440 * 2 + 600, "среда 10:00"},
                         {10079, "воскресенье 23:59"},
                         {10080 + 61, "понедельник 1:01"},
                         {16383, "пятница 9:03"}}) {
        EXPECT_EQ(ScheduleTimeText(c.Minute), c.Text) << c.Minute;
    }
}

}  // namespace
}  // namespace dlk::config
