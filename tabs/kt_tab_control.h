#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/canvas/bitmap.h"
#include "framework/canvas/region.h"
#include "framework/controls/control.h"
#include "framework/controls/image_list.h"
#include "framework/controls/timer.h"
#include "tabs/caption_sizes.h"
#include "tabs/core/color_sets.h"
#include "tabs/core/draw_commands.h"
#include "tabs/core/region_cache.h"
#include "tabs/core/strip_geometry.h"
#include "tabs/core/tab_data.h"
#include "tabs/core/tab_errors.h"
#include "tabs/core/tab_layout.h"
#include "tabs/core/tab_types.h"

namespace dlk {

class TKtTabScroller;
class TKtTabCloseButton;
class TKtTabMenuButton;

using TKtTabChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;
using TKtTabCloseEvent = std::function<void(TObject* sender, bool& allowClose)>;
using TKtGetTextColorEvent =
    std::function<void(TObject* sender, int aTabIndex, TKtTextStyle aStyle, TColor& aColor, bool& handled)>;
using TKtPaintBackgroundEvent =
    std::function<void(TObject* sender, TCanvas& aCanvas, const TRect& aRect, bool& handled)>;
using TKtPaintCardBackgroundEvent =
    std::function<void(TObject* sender, TCanvas& aCanvas, int aRow, const TRect& aRect, bool& handled)>;
using TKtPaintTabBackgroundEvent =
    std::function<void(TObject* sender, TCanvas& aCanvas, int aTabIndex, const TRect& aRect, bool& handled)>;
using TKtTabOrderChangeEvent = std::function<void(TObject* sender, int oldIndex, int newIndex)>;

// A child control the tab control makes only when it is first needed and
// frees itself. Kept as a plain control pointer so that this header does not
// need the strip buttons' classes; Get() is for the files that include them.
template <class T>
class TKtOnDemandChild {
public:
    T* Get() const { return static_cast<T*>(control_); }
    TControl* Control() const { return control_; }
    bool Exists() const { return control_ != nullptr; }
    void Set(T* child) { control_ = child; }
    void Free() {
        TControl* c = control_;
        control_ = nullptr;
        delete c;
    }

private:
    TControl* control_ = nullptr;
};

// The engine of a tab strip: a list of tabs laid out in one or several rows
// along one edge, drawn on an image of its own, with a card (the page area)
// beside them. The page control is its only descendant and exposes it to the
// stored descriptions.
class TKtCustomTabControl : public TCustomControl {
    DLK_COMPONENT(TKtCustomTabControl)
public:
    explicit TKtCustomTabControl(TComponent* owner);
    ~TKtCustomTabControl() override;

