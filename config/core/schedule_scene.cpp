#include "config/core/schedule_scene.h"

#include <array>
#include <string>

#include "config/core/schedule_time_text.h"

namespace dlk::config {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kDayLine = 0xA0A0A0;
constexpr std::uint32_t kBand = 0xB7EEB0;
constexpr std::uint32_t kBandGray = 0xE0E0E0;
constexpr std::uint32_t kOnLine = 0x008000;
constexpr std::uint32_t kOffLine = 0x0000FF;
constexpr std::uint32_t kGrayLine = 0x808080;
constexpr std::uint32_t kSolid = 0xFFFFFFFF;
constexpr std::uint32_t kDotted = 0xAAAAAAAA;

int ChartX(const ScheduleView& view, int minute) {
    return static_cast<int>(view.MinuteToX(minute));
}

bool HourShown(int zoom, int hour) {
    if (zoom == 1) return hour % 4 == 0;
    if (zoom == 2) return hour % 2 == 0;
    return true;
}

void DrawWeek(ChartSurface& s, const ScheduleView& view) {
    const int w = s.Width(), h = s.Height();
    for (int day = 0; day < 7; ++day) {
        const int day_start = day * kMinutesPerDay;
        s.SetPenColor(kDayLine);
        s.SetLineStyle(kSolid);
        const int x = ChartX(view, day_start);
        s.MoveTo(x, 0);
        s.LineTo(x, h - 22);
        const std::uint32_t color = day < 5 ? kBlack : kRed;
        const char* name = DayName(day);
        const int name_width = s.TextWidth(ChartFont::DayName, name);
        const int name_x = ChartX(view, day_start + kMinutesPerDay / 2) - name_width / 2;
        if (name_x < w && name_x + name_width > 0) s.TextOut(ChartFont::DayName, color, name_x, 0, name);
        s.SetLineStyle(kDotted);
        for (int hour = 1; hour < 24; ++hour) {
            if (!HourShown(view.ZoomFactor, hour)) continue;
            const int hx = ChartX(view, day_start + 60 * hour);
            s.MoveTo(hx, 32);
            s.LineTo(hx, h - 22);
            // Zoomed in, most of the week lies off the chart; text is the
            // dearest thing drawn, so none is drawn where it cannot show.
            const std::string number = std::to_string(hour);
            const int text_x = hx - 3;
            if (text_x >= w || (text_x < 0 && text_x + s.TextWidth(ChartFont::HourNumber, number) <= 0)) continue;
            s.TextOut(ChartFont::HourNumber, color, text_x, 16, number);
        }
        s.SetLineStyle(kSolid);
    }
}

void DrawMarkerOf(ChartSurface& s, const SchedulePoint& point, int x, const SceneOptions& options,
                  const ScheduleMarkers& m) {
    const bool on = point.On != 0;
    const MarkerImage& image =
        on ? (options.WorksBySchedule ? m.On : m.OnGray) : (options.WorksBySchedule ? m.Off : m.OffGray);
    s.DrawMarker(x - 7, s.Height() - 19, on ? m.MaskOn : m.MaskOff, image);
}

}  // namespace

void DrawScheduleScene(ChartSurface& s, const ScheduleTable& table, const ScheduleView& view,
                       const SceneOptions& options, const ScheduleMarkers& markers) {
    const int w = s.Width(), h = s.Height();
    s.Clear(kWhite);

    const std::size_t count = std::min<std::size_t>(table.PointCount, kScheduleRecords);
    std::array<int, kScheduleRecords> xs{};
    for (std::size_t i = 0; i < count; ++i) xs[i] = ChartX(view, table.Points[i].Minute);

    DrawWeek(s, view);

    const std::uint32_t band = options.WorksBySchedule ? kBand : kBandGray;
    auto draw_band = [&](int from, int to) {
        if (options.DrawsBands) s.FillRect(DibRect{from, 36, to, h - 26}, band);
    };
    if (count == 0) return;

    // The unit is on at the left edge when the point before the leftmost one
    // (in week order, so the last before the first) switched it on.
    std::size_t leftmost = 0;
    for (std::size_t i = 1; i < count; ++i)
        if (xs[i] < xs[leftmost]) leftmost = i;
    if (table.Points[(leftmost + count - 1) % count].On != 0) draw_band(0, xs[leftmost]);

    for (std::size_t i = 0; i < count; ++i) {
        const SchedulePoint& point = table.Points[i];
        const int x = xs[i];
        if (point.On != 0) {
            const int next = xs[(i + 1) % count];
            draw_band(x, (next < x || next >= w || count == 1) ? w : next);
            s.SetPenColor(options.WorksBySchedule ? kOnLine : kGrayLine);
        } else {
            s.SetPenColor(options.WorksBySchedule ? kOffLine : kGrayLine);
        }
        s.MoveTo(x, h - 20);
        s.LineTo(x, 30);
        DrawMarkerOf(s, point, x, options, markers);
    }
    if (table.Highlighted && table.HighlightIndex < count)
        DrawMarkerOf(s, table.Points[table.HighlightIndex], xs[table.HighlightIndex], options, markers);
}

}  // namespace dlk::config
