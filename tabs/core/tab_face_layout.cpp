#include "tabs/core/tab_face_layout.h"

#include "tabs/core/color_helpers.h"

namespace dlk {

TKtTabFill TabFill(const TKtTabFillInput& in) {
    TColor selectedFill = in.ControlColor;
    TColor fill = in.Unselected;
    TColor edge = in.Shadow;
    if (in.UseColoredTabs) {
        selectedFill = fill = in.TabColor;
        edge = in.TabColor == RGB(255, 255, 255) ? ColorToRGB(clBtnFace) : DarkenColor(in.TabColor, 30);
    }
    if (in.Selected) return {false, 0, selectedFill, selectedFill};
    if (!in.UseGradients || !in.TrueColor) return {false, 0, fill, fill};
    switch (in.Orientation) {
        case TKtTabOrientation::toTop: return {true, 2, edge, fill};
        case TKtTabOrientation::toBottom: return {true, 2, fill, edge};
        case TKtTabOrientation::toLeft: return {true, 5, edge, fill};
        case TKtTabOrientation::toRight: return {true, 5, fill, edge};
    }
    return {false, 0, fill, fill};
}

void SplitTabContent(const TRect& content, TKtImagePosition position, TSize image, int margin, TRect& imageBox,
                     TRect& textBox) {
    imageBox = textBox = content;
    switch (position) {
        case TKtImagePosition::ipLeft:
            textBox.Left += image.cx + margin;
            imageBox.Right = imageBox.Left + image.cx;
            break;
        case TKtImagePosition::ipTop:
            textBox.Top += image.cy + margin;
            imageBox.Bottom = imageBox.Top + image.cy;
            break;
        case TKtImagePosition::ipRight:
            textBox.Right -= image.cx + margin;
            imageBox.Left = imageBox.Right - image.cx;
            break;
        case TKtImagePosition::ipBottom:
            textBox.Bottom -= image.cy + margin;
            imageBox.Top = imageBox.Bottom - image.cy;
            break;
        case TKtImagePosition::ipBack:
        case TKtImagePosition::ipStretch: break;
    }
}

namespace {

// Offset of an extent inside a room by alignment 0 (start), 1 (centre), 2 (end).
int Offset(int room, int extent, int which) {
    if (which == 0) return 0;
    if (which == 1) return (room - extent) / 2;
    return room - extent;
}

}  // namespace

TPoint AlignImage(const TRect& box, TSize image, TKtImagePosition position, TKtHorizontalAlignment h,
                  TKtVerticalAlignment v, const TRect& content) {
    if (position == TKtImagePosition::ipStretch) return {content.Left, content.Top};
    return {box.Left + Offset(box.Width(), image.cx, int(h)), box.Top + Offset(box.Height(), image.cy, int(v))};
}

TKtCaptionPlacement PlaceCaption(const TKtCaptionInput& in) {
    using H = TKtHorizontalAlignment;
    using V = TKtVerticalAlignment;
    TRect b = in.Box;
    const bool downward = in.Tab == TKtTabOrientation::toRight;
    if (in.Text == TOrientation::orVertical) {
        if (in.H == H::haCenter) {
            const int d = (b.Width() - in.Whole.cx) / 2;
            b.Left += d;
            b.Right -= d;
        } else if (downward && in.H == H::haLeft) {
            b.Right = b.Left + in.Whole.cx;
        } else if (!downward && in.H == H::haRight) {
            b.Left = b.Right - in.Whole.cx;
        }
    } else if (in.V == V::vaCenter) {
        const int d = (b.Height() - in.Whole.cy) / 2;
        b.Top += d;
        b.Bottom -= d;
    } else if (in.V == V::vaBottom) {
        b.Top = b.Bottom - in.Whole.cy;
    }
    TKtCaptionPlacement out{b, {}};
    int dx = 0;
    int dy = 0;
    for (const TSize& line : in.Lines) {
        if (in.Text == TOrientation::orHorizontal) {
            out.Origins.push_back({b.Left + Offset(b.Width(), line.cx, int(in.H)), b.Top + dy});
            dy += line.cy;
        } else if (downward) {
            out.Origins.push_back({b.Right - dx, b.Top + Offset(b.Height(), line.cy, int(in.V))});
            dx += line.cx;
        } else {
            // Upward text starts at its lower end: vaTop lifts that end until the text's top meets the box's.
            out.Origins.push_back({b.Left + dx, b.Bottom - Offset(b.Height(), line.cy, 2 - int(in.V))});
            dx += line.cx;
        }
    }
    return out;
}

namespace {

std::size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

TKtAcceleratorParts SplitAccelerator(std::string_view line) {
    const std::size_t amp = line.find('&');
    if (amp == std::string_view::npos) return {{std::string(line)}, -1};
    if (amp + 1 < line.size() && line[amp + 1] == '&')
        return {{std::string(line.substr(0, amp + 1)), std::string(), std::string(line.substr(amp + 2))}, -1};
    const std::size_t len = amp + 1 < line.size() ? Utf8Length((unsigned char)line[amp + 1]) : 0;
    const std::string_view key = line.substr(amp + 1, len);
    const std::string_view rest = amp + 1 + len <= line.size() ? line.substr(amp + 1 + len) : std::string_view();
    return {{std::string(line.substr(0, amp)), std::string(key), std::string(rest)}, 1};
}

TRect HighlightBarRect(const TRect& tab, TKtTabOrientation orientation) {
    TRect r{tab.Left - 1, tab.Top - 1, tab.Right + 1, tab.Bottom + 1};
    switch (orientation) {
        case TKtTabOrientation::toTop: r.Bottom = r.Top + 6; break;
        case TKtTabOrientation::toLeft: r.Right = r.Left + 6; break;
        case TKtTabOrientation::toBottom: r.Top = r.Bottom - 4; break;
        case TKtTabOrientation::toRight: r.Left = r.Right - 4; break;
    }
    return r;
}

TRect FocusRectFor(const TRect& fitted, TKtTabOrientation orientation, TKtTabStyle style) {
    TRect r = fitted;
    if (IsHorizontalStrip(orientation)) {
        r.Left -= 1;
        r.Right += 1;
        r.Bottom += 1;
    } else {
        r.Top -= 1;
        r.Bottom += 1;
    }
    if (style == TKtTabStyle::tsRoundCorners) {
        switch (orientation) {
            case TKtTabOrientation::toTop: r.Top += 1; break;
            case TKtTabOrientation::toLeft: r.Left += 2; break;
            case TKtTabOrientation::toBottom: r.Bottom -= 1; break;
            case TKtTabOrientation::toRight: r.Right -= 2; break;
        }
    }
    return r;
}

}  // namespace dlk
