#include "drawing/core/segment_clip.h"

#include "drawing/core/dib_error.h"

namespace dlk {
namespace {

__extension__ typedef __int128 Wide;

constexpr ClipCase CaseFor(int start, int end) {
    if ((start & end) != 0) return ClipCase::Reject;
    switch (start * 16 + end) {
        case 0x00: return ClipCase::Walk;
        case 0x02: return ClipCase::EndRight;
        case 0x04: return ClipCase::EndTop;
        case 0x08: return ClipCase::EndBottom;
        case 0x10: return ClipCase::StartLeft;
        case 0x40: return ClipCase::StartTop;
        case 0x80: return ClipCase::StartBottom;
        case 0x12: return ClipCase::LeftRight;
        case 0x48: return ClipCase::TopBottom;
        case 0x84: return ClipCase::BottomTop;
        case 0x06:
        case 0x16:
        case 0x14: return ClipCase::EndTopAgain;
        case 0x0A:
        case 0x1A:
        case 0x18: return ClipCase::EndBottomAgain;
        case 0x42:
        case 0x52:
        case 0x50: return ClipCase::StartTopAgain;
        case 0x82:
        case 0x92:
        case 0x90: return ClipCase::StartBottomAgain;
        case 0x4A:
        case 0x5A:
        case 0x58: return ClipCase::TopBottomAgain;
        case 0x86:
        case 0x96:
        case 0x94: return ClipCase::BottomTopAgain;
        default: return ClipCase::Impossible;
    }
}

constexpr std::array<ClipCase, 176> MakeClipCases() {
    std::array<ClipCase, 176> table{};
    for (int i = 0; i < 176; ++i) table[i] = CaseFor(i / 16, i % 16);
    return table;
}

// Points during clipping. Coordinates start as any i32; an intersection lies
// between the two points it is taken from, so everything stays within i32,
// but products of differences need more than 64 bits.
struct Points {
    std::int64_t X1, Y1, X2, Y2;

    // Truncated toward zero, as integer division does.
    std::int64_t XatY(std::int64_t y) const {
        return static_cast<std::int64_t>(static_cast<Wide>(y - Y1) * (X2 - X1) / (Y2 - Y1)) + X1;
    }
    std::int64_t YatX(std::int64_t x) const {
        return static_cast<std::int64_t>(static_cast<Wide>(x - X1) * (Y2 - Y1) / (X2 - X1)) + Y1;
    }
};

[[noreturn]] void RaiseClipError() {
    throw DIB_ERROR(kDibClipErrorText);
}

}  // namespace

constinit const std::array<ClipCase, 176> kClipCases = MakeClipCases();

std::uint8_t RegionCode(std::int64_t x, std::int64_t y, const ClipRect& clip) {
    std::uint8_t code = 0;
    if (y > clip.Bottom) code |= kBelow;
    if (y < clip.Top) code |= kAbove;
    if (x > clip.Right) code |= kRightOf;
    if (x < clip.Left) code |= kLeftOf;
    return code;
}

std::optional<ClippedSegment> ClipSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                          const ClipRect& clip) {
    ClippedSegment out;
    out.YDirection = y2 >= y1 ? 1 : -1;
    Points p{x1, y1, x2, y2};
    if (x2 < x1) {
        out.XOrder = -1;
        p = Points{x2, y2, x1, y1};
    }
    const std::int64_t l = clip.Left, t = clip.Top, r = clip.Right, b = clip.Bottom;
    // An "again" case leaves neither point above or below, so the second look settles it.
    for (int pass = 0; pass < 3; ++pass) {
        const int index = RegionCode(p.X1, p.Y1, clip) * 16 + RegionCode(p.X2, p.Y2, clip);
        const Points in = p;
        bool walk = true;
        switch (kClipCases[index]) {
            case ClipCase::Walk: break;
            case ClipCase::Reject: return std::nullopt;
            case ClipCase::EndRight:
                p.X2 = r;
                p.Y2 = in.YatX(r);
                break;
            case ClipCase::EndTop:
                p.X2 = in.XatY(t);
                p.Y2 = t;
                break;
            case ClipCase::EndBottom:
                p.X2 = in.XatY(b);
                p.Y2 = b;
                break;
            case ClipCase::StartLeft:
                p.Y1 = in.YatX(l);
                p.X1 = l;
                break;
            case ClipCase::StartTop:
                p.X1 = in.XatY(t);
                p.Y1 = t;
                break;
            case ClipCase::StartBottom:
                p.X1 = in.XatY(b);
                p.Y1 = b;
                break;
            case ClipCase::LeftRight:
                p.X2 = r;
                p.Y2 = in.YatX(r);
                p.X1 = l;
                p.Y1 = in.YatX(l);
                break;
            case ClipCase::TopBottom:
                p.X2 = in.XatY(b);
                p.Y2 = b;
                p.X1 = in.XatY(t);
                p.Y1 = t;
                break;
            case ClipCase::BottomTop:
                p.X2 = in.XatY(t);
                p.Y2 = t;
                p.X1 = in.XatY(b);
                p.Y1 = b;
                break;
            case ClipCase::EndTopAgain:
                p.X2 = in.XatY(t);
                p.Y2 = t;
                walk = false;
                break;
            case ClipCase::EndBottomAgain:
                p.X2 = in.XatY(b);
                p.Y2 = b;
                walk = false;
                break;
            case ClipCase::StartTopAgain:
                p.X1 = in.XatY(t);
                p.Y1 = t;
                walk = false;
                break;
            case ClipCase::StartBottomAgain:
                p.X1 = in.XatY(b);
                p.Y1 = b;
                walk = false;
                break;
            case ClipCase::TopBottomAgain:
                p.X2 = in.XatY(b);
                p.Y2 = b;
                p.X1 = in.XatY(t);
                p.Y1 = t;
                walk = false;
                break;
            case ClipCase::BottomTopAgain:
                p.X2 = in.XatY(t);
                p.Y2 = t;
                p.X1 = in.XatY(b);
                p.Y1 = b;
                walk = false;
                break;
            case ClipCase::Impossible: RaiseClipError();
        }
        if (walk) {
            out.X1 = static_cast<std::int32_t>(p.X1);
            out.Y1 = static_cast<std::int32_t>(p.Y1);
            out.X2 = static_cast<std::int32_t>(p.X2);
            out.Y2 = static_cast<std::int32_t>(p.Y2);
            return out;
        }
    }
    RaiseClipError();
}

}  // namespace dlk
