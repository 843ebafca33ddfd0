#include "framework/controls/control_properties.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

namespace {

using T = TKtCustomTabControl;

template <class E>
using Names = std::vector<std::pair<const char*, E>>;
// Each list is made on first use: another file's registration may ask for
// this class's table before this file's own statics exist.

const Names<TKtTabStyle>& kTabStyles() {
    static const Names<TKtTabStyle> names = {{"tsSingleSlant", TKtTabStyle::tsSingleSlant},
                                             {"tsDoubleSlant", TKtTabStyle::tsDoubleSlant},
                                             {"tsCutCorner", TKtTabStyle::tsCutCorner},
                                             {"tsRoundCorners", TKtTabStyle::tsRoundCorners},
                                             {"tsBackSlant", TKtTabStyle::tsBackSlant}};
    return names;
}
const Names<TKtTabOrientation>& kTabOrientations() {
    static const Names<TKtTabOrientation> names = {{"toTop", TKtTabOrientation::toTop},
                                                   {"toLeft", TKtTabOrientation::toLeft},
                                                   {"toBottom", TKtTabOrientation::toBottom},
                                                   {"toRight", TKtTabOrientation::toRight}};
    return names;
}
const Names<TKtTabSequence>& kTabSequences() {
    static const Names<TKtTabSequence> names = {{"tsStandard", TKtTabSequence::tsStandard},
                                                {"tsReverse", TKtTabSequence::tsReverse}};
    return names;
}
const Names<TOrientation>& kOrientations() {
    static const Names<TOrientation> names = {{"orHorizontal", TOrientation::orHorizontal},
                                              {"orVertical", TOrientation::orVertical}};
    return names;
}
const Names<TKtHorizontalAlignment>& kHorizontal() {
    static const Names<TKtHorizontalAlignment> names = {{"haLeft", TKtHorizontalAlignment::haLeft},
                                                        {"haCenter", TKtHorizontalAlignment::haCenter},
                                                        {"haRight", TKtHorizontalAlignment::haRight}};
    return names;
}
const Names<TKtVerticalAlignment>& kVertical() {
    static const Names<TKtVerticalAlignment> names = {{"vaTop", TKtVerticalAlignment::vaTop},
                                                      {"vaCenter", TKtVerticalAlignment::vaCenter},
                                                      {"vaBottom", TKtVerticalAlignment::vaBottom}};
    return names;
}
const Names<TKtImagePosition>& kImagePositions() {
    static const Names<TKtImagePosition> names = {
        {"ipLeft", TKtImagePosition::ipLeft},   {"ipTop", TKtImagePosition::ipTop},
        {"ipRight", TKtImagePosition::ipRight}, {"ipBottom", TKtImagePosition::ipBottom},
        {"ipBack", TKtImagePosition::ipBack},   {"ipStretch", TKtImagePosition::ipStretch}};
    return names;
}
const Names<TKtHotTrackColorType>& kHotTrackColorTypes() {
    static const Names<TKtHotTrackColorType> names = {{"htctComplement", TKtHotTrackColorType::htctComplement},
                                                      {"htctActual", TKtHotTrackColorType::htctActual}};
    return names;
}
const Names<TKtTabHotTrackStyle>& kHotTrackStyles() {
    static const Names<TKtTabHotTrackStyle> names = {{"htsTab", TKtTabHotTrackStyle::htsTab},
                                                     {"htsText", TKtTabHotTrackStyle::htsText}};
    return names;
}

// Written whenever it is the control's own colour, never while it follows
// the parent's.
PropertyInfo BackgroundColorRow() {
    PropertyInfo row = prop::Color<T>("BackgroundColor", &T::BackgroundColor, &T::SetBackgroundColor, clBtnFace);
    row.Write = [value = row.Value](const TComponent& c) -> std::optional<StoredValue> {
        if (static_cast<const T&>(c).ParentBackgroundColor()) return std::nullopt;
        return value(c);
    };
    return row;
}

}  // namespace