    // Properties, in the order the page control publishes them.
    TKtAboutInfo About() const { return about_; }
    void SetAbout(TKtAboutInfo v) { about_ = v; }
    bool AlignTabs() const { return align_tabs_; }
    bool AllowTabDragging() const { return allow_tab_dragging_; }
    void SetAllowTabDragging(bool v) { allow_tab_dragging_ = v; }
    TColor BackgroundColor() const { return background_color_; }
    bool BoldCurrentTab() const { return bold_current_tab_; }
    bool UseColoredTabs() const { return use_colored_tabs_; }
    int CutCornerSize() const { return cut_corner_size_; }
    TColor FlatColor() const { return flat_color_; }
    int FlatColorAdjustment() const { return flat_color_adjustment_; }
    TKtHorizontalAlignment ImageAlignment() const { return image_alignment_; }
    int ImageMargin() const { return image_margin_; }
    TKtImagePosition ImagePosition() const { return image_position_; }
    TKtVerticalAlignment ImageAlignmentVertical() const { return image_alignment_vertical_; }
    bool HotTrack() const { return hot_track_; }
    TColor HotTrackColor() const { return hot_track_color_; }
    TKtHotTrackColorType HotTrackColorType() const { return hot_track_color_type_; }
    TKtTabHotTrackStyle HotTrackStyle() const { return hot_track_style_; }
    TImageList* Images() const { return images_; }
    int Margin() const { return margin_; }
    bool MultiLine() const { return multi_line_; }
    bool ParentBackgroundColor() const { return parent_background_color_; }
    int RowIndent() const { return row_indent_; }
    int RowOverlap() const { return row_overlap_; }
    bool ShowCardFrame() const { return show_card_frame_; }
    bool ShowCloseButton() const { return show_close_button_; }
    bool ShowMenuButton() const { return show_menu_button_; }
    bool ShowFocusRect() const { return show_focus_rect_; }
    bool ShowFullFrame() const { return show_full_frame_; }
    bool ShowShadow() const { return show_shadow_; }
    bool SoftCorners() const { return soft_corners_; }
    int TabOverlap() const { return tab_overlap_; }
    TOrientation TextOrientation() const { return text_orientation_; }
    TKtTabColors& TabColors() const { return *tab_colors_; }
    int TabHeight() const { return tab_height_; }
    bool TabHints() const { return tab_hints_; }
    int TabIndex() const { return tab_index_; }
    TKtTabOrientation TabOrientation() const { return tab_orientation_; }
    TKtTabSequence TabSequence() const { return tab_sequence_; }
    TKtTabStyle TabStyle() const { return tab_style_; }
    int TabWidth() const { return tab_width_; }
    TKtTextColors& TextColors() const { return *text_colors_; }
    TKtHorizontalAlignment TextAlignment() const { return text_alignment_; }
    TKtVerticalAlignment TextAlignmentVertical() const { return text_alignment_vertical_; }
    bool Transparent() const { return transparent_; }
    bool UseGradients() const { return use_gradients_; }

    // State the other parts of the library read.
    TKtTabDataList& Tabs() const { return *tabs_; }
    bool LayoutPending() const { return layout_pending_; }
    bool CardVisible() const { return card_visible_; }
    int RowCount() const { return row_count_; }
    int FixedDimension() const { return fixed_dimension_; }
    void SetFixedDimension(int v) { fixed_dimension_ = v; }
    int FirstShownTab() const { return first_shown_tab_; }
    int HotTabIndex() const { return hot_tab_index_; }
    bool ScrollerNeeded() const { return scroller_needed_; }
    int RegionCacheCapacity() const { return region_cache_capacity_; }
    TKtTabRegionCache<TRegion>& RegionCache() { return *region_cache_; }
    bool TabChangeApproved() const { return tab_change_approved_; }
    int StoredTabIndex() const { return stored_tab_index_; }
    const TFont& TabFont() const { return tab_font_; }
    TBitmap& OffscreenBitmap() { return bitmap_; }
    TControl* Scroller() const { return scroller_.Control(); }
    TControl* CloseButton() const { return close_button_.Control(); }
    TControl* MenuButton() const { return menu_button_.Control(); }

    // Strip geometry, in client coordinates.
    TRect BaseRect() const;
    int StripDepth() const;
    TRect StripRect() const;
    int StripLength() const;
    TRect CardRect(int row) const;
    TRect DisplayRect() const;
    int ButtonSize();
    int CloseButtonSize();
    int MenuButtonSize();
    int FirstVisibleTab() const;
    int LastVisibleTab() const;
    int ScrollOffset() const;
    void UpdateScrollerNeeded();
    void PlaceCloseButton();
    void PlaceMenuButton();
    void PlaceScroller();
    void InvalidateButtons();

    // Tab layout: sizes from the tab font, positions in strip coordinates.
    TSize GetImageSize(int imageIndex) const;
    TSize MeasureText(const std::string& caption, bool horizontal);
    TSize GetTabContentSize(const TKtTabData& tab);
    TSize ContentToTabSize(TSize content) const;
    TRect GetTabContentRect(const TRect& tabRect) const;
    TPoint StripToClient(TPoint p) const;
    TRect TabRectToClient(const TRect& r) const;
    void LayoutTabs();

