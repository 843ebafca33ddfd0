#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>

#include "drawing/core/segment_clip.h"
#include "drawing/tests/raster_fixture.h"
#include "platform/testing/sanitizer_build.h"

namespace dlk {
namespace {

using testing::ReadPixel;

// Under the sanitizers the line fuzz target walks arbitrary segments far
// longer; a tenth of them there still covers every size and operation.
constexpr int kRuns = testing::kSanitizerBuild ? 10 : 1;
constexpr int kSegmentsPerFormat = 100000 / kRuns;
constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0xC3;

// A raster in the middle of a larger block whose guard bytes must never change.
struct GuardedRaster {
    GuardedRaster(int w, int h, DibFormat f)
        : block(ImageSize(w, h, f) + 2 * kGuard, kGuardByte), raster(block.data() + kGuard, w, h, f) {}
    bool GuardsIntact() const {
        const std::size_t image = block.size() - 2 * kGuard;
        for (std::size_t i = 0; i < kGuard; ++i)
            if (block[i] != kGuardByte || block[kGuard + image + i] != kGuardByte) return false;
        return true;
    }
    // The bytes that pad each row out to 4 bytes are outside the picture too.
    bool PaddingIntact(std::uint8_t value) const {
        const std::size_t used = (static_cast<std::size_t>(raster.Width()) * BitsPerPixel(raster.Format()) + 7) / 8;
        for (int y = 0; y < raster.Height(); ++y)
            for (std::size_t i = used; i < raster.Stride(); ++i)
                if (block[kGuard + y * raster.Stride() + i] != value) return false;
        return true;
    }
    std::vector<std::uint8_t> block;
    DibRaster raster;
};

class RandomCoordinates {
public:
    explicit RandomCoordinates(int side) : side_(side) {}
    std::int32_t Next(std::mt19937& rng) {
        for (;;) {
            std::int64_t v;
            const int kind = static_cast<int>(rng() % 10);
            if (kind < 6) {
                v = static_cast<std::int64_t>(rng() % static_cast<std::uint32_t>(5 * side_ + 5)) - 2 * side_ - 2;
            } else if (kind < 8) {
                v = static_cast<std::int64_t>(rng() % 200001) - 100000;
            } else {
                v = static_cast<std::int32_t>(rng());  // anywhere in the i32 range
            }
            if (v != DibRaster::kKeep) return static_cast<std::int32_t>(v);
        }
    }

private:
    int side_;
};

// Distance from (px, py) to the infinite line through a and b.
long double DistanceToLine(long double ax, long double ay, long double bx, long double by, long double px,
                           long double py) {
    const long double dx = bx - ax, dy = by - ay;
    const long double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return std::hypot(px - ax, py - ay);
    return std::fabs(dx * (py - ay) - dy * (px - ax)) / length;
}

// Checks one drawn solid segment; returns a description of the first fault.
std::string CheckSegment(const DibRaster& r, std::uint32_t background, std::int32_t x1, std::int32_t y1,
                         std::int32_t x2, std::int32_t y2) {
    const auto clipped = ClipSegment(x1, y1, x2, y2, r.Clip());
    std::set<std::pair<int, int>> drawn = testing::PixelsNot(r, background);
    if (!clipped) return drawn.empty() ? "" : "a rejected segment drew pixels";
    // The clipped ends lie inside and within one pixel of the segment as given.
    std::int32_t sx1 = clipped->X1, sy1 = clipped->Y1, sx2 = clipped->X2, sy2 = clipped->Y2;
    if (clipped->XOrder < 0) {
        std::swap(sx1, sx2);
        std::swap(sy1, sy2);
    }
    for (auto [px, py] : {std::pair{sx1, sy1}, std::pair{sx2, sy2}}) {
        if (RegionCode(px, py, r.Clip()) != 0) return "clipped end outside";
        if (DistanceToLine(x1, y1, x2, y2, px, py) >= 1.0L) return "clipped end off the line";
    }
    const int sx = sx2 >= sx1 ? 1 : -1;
    const int sy = sy2 >= sy1 ? 1 : -1;
    const int nx = std::abs(sx2 - sx1) + 1;
    const int ny = std::abs(sy2 - sy1) + 1;
    if (static_cast<int>(drawn.size()) != std::max(nx, ny)) return "wrong pixel count";
    if (!drawn.count({sx1, sy1}) || !drawn.count({sx2, sy2})) return "an end point is missing";
    // Each pixel is within half a pixel, across the run direction, of the line
    // through the outer corners of the end pixels.
    const long double ax = sx1 - 0.5L * sx, ay = sy1 - 0.5L * sy, bx = sx2 + 0.5L * sx, by = sy2 + 0.5L * sy;
    const long double tolerance = 0.5L + std::max(nx, ny) / 65536.0L + 1e-9L;
    for (auto [x, y] : drawn) {
        if (RegionCode(x, y, r.Clip()) != 0) return "pixel outside the clip rectangle";
        long double off;
        if (nx >= ny) {
            off = std::fabs(y - (ay + (x - ax) * (by - ay) / (bx - ax)));
        } else {
            off = std::fabs(x - (ax + (y - ay) * (bx - ax) / (by - ay)));
        }
        if (off > tolerance) return "pixel off the line";
    }
    return "";
}

class RandomSegments : public ::testing::TestWithParam<DibFormat> {};

TEST_P(RandomSegments, StayInsideTheBufferTheClipAndNearTheLine) {
    const DibFormat format = GetParam();
    std::mt19937 rng(20261209u + static_cast<unsigned>(format));
    const std::pair<int, int> sizes[] = {{23, 17}, {1, 1}, {1, 9}, {9, 1}, {64, 40}};
    int segment = 0;
    for (auto [w, h] : sizes) {
        GuardedRaster g(w, h, format);
        std::fill(g.block.begin() + kGuard, g.block.end() - kGuard, std::uint8_t{0x5A});
        g.raster.Clear(0xFFFFFF);
        const std::uint32_t background = ReadPixel(g.raster, 0, 0);
        g.raster.SetPenColor(0x203040);
        ASSERT_NE(g.raster.ColorToPixel(0x203040), background);
        RandomCoordinates coordinates(std::max(w, h));
        const int count = kSegmentsPerFormat / static_cast<int>(std::size(sizes));
        for (int i = 0; i < count; ++i, ++segment) {
            const std::int32_t x1 = coordinates.Next(rng), y1 = coordinates.Next(rng);
            const std::int32_t x2 = coordinates.Next(rng), y2 = coordinates.Next(rng);
            g.raster.MoveTo(x1, y1);
            g.raster.LineTo(x2, y2);
            ASSERT_TRUE(g.GuardsIntact())
                << "segment " << segment << ": " << x1 << "," << y1 << " - " << x2 << "," << y2;
            const std::string fault = CheckSegment(g.raster, background, x1, y1, x2, y2);
            ASSERT_EQ(fault, "") << w << "x" << h << " segment " << segment << ": " << x1 << "," << y1 << " - " << x2
                                 << "," << y2;
            g.raster.Clear(0xFFFFFF);
        }
        EXPECT_TRUE(g.PaddingIntact(0x5A));
    }
}

TEST_P(RandomSegments, WideLinesAndOtherOpsStayInsideTheBuffer) {
    const DibFormat format = GetParam();
    std::mt19937 rng(77u + static_cast<unsigned>(format));
    GuardedRaster g(19, 13, format);
    std::fill(g.block.begin() + kGuard, g.block.end() - kGuard, std::uint8_t{0x5A});
    RandomCoordinates coordinates(19);
    for (int i = 0; i < 20000 / kRuns; ++i) {
        g.raster.SetLineWidth(1 + static_cast<int>(rng() % 3));
        g.raster.SetRasterOp(static_cast<std::uint8_t>(rng() % 7));
        g.raster.SetLineStyle(rng() | 1u);
        g.raster.SetPenColor(rng() & 0xFFFFFF);
        g.raster.MoveTo(coordinates.Next(rng), coordinates.Next(rng));
        g.raster.LineTo(coordinates.Next(rng), coordinates.Next(rng));
        ASSERT_TRUE(g.GuardsIntact()) << i;
    }
    EXPECT_TRUE(g.PaddingIntact(0x5A));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RandomSegments, ::testing::ValuesIn(testing::kAllFormats), testing::FormatName());

}  // namespace
}  // namespace dlk
