#include "drawing/core/segment_clip.h"

#include <gtest/gtest.h>

#include <climits>

namespace dlk {
namespace {

const ClipRect kClip{0, 0, 99, 49};

struct Expected {
    std::int32_t X1, Y1, X2, Y2, XOrder, YDirection;
};

void ExpectClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Expected e) {
    const auto c = ClipSegment(x1, y1, x2, y2, kClip);
    ASSERT_TRUE(c.has_value()) << x1 << "," << y1 << " - " << x2 << "," << y2;
    EXPECT_EQ((std::array{c->X1, c->Y1, c->X2, c->Y2, c->XOrder, c->YDirection}),
              (std::array{e.X1, e.Y1, e.X2, e.Y2, e.XOrder, e.YDirection}))
        << x1 << "," << y1 << " - " << x2 << "," << y2;
}

TEST(RegionCode, OneBitPerEdgeCrossed) {
    EXPECT_EQ(RegionCode(0, 0, kClip), 0);
    EXPECT_EQ(RegionCode(99, 49, kClip), 0);
    EXPECT_EQ(RegionCode(-1, 10, kClip), kLeftOf);
    EXPECT_EQ(RegionCode(100, 10, kClip), kRightOf);
    EXPECT_EQ(RegionCode(5, -1, kClip), kAbove);
    EXPECT_EQ(RegionCode(5, 50, kClip), kBelow);
    EXPECT_EQ(RegionCode(-1, -1, kClip), kAbove | kLeftOf);
    EXPECT_EQ(RegionCode(100, 50, kClip), kBelow | kRightOf);
    // Far beyond the i32 differences' range the codes still tell the side.
    EXPECT_EQ(RegionCode(INT_MIN, INT_MAX, kClip), kBelow | kLeftOf);
    EXPECT_EQ(RegionCode(INT_MAX, INT_MIN, kClip), kAbove | kRightOf);
}

TEST(ClipCases, TableFollowsTheCodePairs) {
    EXPECT_EQ(kClipCases[0x00], ClipCase::Walk);
    EXPECT_EQ(kClipCases[0x11], ClipCase::Reject);
    EXPECT_EQ(kClipCases[0x56], ClipCase::Reject);  // share "above"
    EXPECT_EQ(kClipCases[0x12], ClipCase::LeftRight);
    EXPECT_EQ(kClipCases[0x16], ClipCase::EndTopAgain);
    EXPECT_EQ(kClipCases[0x5A], ClipCase::TopBottomAgain);
    EXPECT_EQ(kClipCases[0x94], ClipCase::BottomTopAgain);
    EXPECT_EQ(kClipCases[0x20], ClipCase::Impossible);  // start right, end not right
    EXPECT_EQ(kClipCases[0x01], ClipCase::Impossible);  // end left, start not left
    int impossible = 0;
    for (ClipCase c : kClipCases) impossible += c == ClipCase::Impossible;
    EXPECT_GT(impossible, 0);
}

TEST(ClipSegment, InsideSegmentsPassUnchanged) {
    ExpectClipped(3, 4, 50, 20, {3, 4, 50, 20, 1, 1});
    ExpectClipped(7, 7, 7, 7, {7, 7, 7, 7, 1, 1});
    // Right to left: the points come back exchanged, with the order noted.
    ExpectClipped(50, 20, 3, 4, {3, 4, 50, 20, -1, -1});
}

TEST(ClipSegment, CutAtOneOrTwoEdges) {
    ExpectClipped(-10, 5, 110, 5, {0, 5, 99, 5, 1, 1});
    ExpectClipped(5, -10, 5, 60, {5, 0, 5, 49, 1, 1});
    ExpectClipped(5, 60, 5, -10, {5, 49, 5, 0, 1, -1});
    ExpectClipped(10, 10, 200, 10, {10, 10, 99, 10, 1, 1});  // inside -> right
    ExpectClipped(10, 10, 30, -10, {10, 10, 20, 0, 1, -1});  // inside -> above
    ExpectClipped(10, 40, 30, 60, {10, 40, 19, 49, 1, 1});   // inside -> below: 9 * 20 / 20 + 10
    ExpectClipped(-10, 0, 10, 20, {0, 10, 10, 20, 1, 1});    // left -> inside
    ExpectClipped(0, -7, 7, 7, {3, 0, 7, 7, 1, 1});          // above -> inside: 7 * 7 / 14 = 3.5 -> 3
    ExpectClipped(99, 0, 0, 49, {0, 49, 99, 0, -1, 1});      // the anti-diagonal, exchanged
}

TEST(ClipSegment, TwoLooksAroundACorner) {
    // Inside to above-right: first down to the top edge, then cut at the right.
    ExpectClipped(90, 10, 130, -10, {90, 10, 99, 6, 1, -1});
    // Above-left to below-right across the whole rectangle.
    ExpectClipped(-10, -10, 110, 60, {7, 0, 91, 49, 1, 1});
}

TEST(ClipSegment, IntersectionsTruncateTowardZero) {
    // Rising to the right edge: 49 * -10 / 100 = -4.9 becomes -4, not -5.
    ExpectClipped(50, 20, 150, 10, {50, 20, 99, 16, 1, -1});
    ExpectClipped(0, 60, 30, 30, {11, 49, 30, 30, 1, -1});
}

TEST(ClipSegment, MissesAndFarAwayPointsAreRejected) {
    EXPECT_FALSE(ClipSegment(-10, 5, -1, 40, kClip));    // all left
    EXPECT_FALSE(ClipSegment(90, -20, 130, 20, kClip));  // passes outside the top-right corner
    EXPECT_FALSE(ClipSegment(-30, 10, 10, -30, kClip));  // outside the top-left corner
    EXPECT_FALSE(ClipSegment(INT_MIN, INT_MIN, INT_MAX, INT_MIN, kClip));
    // Extreme coordinates that do cross the rectangle are cut without overflow.
    ExpectClipped(INT_MIN, 20, INT_MAX, 20, {0, 20, 99, 20, 1, 1});
    ExpectClipped(50, INT_MIN, 50, INT_MAX, {50, 0, 50, 49, 1, 1});
    const auto c = ClipSegment(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kClip);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->X1, c->Y1);
    EXPECT_EQ(c->X2, 49);
    EXPECT_EQ(c->Y2, 49);
}

}  // namespace
}  // namespace dlk