    // Rows, scrolling and relayout.
    void ApplyPendingLayout();
    void RotateRows(int tab);
    bool IsTabFullyShown(int tab);
    void ScrollTabs(bool forward);
    void ScrollerNextClick();
    void ScrollerPriorClick();
    void CreateScroller();
    void RealignIfNeeded();

    // Selection, hit testing, hot-tracking.
    int TabAtPoint(int x, int y);
    void ClearHotTrack();
    bool CanSelectTab(int index);
    void TryCloseSelectedTab();
    void CloseButtonClick();
    void CreateCloseButton();
    void CreateMenuButton();

    // The tab font as captions are measured and drawn: pushed onto the
    // off-screen canvas, rotated for vertical text; calls nest.
    void SelectTabFont();
    void RestoreTabFont();
    void AddDrawCommandPoint(int kind, TPoint point);

    // Shapes, outlines and regions.
    TRect TabShapeRect(int index) const;
    TRect GetTabClientRect(int index) const;
    TRegion* GetTabRegion(int index, const TRect& clientRect);
    void DrawTabOutline(int index);
    void DrawCardFrame(int row);
    void ExecuteDrawCommands();

    // Painting.
    void DrawTabs();
    void DrawTab(int index);
    void DrawCard(int row);
    void DrawTabBackground(int index, const TRect& rect);
    void DrawTabFace(int index, const TRect& rect);

    // The overridable steps, in the order descendants know them.
    virtual void DoChanging(int newIndex, bool& allowChange);
    virtual void DoGetTextColor(int aTabIndex, TKtTextStyle aStyle, TColor& aColor, bool& handled);
    virtual void TabsChanged();
    virtual void DoTabClick();
    virtual void FullRepaint();
    virtual void DoPaintBackground(TCanvas& aCanvas, const TRect& aRect, bool& handled);
    virtual void DoPaintCardBackground(TCanvas& aCanvas, int aRow, const TRect& aRect, bool& handled);
    virtual void DoPaintTabBackground(TCanvas& aCanvas, int aTabIndex, const TRect& aRect, bool& handled);
    virtual void DrawDropMarker(const TRect& aRect);
    virtual void CloseSelectedTab() {}
    virtual void MoveSelectedTab(int newIndex) { (void)newIndex; }
    virtual void SetAlignTabs(bool v);
    virtual void SetBackgroundColor(TColor v);
    virtual void SetBoldCurrentTab(bool v);
    virtual void SetLayoutPending(bool v);
    virtual void SetCardVisible(bool v);
    virtual void SetShowCardFrame(bool v);
    virtual void SetShowFullFrame(bool v);
    virtual void SetShowCloseButton(bool v);
    virtual void SetShowMenuButton(bool v);
    virtual void SetUseColoredTabs(bool v);
    virtual void SetCutCornerSize(int v);
    virtual void SetFlatColor(TColor v);
    virtual void SetFlatColorAdjustment(int v);
    virtual void SetImagePosition(TKtImagePosition v);
    virtual void SetImageAlignment(TKtHorizontalAlignment v);
    virtual void SetImageMargin(int v);
    virtual void SetImageAlignmentVertical(TKtVerticalAlignment v);
    virtual void SetHotTrack(bool v);
    virtual void SetHotTrackColor(TColor v);
    virtual void SetHotTrackColorType(TKtHotTrackColorType v);
    virtual void SetHotTrackStyle(TKtTabHotTrackStyle v);
    virtual void SetImages(TImageList* v);
    virtual void SetMargin(int v);
    virtual void SetMultiLine(bool v);
    virtual void SetParentBackgroundColor(bool v);
    virtual void SetRowCount(int v);
    virtual void SetRowIndent(int v);
    virtual void SetRowOverlap(int v);
    virtual void SetShowFocusRect(bool v);
    virtual void SetShowShadow(bool v);
    virtual void SetSoftCorners(bool v);
    virtual void SetTabOverlap(int v);
    virtual void SetTextOrientation(TOrientation v);
    virtual void SetTabColors(const TKtTabColors& v);
    virtual void SetTabHeight(int v);
    virtual void SetTabHints(bool v);
    virtual void SetTabIndex(int v);
    virtual void SetTabOrientation(TKtTabOrientation v);
    virtual void SetRegionCacheCapacity(int v);
    virtual void SetTabSequence(TKtTabSequence v);
    virtual void SetTabStyle(TKtTabStyle v);
    virtual void SetTabWidth(int v);
    virtual void SetTextColors(const TKtTextColors& v);
    virtual void SetTextAlignment(TKtHorizontalAlignment v);
    virtual void SetTextAlignmentVertical(TKtVerticalAlignment v);
    virtual void SetUseGradients(bool v);
    virtual void SetTransparent(bool v);
    virtual void DoChange();
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}
    virtual void DoTabOrderChange(int oldIndex, int newIndex);
    virtual void DoPageChange();
    // False unless an OnClose handler allows it: without one no tab closes.
    virtual bool DoClose();