const ClassInfo& TKtCustomTabControl::StaticClass() {
    static const ClassInfo info(
        "TKtCustomTabControl", &TCustomControl::StaticClass(), Creator<T>(),
        {
            prop::Bool<T>("AlignTabs", &T::AlignTabs, &T::SetAlignTabs, false),
            prop::Bool<T>("AllowTabDragging", &T::AllowTabDragging, &T::SetAllowTabDragging, false),
            BackgroundColorRow(),
            prop::Bool<T>("BoldCurrentTab", &T::BoldCurrentTab, &T::SetBoldCurrentTab, false),
            prop::Bool<T>("UseColoredTabs", &T::UseColoredTabs, &T::SetUseColoredTabs, false),
            prop::Int<T>("CutCornerSize", &T::CutCornerSize, &T::SetCutCornerSize, 6),
            prop::Color<T>("FlatColor", &T::FlatColor, &T::SetFlatColor, clBtnShadow),
            prop::Int<T>("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment, 0),
            prop::Enum<T>("ImageAlignment", kHorizontal(), &T::ImageAlignment, &T::SetImageAlignment,
                          TKtHorizontalAlignment::haCenter),
            prop::Int<T>("ImageMargin", &T::ImageMargin, &T::SetImageMargin, 2),
            prop::Enum<T>("ImagePosition", kImagePositions(), &T::ImagePosition, &T::SetImagePosition,
                          TKtImagePosition::ipLeft),
            prop::Enum<T>("ImageAlignmentVertical", kVertical(), &T::ImageAlignmentVertical,
                          &T::SetImageAlignmentVertical, TKtVerticalAlignment::vaCenter),
            prop::Bool<T>("HotTrack", &T::HotTrack, &T::SetHotTrack, true),
            prop::Color<T>("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor, TColor(0x00149BF0)),
            prop::Enum<T>("HotTrackColorType", kHotTrackColorTypes(), &T::HotTrackColorType, &T::SetHotTrackColorType,
                          TKtHotTrackColorType::htctActual),
            prop::Enum<T>("HotTrackStyle", kHotTrackStyles(), &T::HotTrackStyle, &T::SetHotTrackStyle,
                          TKtTabHotTrackStyle::htsTab),
            prop::Reference<T, TImageList>("Images", &T::Images, &T::SetImages),
            prop::Int<T>("Margin", &T::Margin, &T::SetMargin, 0),
            prop::Bool<T>("MultiLine", &T::MultiLine, &T::SetMultiLine, false),
            prop::Bool<T>("ParentBackgroundColor", &T::ParentBackgroundColor, &T::SetParentBackgroundColor, true),
            prop::Int<T>("RowIndent", &T::RowIndent, &T::SetRowIndent, 5),
            prop::Int<T>("RowOverlap", &T::RowOverlap, &T::SetRowOverlap, 5),
            prop::Bool<T>("ShowCardFrame", &T::ShowCardFrame, &T::SetShowCardFrame, true),
            prop::Bool<T>("ShowCloseButton", &T::ShowCloseButton, &T::SetShowCloseButton, false),
            prop::Bool<T>("ShowMenuButton", &T::ShowMenuButton, &T::SetShowMenuButton, false),
            prop::Bool<T>("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect, true),
            prop::Bool<T>("ShowFullFrame", &T::ShowFullFrame, &T::SetShowFullFrame, true),
            prop::Bool<T>("ShowShadow", &T::ShowShadow, &T::SetShowShadow, true),
            prop::Bool<T>("SoftCorners", &T::SoftCorners, &T::SetSoftCorners, false),
            prop::Int<T>("TabOverlap", &T::TabOverlap, &T::SetTabOverlap, -1),
            prop::Enum<T>("TextOrientation", kOrientations(), &T::TextOrientation, &T::SetTextOrientation,
                          TOrientation::orHorizontal),
            prop::Color<T>(
                "TabColors.HighlightBar", [](const T& c) { return c.TabColors().HighlightBar(); },
                [](T& c, TColor v) { c.TabColors().SetHighlightBar(v); }, TKtTabColors(nullptr).HighlightBar()),
            prop::Color<T>(
                "TabColors.Shadow", [](const T& c) { return c.TabColors().Shadow(); },
                [](T& c, TColor v) { c.TabColors().SetShadow(v); }, TKtTabColors(nullptr).Shadow()),
            prop::Color<T>(
                "TabColors.Unselected", [](const T& c) { return c.TabColors().Unselected(); },
                [](T& c, TColor v) { c.TabColors().SetUnselected(v); }, TKtTabColors(nullptr).Unselected()),
            prop::Int<T>("TabHeight", &T::TabHeight, &T::SetTabHeight, 0),
            prop::Bool<T>("TabHints", &T::TabHints, &T::SetTabHints, false),
            prop::Int<T>("TabIndex", &T::TabIndex, &T::SetTabIndex, -1),
            prop::Enum<T>("TabOrientation", kTabOrientations(), &T::TabOrientation, &T::SetTabOrientation,
                          TKtTabOrientation::toTop),
            prop::Enum<T>("TabSequence", kTabSequences(), &T::TabSequence, &T::SetTabSequence,
                          TKtTabSequence::tsStandard),
            prop::Enum<T>("TabStyle", kTabStyles(), &T::TabStyle, &T::SetTabStyle, TKtTabStyle::tsSingleSlant),
            prop::Int<T>("TabWidth", &T::TabWidth, &T::SetTabWidth, 0),
            prop::Color<T>(
                "TextColors.Disabled", [](const T& c) { return c.TextColors().Disabled(); },
                [](T& c, TColor v) { c.TextColors().SetDisabled(v); }, TKtTextColors(nullptr).Disabled()),
            prop::Color<T>(
                "TextColors.Selected", [](const T& c) { return c.TextColors().Selected(); },
                [](T& c, TColor v) { c.TextColors().SetSelected(v); }, TKtTextColors(nullptr).Selected()),
            prop::Color<T>(
                "TextColors.Unselected", [](const T& c) { return c.TextColors().Unselected(); },
                [](T& c, TColor v) { c.TextColors().SetUnselected(v); }, TKtTextColors(nullptr).Unselected()),
            prop::Enum<T>("TextAlignment", kHorizontal(), &T::TextAlignment, &T::SetTextAlignment,
                          TKtHorizontalAlignment::haCenter),
            prop::Enum<T>("TextAlignmentVertical", kVertical(), &T::TextAlignmentVertical, &T::SetTextAlignmentVertical,
                          TKtVerticalAlignment::vaCenter),
            prop::Bool<T>("Transparent", &T::Transparent, &T::SetTransparent, false),
            prop::Bool<T>("UseGradients", &T::UseGradients, &T::SetUseGradients, true),
        },
        {prop::Default("TabStop", StoredValue::Ident("True"))});
    return info;
}
DLK_REGISTER_CLASS(TKtCustomTabControl);

}  // namespace dlk
