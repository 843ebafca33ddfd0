// The chart page's mouse and menu logic, driven as the page drives it.
#include "config/core/schedule_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dlk::config {
namespace {

constexpr int kStrip = 180;  // a y in the marker strip
constexpr int kTimes = 100;  // a y above it

class ScheduleChartTest : public ::testing::Test {
protected:
    ScheduleTable table;
    ScheduleChart chart{table, 790};

    void Add(int x, bool on) {
        chart.MouseMove(x, kTimes);
        ASSERT_TRUE(chart.AddPoint(on));
    }
};

TEST_F(ScheduleChartTest, HoverInTheMarkerStripFindsTheFirstPointWithinSixPixels) {
    Add(100, true);  // minute 1276
    Add(104, false);
    Add(300, true);
    struct Case {
        int X, Y;
        bool Highlighted;
        int Index;
        bool LabelShown;
        bool Redraw;  // the mark moved, so the marker on top changes
    };
    // x 100 is minute 1276, x 104 minute 1327; the tolerance is 77 minutes.
    const char* const times[] = {"понедельник 21:16", "понедельник 22:07"};
    for (const Case c : {Case{100, kStrip, true, 0, true, true},
                         {105, kStrip, true, 0, true, false},
                         {106, kStrip, true, 1, true, true},
                         {200, kStrip, false, 0, false, true},
                         {100, kTimes, false, 0, true, false},
                         {100, 10, false, 0, false, false}}) {
        EXPECT_EQ(chart.MouseMove(c.X, c.Y), c.Redraw) << c.X << "," << c.Y;
        EXPECT_EQ(table.Highlighted, c.Highlighted) << c.X << "," << c.Y;
        if (c.Highlighted) {
            EXPECT_EQ(table.HighlightIndex, c.Index) << c.X;
            EXPECT_EQ(chart.Label().Text, times[c.Index]);
        }
        EXPECT_EQ(chart.Label().Visible, c.LabelShown) << c.X << "," << c.Y;
    }
    EXPECT_EQ(chart.Label().Left, 100);
}

TEST_F(ScheduleChartTest, DraggingPansOrMovesTheMarkedPoint) {
    chart.LeftDown(400, kTimes);
    for (int i = 0; i < 10; ++i) {
        chart.MouseMove(-300, kTimes);  // off the chart: taken as x 0
        chart.MouseMove(789, kTimes);
        EXPECT_LE(std::abs(chart.View().ViewOffset), 10080);
    }
    EXPECT_TRUE(chart.Label().Visible);
    chart.LeftUp();
    chart.View().Reset();

    Add(100, true);
    Add(300, false);
    Add(500, true);
    chart.MouseMove(100, kStrip);
    ASSERT_TRUE(table.Highlighted);
    chart.LeftDown(100, kStrip);
    EXPECT_TRUE(chart.MouseMove(400, kStrip));
    EXPECT_EQ(table.Points[1].Minute, chart.View().XToMinute(400));
    EXPECT_EQ(table.Points[1].On, 1);
    EXPECT_EQ(table.HighlightIndex, 1);
    EXPECT_EQ(chart.View().ViewOffset, 0);
    chart.LeftUp();
    EXPECT_FALSE(chart.Dragging());
}

TEST_F(ScheduleChartTest, TheMenuAddsAtTheLastMouseXAndRemovesTheMarkedPoint) {
    chart.MouseMove(395, kTimes);
    const auto items = chart.Popup(/*switches_off=*/false);
    EXPECT_TRUE(items.AddOnPoint);
    EXPECT_FALSE(items.AddOffPoint);
    EXPECT_FALSE(items.RemovePoint);
    ASSERT_TRUE(chart.AddPoint(true));
    EXPECT_EQ(table.Points[0].Minute, 5040);

    chart.MouseMove(395, kStrip);
    const auto over = chart.Popup(true);
    EXPECT_TRUE(over.RemovePoint);
    EXPECT_FALSE(over.AddOnPoint || over.AddOffPoint);
    chart.MouseLeave();  // the menu takes the mouse
    EXPECT_FALSE(table.Highlighted);
    chart.RemovePoint();
    EXPECT_EQ(table.PointCount, 0);
    chart.LeftDown(395, kTimes);
    EXPECT_TRUE(chart.Dragging());
    chart.LeftUp();

    // The click that dismisses a menu opened over a point starts no drag.
    ASSERT_TRUE(chart.AddPoint(false));
    chart.MouseMove(395, kStrip);
    chart.Popup(true);
    chart.LeftDown(395, kTimes);
    EXPECT_FALSE(chart.Dragging());
    chart.LeftDown(395, kTimes);
    EXPECT_TRUE(chart.Dragging());
    chart.LeftUp();
    table.Clear();

    for (int i = 0; i < 127; ++i) ASSERT_TRUE(chart.AddPoint(i % 2));
    EXPECT_FALSE(chart.AddPoint(true));
    EXPECT_EQ(table.PointCount, 127);
}

TEST_F(ScheduleChartTest, WheelZoomsAroundTheMouseAndRightPressesAssignTheMenu) {
    chart.MouseMove(600, kTimes);
    const int minute = chart.View().XToMinute(600);
    EXPECT_TRUE(chart.Wheel(false));
    EXPECT_EQ(chart.View().ZoomFactor, 2);
    EXPECT_EQ(chart.View().XToMinute(600), minute);
    chart.Wheel(true);
    chart.Wheel(true);  // already at zoom 1: only a redraw
    EXPECT_EQ(chart.View().ZoomFactor, 1);
    EXPECT_NEAR(chart.View().ViewOffset, 0, 1e-9);

    chart.RightDown(100);
    EXPECT_TRUE(chart.PopupAssigned());
    chart.MouseMove(10, 20);
    EXPECT_FALSE(chart.PopupAssigned());

    Add(10, true);
    chart.Wheel(false);
    chart.Clear();
    EXPECT_EQ(table.PointCount, 0);
    EXPECT_EQ(chart.View().ZoomFactor, 1);
}

}  // namespace
}  // namespace dlk::config