    TNotifyEvent OnChange;
    TKtTabChangingEvent OnChanging;
    TKtTabCloseEvent OnClose;
    TKtGetTextColorEvent OnGetTextColor;
    TNotifyEvent OnPageChange;
    TKtPaintBackgroundEvent OnPaintBackground;
    TKtPaintCardBackgroundEvent OnPaintCardBackground;
    TKtPaintTabBackgroundEvent OnPaintTabBackground;
    TNotifyEvent OnTabClick;
    TKtTabOrderChangeEvent OnTabOrderChange;
    TNotifyEvent OnScrolledTabs;

    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The window timer of hot-tracking.
    static constexpr int kHotTrackTimerId = 1;
    static constexpr int kHotTrackInterval = 60;

protected:
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TRect& rect) override;
    void Paint() override;
    const QImage* ComposePicture() override;
    // The whole control composed on its off-screen bitmap, which it returns.
    const QImage& Compose();
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void WMTimer(int id) override;
    void FontChanged() override;
    void ColorChanged() override;
    void ParentColorChanged() override;

public:
    bool DialogChar(int charCode, TShiftState shift) override;
    void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
    void DragDrop(TObject* source, int x, int y) override;

    // Dragging a tab: the tab the drag would drop on, the marker beside it
    // (client coordinates) and whether it is shown. The marker is drawn into
    // the control's own image by PaintDropMarker, at the end of a paint.
    int DropTarget() const { return drop_target_; }
    bool DropMarkerShown() const { return drop_marker_shown_; }
    const TRect& DropMarkerRect() const { return drag_marker_rect_; }
    TRect DropMarkerRectFor(int target) const;
    void PaintDropMarker(TCanvas& canvas) const;
    // Scrolls the strip while a dragged tab is held beyond its ends; made at
    // the first need, ticked by hand in tests.
    TTimer* DragScrollTimer() const { return drag_timer_.get(); }
    void DragScrollTick();
    int DragCandidate() const { return drag_candidate_; }

