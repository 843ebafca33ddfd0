#pragma once

#include <string>

#include "config/core/schedule_table.h"
#include "config/core/schedule_view.h"

namespace dlk::config {

inline constexpr char kTooManyPointsCaption[] = "Нет";
inline constexpr char kTooManyPointsText[] = "Уже назначены 127 точек - это максимум.\rПопробуйте удалить лишние.";

// The chart page's mouse and menu logic without the page: the page passes
// its events on in page coordinates and then shows TimeLabel (Label10) and
// redraws when asked. The chart starts 64 pixels down the page; below y =
// 170 lies the strip where the markers are picked up.
class ScheduleChart {
public:
    static constexpr int kChartTop = 64;
    static constexpr int kMarkerStripTop = 171;

    struct TimeLabel {
        bool Visible = false;
        int Left = 0;
        std::string Text;
    };

    struct MenuItems {
        bool RemovePoint = false;  // N1 "убрать точку"
        bool AddOnPoint = false;   // N2 "добавить точку вкл."
        bool AddOffPoint = false;  // N3 "добавить точку выкл."
    };

    ScheduleChart(ScheduleTable& table, int chart_width);

    ScheduleView& View() { return view_; }
    const ScheduleView& View() const { return view_; }
    const TimeLabel& Label() const { return label_; }
    bool Dragging() const { return dragging_; }
    // Whether a right press left the page's pop-up menu on (below the strip) or off.
    bool PopupAssigned() const { return popup_assigned_; }

    // Each returns whether the chart needs drawing again.
    bool MouseMove(int x, int y);
    void LeftDown(int x, int y);
    void RightDown(int y);
    void LeftUp() { dragging_ = false; }
    void MouseLeave();
    // One wheel step; towards the user zooms out.
    bool Wheel(bool towards_user);

    // The pop-up menu is about to show: which items it offers.
    MenuItems Popup(bool switches_off);
    // N2 and N3: false (and nothing changes) when the table is full, for the
    // too-many-points box.
    bool AddPoint(bool on);
    // N1.
    void RemovePoint();
    // SpeedButton2: an empty week at zoom 1.
    void Clear();

private:
    ScheduleTable& table_;
    ScheduleView view_;
    TimeLabel label_;
    int last_mouse_x_ = 0;
    bool dragging_ = false;
    bool popup_over_point_ = false;
    bool popup_assigned_ = false;
};

}  // namespace dlk::config
