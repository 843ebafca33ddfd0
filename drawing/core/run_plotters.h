#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dlk {

// What one segment's walk hands to every plotter call. A plotter changes only
// the address, the count and the pattern.
struct RunState {
    std::uint8_t* Address = nullptr;  // first byte of the run's first pixel; on return, of the next run's
    std::int32_t X = 0;               // pixels narrower than a byte: the column, with `address` on its row
    std::int32_t Count = 0;           // pixels in the run, signed with the direction along the run; never 0
    std::int32_t Sx = 1;              // x direction, +1 or -1
    std::int32_t Sy = 1;              // y direction, +1 or -1
    std::ptrdiff_t Along = 0;         // bytes to the next pixel on a row (the combined step for the diagonal run)
    std::ptrdiff_t Across = 0;        // bytes to the next row in the y direction
    std::uint32_t Pen = 0;            // the prepared pen pixel, replicated to 32 bits
    std::uint32_t Pattern = 0;        // rotated left once for every pixel visited
};

using RunPlot = void (*)(RunState&);

// Codes of the surface's raster operation; 5 and 6 have table rows but no settled meaning.
enum RasterOp : std::uint8_t { kRopCopy = 0, kRopInvert = 1, kRopAnd = 2, kRopOr = 3, kRopXor = 4 };

inline constexpr int kRasterOpRows = 7;
inline constexpr int kPlotterCount = kRasterOpRows * 7;

// Indexed by raster op * 7 + format. The ops without a settled meaning hold a
// plotter that touches nothing and leaves the run state as it was (op 5 copies
// 8-bit pixels, op 6 has none). Pixels narrower than a byte are stepped by
// column (`x`, `sx`) and row (`address`, `across`); `along` is not used for them.
extern const std::array<RunPlot, kPlotterCount> RowRunPlotters;
extern const std::array<RunPlot, kPlotterCount> ColumnRunPlotters;
extern const std::array<RunPlot, kPlotterCount> DiagonalRunPlotters;

void PlotNothing(RunState& state);

}  // namespace dlk
