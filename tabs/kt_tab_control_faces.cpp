#include "tabs/core/color_helpers.h"
#include "tabs/core/tab_face_layout.h"
#include "tabs/core/tab_text.h"
#include "tabs/drawing_helpers.h"
#include "tabs/environment.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

// The inside of one tab: background, image, bar, caption and focus frame.

void TKtCustomTabControl::DrawTabBackground(int index, const TRect& rect) {
    TCanvas& c = bitmap_.Canvas();
    bool handled = false;
    DoPaintTabBackground(c, index, rect, handled);
    if (handled) return;
    const TKtTabData& tab = *tabs_->Items(index);
    const TKtTabFill fill = TabFill({tab_orientation_, index == tab_index_, use_colored_tabs_, use_gradients_,
                                     TrueColorDisplay(), ColorToRGB(tab.Color), ColorToRGB(Color()),
                                     ColorToRGB(tab_colors_->Unselected()), ColorToRGB(tab_colors_->Shadow())});
    if (fill.Gradient) return GradientPainter(c, rect, fill.Direction, fill.From, fill.To, 1);
    c.Brush.Color = fill.From;
    c.Brush.Style = TBrushStyle::bsSolid;
    c.FillRect(rect);
}

namespace {

// One caption line from (x, y), its accelerator underlined when it is the
// one that selects the tab.
// Drawn limited to the tab's rectangle (the region clips tighter anyway):
// unlike TextOut that does not measure the text again for the pen.
void DrawTabText(TKtCustomTabControl& control, TCanvas& c, const TRect& tab, int x, int y, const std::string& line,
                 TColor color, bool horizontal, bool downward, bool selecting) {
    const TFont font = c.Font;
    TKtAcceleratorParts split = SplitAccelerator(line);
    // A mark that selects nothing is only left out: the line is drawn whole.
    if (!selecting) split = {{split.Parts.size() == 3 ? split.Parts[0] + split.Parts[1] + split.Parts[2] : line}, -1};
    for (std::size_t i = 0; i < split.Parts.size(); ++i) {
        const std::string& part = split.Parts[i];
        c.Font = font;
        if (int(i) == split.Underlined) c.Font.Style |= fsUnderline;
        c.Font.Color = color;
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextRect(tab, x, y, part);
        if (split.Parts.size() == 1 || part.empty()) continue;
        const TSize extent = control.MeasureText(part, horizontal);
        if (horizontal)
            x += extent.cx;
        else
            y += downward ? extent.cy : -extent.cy;
    }
    c.Font = font;
}

}  // namespace

void TKtCustomTabControl::DrawTabFace(int index, const TRect& rect) {
    TCanvas& c = bitmap_.Canvas();
    const TKtTabData& tab = *tabs_->Items(index);
    const TRect content = GetTabContentRect(rect);
    const TSize image = GetImageSize(tab.ImageIndex);
    TRect imageBox, textBox;
    SplitTabContent(content, image_position_, image, tab.ImageIndex != -1 ? SaneExtent(image_margin_) : 0, imageBox,
                    textBox);
    if (images_ != nullptr && tab.ImageIndex != -1) {
        const TPoint at =
            AlignImage(imageBox, image, image_position_, image_alignment_, image_alignment_vertical_, content);
        if (tab.DisabledIndex == -1)
            images_->Draw(c, at.X, at.Y, tab.ImageIndex, tab.TabEnabled);
        else
            images_->Draw(c, at.X, at.Y, tab.TabEnabled ? tab.ImageIndex : tab.DisabledIndex, true);
    }

    auto ask = [&](TKtTextStyle style, TColor fallback) {
        bool handled = false;
        TColor color = fallback;
        DoGetTextColor(index, style, color, handled);
        return handled ? color : fallback;
    };
    const bool barStyle = hot_track_style_ == TKtTabHotTrackStyle::htsTab;
    TColor color;
    TColor bar = clNone;
    if (!tab.TabEnabled) {
        color = ask(TKtTextStyle::tsDisabled, text_colors_->Disabled());
    } else if (hot_track_ && hot_tab_index_ == index) {
        color = ask(TKtTextStyle::tsHotTrack, barStyle ? text_colors_->Selected() : hot_track_color_);
        if (barStyle)
            bar = hot_track_color_type_ == TKtHotTrackColorType::htctActual
                      ? hot_track_color_
                      : OppositeHueColor(ColorToRGB(hot_track_color_), 140);
    } else if (index == tab_index_) {
        color = ask(TKtTextStyle::tsSelected, text_colors_->Selected());
        if (hot_track_ && barStyle) bar = tab_colors_->HighlightBar();
    } else {
        color = ask(TKtTextStyle::tsUnselected, text_colors_->Unselected());
    }
    if (bar != clNone) {
        const TBrush brush = c.Brush;
        c.Brush = {bar, TBrushStyle::bsSolid};
        c.FillRect(HighlightBarRect(rect, tab_orientation_));
        c.Brush = brush;
    }

    const bool horizontal = text_orientation_ == TOrientation::orHorizontal;
    const bool bold = bold_current_tab_ && index == tab_index_;
    SelectTabFont();
    if (bold) c.Font.Style |= fsBold;
    TKtCaptionInput in{textBox, text_orientation_, tab_orientation_, text_alignment_, text_alignment_vertical_, {}, {}};
    std::vector<std::string> lines;
    if (!tab.Caption.empty()) {
        in.Whole = MeasureText(tab.Caption, horizontal);
        SplitLines(tab.Caption, lines);
        // A single line measures as the whole caption: text shaping is the
        // dearest part of a paint, so it is not done twice.
        if (lines.size() == 1)
            in.Lines.push_back(in.Whole);
        else
            for (const std::string& line : lines)
                in.Lines.push_back(line.empty() ? TSize{} : MeasureText(line, horizontal));
    }
    const TKtCaptionPlacement place = PlaceCaption(in);
    const bool downward = tab_orientation_ == TKtTabOrientation::toRight;
    // The keyboard goes by the first line with a mark: only its letter is
    // underlined, the marks of later lines are merely not shown.
    bool marked = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool selecting = !marked && AcceleratorMark(lines[i]) != std::string::npos;
        marked = marked || selecting;
        DrawTabText(*this, c, rect, place.Origins[i].X, place.Origins[i].Y, lines[i], color, horizontal, downward,
                    selecting);
    }
    RestoreTabFont();

    // Without a caption nothing is fitted: the frame goes round the text box.
    if (show_focus_rect_ && index == tab_index_ && Focused())
        c.DrawFocusRect(FocusRectFor(tab.Caption.empty() ? textBox : place.Fitted, tab_orientation_, tab_style_));
}

}  // namespace dlk