protected:
    // What the pure strip geometry and layout need of this control.
    TKtStripGeometryInput GeometryInput() const;
    TKtTabLayoutInput LayoutInput(const TKtTextMeasurer* tabFont, const TKtTextMeasurer* controlFont) const;
    // The scroller's orientation follows the strip's.
    void SetScrollerOrientation(TOrientation orientation);
    void UpdateButtonFrames();
    void ShowStripButton(TControl& button, bool v);
    // Hot-tracking: the tab under the pointer changed to index (-1: none).
    void TrackTabUnderPointer(int index, int x, int y);
    // SetTabIndex for a tab already asked about (CanSelectTab), or one that
    // only follows a switch made already: nobody is asked again.
    void SetApprovedTabIndex(int index);

    // Written by the setters, the layout and the event handling.
    TBitmap bitmap_;
    bool layout_pending_ = false;
    bool tab_change_approved_ = false;
    TKtDrawCommands draw_commands_;
    int first_shown_tab_ = -1;
    int fixed_dimension_ = 0;
    TKtCaptionSizes caption_sizes_;
    int hot_tab_index_ = -1;
    std::string saved_hint_;
    TRect last_display_rect_;
    int row_count_ = 1;
    TKtOnDemandChild<TKtTabScroller> scroller_;
    bool scroller_needed_ = false;
    std::unique_ptr<TKtTabDataList> tabs_;
    std::unique_ptr<TKtTabRegionCache<TRegion>> region_cache_;
    int region_cache_capacity_ = 1;
    TKtOnDemandChild<TKtTabCloseButton> close_button_;
    TKtOnDemandChild<TKtTabMenuButton> menu_button_;
    TFont tab_font_;
    bool hot_track_timer_running_ = false;
    std::unique_ptr<TTimer> drag_timer_;
    std::uint16_t drag_first_interval_ = 400;
    std::uint16_t drag_step_interval_ = 300;

    TKtAboutInfo about_ = TKtAboutInfo::aiKtComponents;
    bool align_tabs_ = false;
    bool allow_tab_dragging_ = false;
    TColor background_color_ = clBtnFace;
    bool bold_current_tab_ = false;
    bool use_colored_tabs_ = false;
    int cut_corner_size_ = 6;
    TColor flat_color_ = clBtnShadow;
    int flat_color_adjustment_ = 0;
    TKtHorizontalAlignment image_alignment_ = TKtHorizontalAlignment::haCenter;
    int image_margin_ = 2;
    TKtImagePosition image_position_ = TKtImagePosition::ipLeft;
    TKtVerticalAlignment image_alignment_vertical_ = TKtVerticalAlignment::vaCenter;
    bool hot_track_ = true;
    TColor hot_track_color_ = 0x00149BF0;
    TKtHotTrackColorType hot_track_color_type_ = TKtHotTrackColorType::htctActual;
    TKtTabHotTrackStyle hot_track_style_ = TKtTabHotTrackStyle::htsTab;
    TImageList* images_ = nullptr;
    int margin_ = 0;
    bool multi_line_ = false;
    bool parent_background_color_ = true;
    int row_indent_ = 5;
    int row_overlap_ = 5;
    bool show_card_frame_ = true;
    bool show_close_button_ = false;
    bool show_menu_button_ = false;
    bool show_focus_rect_ = true;
    bool show_full_frame_ = true;
    bool show_shadow_ = true;
    bool soft_corners_ = false;
    int tab_overlap_ = -1;
    TOrientation text_orientation_ = TOrientation::orHorizontal;
    std::unique_ptr<TKtTabColors> tab_colors_;
    int tab_height_ = 0;
    bool tab_hints_ = false;
    int tab_index_ = -1;
    TKtTabOrientation tab_orientation_ = TKtTabOrientation::toTop;
    TKtTabSequence tab_sequence_ = TKtTabSequence::tsStandard;
    TKtTabStyle tab_style_ = TKtTabStyle::tsSingleSlant;
    int tab_width_ = 0;
    std::unique_ptr<TKtTextColors> text_colors_;
    TKtHorizontalAlignment text_alignment_ = TKtHorizontalAlignment::haCenter;
    TKtVerticalAlignment text_alignment_vertical_ = TKtVerticalAlignment::vaCenter;
    bool transparent_ = false;
    bool use_gradients_ = true;

    bool card_visible_ = true;
    // A repaint asked for by hot-tracking alone. It changes nothing drawn:
    // the card's shadow is blended from the parent's picture, never from
    // this control's own image, so painting it again cannot darken it twice.
    bool hot_track_only_repaint_ = false;
    std::unique_ptr<TChangeLink> image_change_link_;
    int stored_tab_index_ = 0;
    TRect drag_marker_rect_;
    int drag_candidate_ = -1;
    int drop_target_ = -1;
    bool drop_marker_shown_ = false;
};

}  // namespace dlk
