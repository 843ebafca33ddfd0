#include "tabs/kt_tab_control.h"

#include "tabs/environment.h"

namespace dlk {

namespace {
constexpr const char* kVerdana = "Verdana";
}

// Every default is a plain field, given where it is declared, never through
// a setter: a base constructor never reaches a descendant's overrides, and the
// setters would touch objects that do not exist yet (the region cache) or
// relayout a page list not yet made.
TKtCustomTabControl::TKtCustomTabControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 300, 100);
    bitmap_.SetSize(Width(), Height());
    tabs_ = std::make_unique<TKtTabDataList>();
    tab_font_ = Font();

    SetTabStop(true);
    auto repaint = [this] { FullRepaint(); };
    tab_colors_ = std::make_unique<TKtTabColors>(repaint);
    text_colors_ = std::make_unique<TKtTextColors>(repaint);

    image_change_link_ = std::make_unique<TChangeLink>();
    image_change_link_->OnChange = [this](TObject*) { FullRepaint(); };

    region_cache_ = std::make_unique<TKtTabRegionCache<TRegion>>();
    region_cache_->SetCapacity(region_cache_capacity_);

    SetLayoutPending(true);
}

// The strip buttons and the timers go first: nothing they still do on the
// way out may reach the tab list, the cache or the fonts freed below.
TKtCustomTabControl::~TKtCustomTabControl() {
    if (hot_track_timer_running_) KillTimer(kHotTrackTimerId);
    hot_track_timer_running_ = false;
    drag_timer_.reset();
    scroller_.Free();
    close_button_.Free();
    menu_button_.Free();
    if (images_ != nullptr) images_->UnRegisterChanges(image_change_link_.get());
    tabs_.reset();
    region_cache_.reset();
    tab_colors_.reset();
    text_colors_.reset();
    image_change_link_.reset();
}

void TKtCustomTabControl::DefineProperties(TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    // Always written, so a control read back starts with the row thickness
    // of its last layout until the next layout computes it again.
    filer.DefineProperty(
        "FixedDimension",
        [this](const StoredValue& v) {
            if (v.Kind != StoredValue::ValueKind::Integer)
                throw EPropertyError("FixedDimension expects a whole number");
            fixed_dimension_ = int(v.Integer);
        },
        [this]() -> std::optional<StoredValue> { return StoredValue::Int(fixed_dimension_); });
}

void TKtCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    saved_hint_ = Hint();
    SetLayoutPending(true);
    if (stored_tab_index_ != tab_index_) tab_index_ = stored_tab_index_;
    if (text_orientation_ == TOrientation::orVertical && !IsTrueTypeFont(Font())) {
        TFont f = Font();
        f.Name = kVerdana;
        SetFont(f);
    }
    // The value does not change, so no change event: this only brings the
    // selected tab into view.
    SetTabIndex(tab_index_);
}

void TKtCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr && component == images_) SetImages(nullptr);
}

void TKtCustomTabControl::DoChanging(int newIndex, bool& allowChange) {
    Raise(OnChanging, this, newIndex, allowChange);
}

void TKtCustomTabControl::DoGetTextColor(int aTabIndex, TKtTextStyle aStyle, TColor& aColor, bool& handled) {
    Raise(OnGetTextColor, this, aTabIndex, aStyle, aColor, handled);
}

void TKtCustomTabControl::TabsChanged() {
    SetLayoutPending(true);
}

void TKtCustomTabControl::DoTabClick() {
    Raise(OnTabClick, this);
}

void TKtCustomTabControl::FullRepaint() {
    hot_track_only_repaint_ = false;
    Invalidate();
}

void TKtCustomTabControl::DoPaintBackground(TCanvas& aCanvas, const TRect& aRect, bool& handled) {
    Raise(OnPaintBackground, this, aCanvas, aRect, handled);
}

void TKtCustomTabControl::DoPaintCardBackground(TCanvas& aCanvas, int aRow, const TRect& aRect, bool& handled) {
    Raise(OnPaintCardBackground, this, aCanvas, aRow, aRect, handled);
}

void TKtCustomTabControl::DoPaintTabBackground(TCanvas& aCanvas, int aTabIndex, const TRect& aRect, bool& handled) {
    Raise(OnPaintTabBackground, this, aCanvas, aTabIndex, aRect, handled);
}

void TKtCustomTabControl::DoChange() {
    Raise(OnChange, this);
}

void TKtCustomTabControl::DoTabOrderChange(int oldIndex, int newIndex) {
    Raise(OnTabOrderChange, this, oldIndex, newIndex);
}

void TKtCustomTabControl::DoPageChange() {
    Raise(OnPageChange, this);
}

bool TKtCustomTabControl::DoClose() {
    bool allowClose = false;
    Raise(OnClose, this, allowClose);
    return allowClose;
}

void TKtCustomTabControl::SetLayoutPending(bool v) {
    if (v == layout_pending_) return;
    layout_pending_ = v;
    if (v) FullRepaint();
}

void TKtCustomTabControl::SetCardVisible(bool v) {
    if (v == card_visible_) return;
    card_visible_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetRowCount(int v) {
    row_count_ = v;
}

void TKtCustomTabControl::SetRegionCacheCapacity(int v) {
    // The cache itself refuses 0 and values below -1 with an error; here
    // they are simply not taken.
    if (v == -1 || (v >= 1 && v != region_cache_capacity_)) {
        region_cache_capacity_ = v;
        region_cache_->SetCapacity(v);
    }
}

// Shape setters.

void TKtCustomTabControl::SetCutCornerSize(int v) {
    if (v < 0 || v == cut_corner_size_) return;
    cut_corner_size_ = v;
    if (tab_style_ == TKtTabStyle::tsCutCorner) TabsChanged();
}

void TKtCustomTabControl::SetSoftCorners(bool v) {
    if (v == soft_corners_) return;
    soft_corners_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetTabOverlap(int v) {
    if (v == tab_overlap_) return;
    tab_overlap_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetTabOrientation(TKtTabOrientation v) {
    if (v == tab_orientation_) return;
    tab_orientation_ = v;
    if (!IsLoading() && !IsReading()) TabsChanged();
}

void TKtCustomTabControl::SetTabStyle(TKtTabStyle v) {
    if (v == tab_style_) return;
    tab_style_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetTextOrientation(TOrientation v) {
    if (v == text_orientation_) return;
    text_orientation_ = v;
    // A bitmap font cannot be turned; Verdana can, either way.
    if (!IsLoading() && !IsTrueTypeFont(Font())) {
        TFont f = Font();
        f.Name = kVerdana;
        SetFont(f);
    }
    TabsChanged();
}

void TKtCustomTabControl::SetTabSequence(TKtTabSequence v) {
    if (v == tab_sequence_) return;
    tab_sequence_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetTabHeight(int v) {
    if (v < 0 || v == tab_height_) return;
    tab_height_ = v;
    TabsChanged();
}

void TKtCustomTabControl::SetTabWidth(int v) {
    if (v < 0 || v == tab_width_) return;
    tab_width_ = v;
    TabsChanged();
}

}  // namespace dlk
