#include "tabs/core/tab_layout.h"
#include "tabs/font_measurer.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

namespace {

TFont Bolded(TFont font, bool bold) {
    if (bold) font.Style |= fsBold;
    return font;
}

}  // namespace

TKtTabLayoutInput TKtCustomTabControl::LayoutInput(const TKtTextMeasurer* tabFont,
                                                   const TKtTextMeasurer* controlFont) const {
    TKtTabLayoutInput in;
    in.Strip = GeometryInput();
    in.ImagePosition = image_position_;
    in.ImageMargin = SaneExtent(image_margin_);
    in.CutCornerSize = SaneExtent(cut_corner_size_);
    in.TabOverlap = SaneExtent(tab_overlap_);
    in.AlignTabs = align_tabs_;
    in.HasImages = images_ != nullptr;
    if (images_ != nullptr) in.ImageSize = {SaneExtent(images_->Width()), SaneExtent(images_->Height())};
    in.TabFont = tabFont;
    in.TabFontHeight = tab_font_.Height;
    in.ControlFont = controlFont;
    in.ControlFontHeight = Font().Height;
    return in;
}

TSize TKtCustomTabControl::GetImageSize(int imageIndex) const {
    return ImageSizeFor(LayoutInput(nullptr, nullptr), imageIndex);
}

TSize TKtCustomTabControl::GetTabContentSize(const TKtTabData& tab) {
    const TKtFontMeasurer measurer(Bolded(tab_font_, bold_current_tab_), bitmap_.Canvas().Handle());
    return TabContentSize(LayoutInput(&measurer, nullptr), tab);
}

TSize TKtCustomTabControl::ContentToTabSize(TSize content) const {
    return dlk::ContentToTabSize(LayoutInput(nullptr, nullptr), content);
}

TRect TKtCustomTabControl::GetTabContentRect(const TRect& tabRect) const {
    return TabContentRect(LayoutInput(nullptr, nullptr), tabRect);
}

TPoint TKtCustomTabControl::StripToClient(TPoint p) const {
    return dlk::StripToClient(GeometryInput(), ScrollOffset(), p);
}

TRect TKtCustomTabControl::TabRectToClient(const TRect& r) const {
    return dlk::TabRectToClient(GeometryInput(), ScrollOffset(), r);
}

void TKtCustomTabControl::LayoutTabs() {
    // Every tab is measured as if it were bold when the selected one is
    // drawn bold, so selecting never changes the layout.
    const TFont plain = tab_font_;
    tab_font_ = Bolded(tab_font_, bold_current_tab_);
    SelectTabFont();
    TKtLayoutResult result;
    try {
        const TKtFontMeasurer tabFont(bitmap_.Canvas().Font, bitmap_.Canvas().Handle());
        const TKtFontMeasurer controlFont(Bolded(Font(), bold_current_tab_), bitmap_.Canvas().Handle());
        TKtTabLayoutInput in = LayoutInput(&tabFont, &controlFont);
        in.ButtonTextHeight = tabFont.Extent("A").cy;
        result = dlk::LayoutTabs(in, *tabs_);
    } catch (...) {
        RestoreTabFont();
        tab_font_ = plain;
        throw;
    }
    RestoreTabFont();
    tab_font_ = plain;
    fixed_dimension_ = result.FixedDimension;
    SetRowCount(result.RowCount);
}

}  // namespace dlk
