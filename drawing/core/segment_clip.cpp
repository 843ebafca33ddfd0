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
    std::int64_t x1, y1, x2, y2;

    // Truncated toward zero, as integer division does.
    std::int64_t XatY(std::int64_t y) const {
        return static_cast<std::int64_t>(static_cast<Wide>(y - y1) * (x2 - x1) / (y2 - y1)) + x1;
    }
    std::int64_t YatX(std::int64_t x) const {
        return static_cast<std::int64_t>(static_cast<Wide>(x - x1) * (y2 - y1) / (x2 - x1)) + y1;
    }
};

[[noreturn]] void RaiseClipError() {
    throw DIB_ERROR(kDibClipErrorText);
}

}  // namespace

constinit const std::array<ClipCase, 176> kClipCases = MakeClipCases();

std::uint8_t RegionCode(std::int64_t x, std::int64_t y, const ClipRect& clip) {
    std::uint8_t code = 0;
    if (y > clip.bottom) code |= kBelow;
    if (y < clip.top) code |= kAbove;
    if (x > clip.right) code |= kRightOf;
    if (x < clip.left) code |= kLeftOf;
    return code;
}

std::optional<ClippedSegment> ClipSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                          const ClipRect& clip) {
    ClippedSegment out;
    out.y_direction = y2 >= y1 ? 1 : -1;
    Points p{x1, y1, x2, y2};
    if (x2 < x1) {
        out.x_order = -1;
        p = Points{x2, y2, x1, y1};
    }
    const std::int64_t l = clip.left, t = clip.top, r = clip.right, b = clip.bottom;
    // An "again" case leaves neither point above or below, so the second look settles it.
    for (int pass = 0; pass < 3; ++pass) {
        const int index = RegionCode(p.x1, p.y1, clip) * 16 + RegionCode(p.x2, p.y2, clip);
        const Points in = p;
        bool walk = true;
        switch (kClipCases[index]) {
            case ClipCase::Walk: break;
            case ClipCase::Reject: return std::nullopt;
            case ClipCase::EndRight:
                p.x2 = r;
                p.y2 = in.YatX(r);
                break;
            case ClipCase::EndTop:
                p.x2 = in.XatY(t);
                p.y2 = t;
                break;
            case ClipCase::EndBottom:
                p.x2 = in.XatY(b);
                p.y2 = b;
                break;
            case ClipCase::StartLeft:
                p.y1 = in.YatX(l);
                p.x1 = l;
                break;
            case ClipCase::StartTop:
                p.x1 = in.XatY(t);
                p.y1 = t;
                break;
            case ClipCase::StartBottom:
                p.x1 = in.XatY(b);
                p.y1 = b;
                break;
            case ClipCase::LeftRight:
                p.x2 = r;
                p.y2 = in.YatX(r);
                p.x1 = l;
                p.y1 = in.YatX(l);
                break;
            case ClipCase::TopBottom:
                p.x2 = in.XatY(b);
                p.y2 = b;
                p.x1 = in.XatY(t);
                p.y1 = t;
                break;
            case ClipCase::BottomTop:
                p.x2 = in.XatY(t);
                p.y2 = t;
                p.x1 = in.XatY(b);
                p.y1 = b;
                break;
            case ClipCase::EndTopAgain:
                p.x2 = in.XatY(t);
                p.y2 = t;
                walk = false;
                break;
            case ClipCase::EndBottomAgain:
                p.x2 = in.XatY(b);
                p.y2 = b;
                walk = false;
                break;
            case ClipCase::StartTopAgain:
                p.x1 = in.XatY(t);
                p.y1 = t;
                walk = false;
                break;
            case ClipCase::StartBottomAgain:
                p.x1 = in.XatY(b);
                p.y1 = b;
                walk = false;
                break;
            case ClipCase::TopBottomAgain:
                p.x2 = in.XatY(b);
                p.y2 = b;
                p.x1 = in.XatY(t);
                p.y1 = t;
                walk = false;
                break;
            case ClipCase::BottomTopAgain:
                p.x2 = in.XatY(t);
                p.y2 = t;
                p.x1 = in.XatY(b);
                p.y1 = b;
                walk = false;
                break;
            case ClipCase::Impossible: RaiseClipError();
        }
        if (walk) {
            out.x1 = static_cast<std::int32_t>(p.x1);
            out.y1 = static_cast<std::int32_t>(p.y1);
            out.x2 = static_cast<std::int32_t>(p.x2);
            out.y2 = static_cast<std::int32_t>(p.y2);
            return out;
        }
    }
    RaiseClipError();
}

}  // namespace dlk
