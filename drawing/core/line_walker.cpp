#include "drawing/core/line_walker.h"

#include <cstdlib>
#include <utility>

#include "drawing/core/run_plotters.h"

namespace dlk {
namespace {

constexpr std::int32_t kOne = 65536;
constexpr std::int32_t kHalf = 0x8000;

// Cuts the major axis into one run per step of the minor axis: `start` is the
// first coordinate on the major axis, `end` the last, `major` the signed count
// of major positions and `minor` the count of runs (both at least 1, |major| > minor).
void WalkRuns(RunState& state, RunPlot plot, std::int32_t start, std::int32_t end, std::int32_t major,
              std::int32_t minor) {
    const std::int32_t dir = major < 0 ? -1 : 1;
    const std::int32_t slope = static_cast<std::int32_t>(static_cast<std::int64_t>(major) * kOne / minor);
    std::int32_t position = (start - dir) * kOne + kHalf;
    std::int32_t previous = start - dir;
    for (std::int32_t i = 1; i < minor; ++i) {
        position += slope;
        const std::int32_t b = position >> 16;  // floor, sign kept
        state.Count = b - previous;
        previous = b;
        plot(state);
    }
    state.Count = end - previous;
    plot(state);
}

// The first pixel's address and the byte steps for the format. Pixels
// narrower than a byte are addressed by row and column instead.
RunState SetupWalker(const WalkTarget& target, std::int32_t x1, std::int32_t y1, std::int32_t sx, std::int32_t sy) {
    const int bytes = BytesPerPixel(target.Format);
    RunState state;
    state.Address =
        target.TopRow + static_cast<std::ptrdiff_t>(y1) * target.RowStep + static_cast<std::ptrdiff_t>(x1) * bytes;
    state.X = x1;
    state.Sx = sx;
    state.Sy = sy;
    state.Along = static_cast<std::ptrdiff_t>(sx) * bytes;
    state.Across = sy * target.RowStep;
    state.Pen = target.Pen;
    return state;
}

}  // namespace

void WalkLine(const WalkTarget& target, const ClippedSegment& seg, std::uint32_t& pattern) {
    std::int32_t x1 = seg.X1, y1 = seg.Y1, x2 = seg.X2, y2 = seg.Y2;
    if (seg.XOrder < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const std::int32_t sx = seg.XOrder;
    const std::int32_t sy = seg.YDirection;
    const std::int32_t nx = x2 - x1 + sx;  // signed counts of columns and rows covered
    const std::int32_t ny = y2 - y1 + sy;

    RunState state = SetupWalker(target, x1, y1, sx, sy);
    state.Pattern = pattern;

    if (target.RasterOp >= kRasterOpRows) return;  // no plotter: nothing drawn, phase kept
    const int index = target.RasterOp * 7 + static_cast<int>(target.Format);
    const std::int32_t cols = std::abs(nx);
    const std::int32_t rows = std::abs(ny);
    if (cols == rows) {
        state.Count = nx;
        state.Along += state.Across;
        DiagonalRunPlotters[index](state);
    } else if (cols > rows) {
        WalkRuns(state, RowRunPlotters[index], x1, x2, nx, rows);
    } else {
        WalkRuns(state, ColumnRunPlotters[index], y1, y2, ny, cols);
    }
    pattern = state.Pattern;
}

}  // namespace dlk
