#include <algorithm>
#include <memory>

#include "tabs/command_painter.h"
#include "tabs/core/color_helpers.h"
#include "tabs/core/draw_commands.h"
#include "tabs/core/tab_shapes.h"
#include "tabs/drawing_helpers.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

// Tab shapes, their regions and outlines, and the card frames.

namespace {

// The one place where a tab's outline leaves strip coordinates.
TKtTabShape ClientShape(const TKtCustomTabControl& control, int index) {
    TKtTabShape shape = ShapePoints(control.TabShapeRect(index), control.TabStyle(), control.SoftCorners(),
                                    SaneExtent(control.CutCornerSize()));
    for (int i = 0; i < shape.Count; ++i)
        shape.Points[std::size_t(i)] = control.StripToClient(shape.Points[std::size_t(i)]);
    return shape;
}

}  // namespace

TRect TKtCustomTabControl::TabShapeRect(int index) const {
    const TKtTabData& tab = *tabs_->Items(index);
    return ShapeRect(tab.LayoutRect, tab.Row, SaneExtent(row_indent_), tab_sequence_, tab_style_, index == tab_index_);
}

TRect TKtCustomTabControl::GetTabClientRect(int index) const {
    return TabRectToClient(TabShapeRect(index));
}

TRegion* TKtCustomTabControl::GetTabRegion(int index, const TRect& clientRect) {
    if (TRegion* found = region_cache_->FindRegion(clientRect)) return found;
    const TKtTabShape shape = ClientShape(*this, index);
    if (shape.Count < 3) return nullptr;
    // A region costs a row of rectangles per pixel of height: a shape far
    // past the control is cut to a frame around it first, well outside what
    // shows, so a sensible shape keeps its outline exactly.
    constexpr int kFrame = 1024;
    const TRect frame{-kFrame, -kFrame, ClientWidth() + kFrame, ClientHeight() + kFrame};
    const TPoint* first = shape.Points.data();
    const bool within = std::all_of(first, first + shape.Count, [&](TPoint p) {
        return p.X >= frame.Left && p.X <= frame.Right && p.Y >= frame.Top && p.Y <= frame.Bottom;
    });
    const std::vector<TPoint> clipped = within ? std::vector<TPoint>() : ClipPolygon(first, shape.Count, frame);
    auto region = std::make_unique<TRegion>(within ? TRegion::FromPolygon(first, shape.Count)
                                                   : TRegion::FromPolygon(clipped.data(), int(clipped.size())));
    TRegion* lent = region.get();
    region_cache_->AddRegion(clientRect, std::move(region));
    return lent;
}

void TKtCustomTabControl::AddDrawCommandPoint(int kind, TPoint point) {
    draw_commands_.Add(TKtDrawCommand(kind), point);
}

void TKtCustomTabControl::DrawTabOutline(int index) {
    AppendTabOutline(draw_commands_, tab_style_, soft_corners_, tab_orientation_, ClientShape(*this, index));
}

void TKtCustomTabControl::DrawCardFrame(int row) {
    TKtCardFrame frame{
        CardRect(row), tab_style_, tab_orientation_, tab_sequence_, show_shadow_, show_full_frame_, false, {}, {}};
    // A stale selection past the end joins no tab.
    const bool selected = tab_index_ >= 0 && tab_index_ < tabs_->Count();
    if (row == 0 && selected && IsTabFullyShown(tab_index_)) {
        const TKtTabShape shape =
            ShapePoints(TabShapeRect(tab_index_), tab_style_, soft_corners_, SaneExtent(cut_corner_size_));
        frame.Open = true;
        frame.S = StripToClient({shape.Points[0].X + 1, shape.Points[0].Y});
        frame.E = StripToClient(shape.Points[std::size_t(shape.Count - 1)]);
    }
    AppendCardFrame(draw_commands_, frame);
}

void TKtCustomTabControl::ExecuteDrawCommands() {
    const TColor frame = AdjustLuminance(ColorToRGB(flat_color_), flat_color_adjustment_);
    PaintDrawCommands(bitmap_.Canvas(), draw_commands_, frame, [this](TCanvas& c) { DrawParentBackground(this, c); });
}

}  // namespace dlk
