#include "drawing/core/run_plotters.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace dlk {
namespace {

enum class RunKind { Row, Column, Diagonal };

// Pixel access through memcpy: the buffer is bytes, and the compiler turns a
// fixed-size memcpy into a single load or store.
template <typename T>
T Load(const std::uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename T>
void Store(std::uint8_t* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

template <typename Combine, int Bytes>
inline void ApplyWidth(std::uint8_t* p, std::uint32_t pen) {
    if constexpr (Bytes == 1) {
        *p = static_cast<std::uint8_t>(Combine::Apply(*p, pen));
    } else if constexpr (Bytes == 2) {
        Store<std::uint16_t>(p, static_cast<std::uint16_t>(Combine::Apply(Load<std::uint16_t>(p), pen)));
    } else if constexpr (Bytes == 3) {
        // Three single-byte accesses: the byte after the pixel belongs to the next one.
        p[0] = static_cast<std::uint8_t>(Combine::Apply(p[0], pen));
        p[1] = static_cast<std::uint8_t>(Combine::Apply(p[1], pen >> 8));
        p[2] = static_cast<std::uint8_t>(Combine::Apply(p[2], pen >> 16));
    } else {
        Store<std::uint32_t>(p, Combine::Apply(Load<std::uint32_t>(p), pen));
    }
}

struct CopyOp {
    static std::uint32_t Apply(std::uint32_t, std::uint32_t pen) { return pen; }
};
struct InvertOp {
    static std::uint32_t Apply(std::uint32_t pixel, std::uint32_t) { return ~pixel; }
};
struct AndOp {
    static std::uint32_t Apply(std::uint32_t pixel, std::uint32_t pen) { return pixel & pen; }
};
struct OrOp {
    static std::uint32_t Apply(std::uint32_t pixel, std::uint32_t pen) { return pixel | pen; }
};
struct XorOp {
    static std::uint32_t Apply(std::uint32_t pixel, std::uint32_t pen) { return pixel ^ pen; }
};

template <RunKind Kind, typename Combine, int Bytes>
void PlotRun(RunState& s) {
    const std::ptrdiff_t step = Kind == RunKind::Column ? s.Across : s.Along;
    std::uint8_t* p = s.Address;
    std::uint32_t pattern = s.Pattern;
    const std::uint32_t pen = s.Pen;
    for (std::int32_t n = std::abs(s.Count); n != 0; --n) {
        pattern = std::rotl(pattern, 1);
        if ((pattern & 1u) != 0) ApplyWidth<Combine, Bytes>(p, pen);
        p += step;
    }
    if constexpr (Kind == RunKind::Row) p += s.Across;
    if constexpr (Kind == RunKind::Column) p += s.Along;
    s.Address = p;
    s.Count = 0;
    s.Pattern = pattern;
}

// 1- and 4-bit pixels, leftmost in the high bits of a byte; the pen byte holds
// the index in every pixel position, so the op works on the whole byte and
// only the pixel's own bits are kept.
template <RunKind Kind, typename Combine, int Bits>
void PlotRunBits(RunState& s) {
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kMask = (1u << Bits) - 1;
    std::uint8_t* row = s.Address;
    std::int32_t x = s.X;
    std::uint32_t pattern = s.Pattern;
    const std::uint32_t pen = s.Pen & 0xFF;
    for (std::int32_t n = std::abs(s.Count); n != 0; --n) {
        pattern = std::rotl(pattern, 1);
        if ((pattern & 1u) != 0) {
            std::uint8_t& byte = row[x / kPerByte];
            const unsigned bits = kMask << (8 - Bits - (x % kPerByte) * Bits);
            byte = static_cast<std::uint8_t>((byte & ~bits) | (Combine::Apply(byte, pen) & bits));
        }
        if constexpr (Kind != RunKind::Column) x += s.Sx;
        if constexpr (Kind != RunKind::Row) row += s.Across;
    }
    if constexpr (Kind == RunKind::Row) row += s.Across;
    if constexpr (Kind == RunKind::Column) x += s.Sx;
    s.Address = row;
    s.X = x;
    s.Count = 0;
    s.Pattern = pattern;
}

template <RunKind Kind, typename Combine>
constexpr void FillOpRow(std::array<RunPlot, kPlotterCount>& table, int op) {
    table[op * 7 + 0] = &PlotRunBits<Kind, Combine, 1>;
    table[op * 7 + 1] = &PlotRunBits<Kind, Combine, 4>;
    table[op * 7 + 2] = &PlotRun<Kind, Combine, 1>;
    table[op * 7 + 3] = &PlotRun<Kind, Combine, 2>;
    table[op * 7 + 4] = &PlotRun<Kind, Combine, 2>;  // 5-5-5 and 5-6-5 store alike
    table[op * 7 + 5] = &PlotRun<Kind, Combine, 3>;
    table[op * 7 + 6] = &PlotRun<Kind, Combine, 4>;
}

template <RunKind Kind>
constexpr std::array<RunPlot, kPlotterCount> MakeTable() {
    std::array<RunPlot, kPlotterCount> table{};
    for (RunPlot& p : table) p = &PlotNothing;
    FillOpRow<Kind, CopyOp>(table, kRopCopy);
    FillOpRow<Kind, InvertOp>(table, kRopInvert);
    FillOpRow<Kind, AndOp>(table, kRopAnd);
    FillOpRow<Kind, OrOp>(table, kRopOr);
    FillOpRow<Kind, XorOp>(table, kRopXor);
    table[5 * 7 + 2] = &PlotRun<Kind, CopyOp, 1>;
    return table;
}

}  // namespace

void PlotNothing(RunState&) {}

constinit const std::array<RunPlot, kPlotterCount> RowRunPlotters = MakeTable<RunKind::Row>();
constinit const std::array<RunPlot, kPlotterCount> ColumnRunPlotters = MakeTable<RunKind::Column>();
constinit const std::array<RunPlot, kPlotterCount> DiagonalRunPlotters = MakeTable<RunKind::Diagonal>();

}  // namespace dlk
