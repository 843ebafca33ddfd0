#include "config/core/schedule_markers.h"

#include <cstdlib>
#include <utility>

namespace dlk::config {
namespace {

constexpr int kPoint = 7;  // the arrow's column

// Rows from the point: the head widens by one pixel each side per row to
// 15, then the shaft is 7 wide.
bool OnUpArrow(int row, int column) {
    const int from_centre = std::abs(column - kPoint);
    return row < 8 ? from_centre <= row : from_centre <= 3;
}

bool OnArrow(bool up, int row, int column) {
    return OnUpArrow(up ? row : kMarkerSide - 1 - row, column);
}

// An edge pixel: the arrow's outline, drawn darker.
bool OnEdge(bool up, int row, int column) {
    for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int r = row + dr, c = column + dc;
        if (r < 0 || r >= kMarkerSide || c < 0 || c >= kMarkerSide || !OnArrow(up, r, c)) return true;
    }
    return false;
}

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

enum class Hue { Green, Red, Gray };

// Lightest along the arrow's middle, darker towards its sides.
std::uint32_t Shade(Hue hue, bool edge, int column) {
    const int level = edge ? 0x70 : 0xE0 - 14 * std::abs(column - kPoint);
    const int soft = edge ? 0x10 : level / 3;
    switch (hue) {
        case Hue::Green: return Rgb(soft, level, soft);
        case Hue::Red: return Rgb(level, soft, soft);
        case Hue::Gray: break;
    }
    const int gray = (level + 2 * soft) / 3 + 0x20;
    return Rgb(gray, gray, gray);
}

MarkerImage Arrow(bool up, Hue hue) {
    MarkerImage image{};
    for (int row = 0; row < kMarkerSide; ++row)
        for (int column = 0; column < kMarkerSide; ++column)
            if (OnArrow(up, row, column))
                image[row * kMarkerSide + column] = Shade(hue, OnEdge(up, row, column), column);
    return image;
}

MarkerImage Mask(bool up) {
    MarkerImage mask{};
    for (int row = 0; row < kMarkerSide; ++row)
        for (int column = 0; column < kMarkerSide; ++column)
            mask[row * kMarkerSide + column] = OnArrow(up, row, column) ? 0 : 0xFFFFFF;
    return mask;
}

}  // namespace

const ScheduleMarkers& DefaultScheduleMarkers() {
    static const ScheduleMarkers markers{Arrow(true, Hue::Green),
                                         Arrow(false, Hue::Red),
                                         Arrow(true, Hue::Gray),
                                         Arrow(false, Hue::Gray),
                                         Mask(true),
                                         Mask(false)};
    return markers;
}

}  // namespace dlk::config
