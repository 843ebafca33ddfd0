#pragma once

#include <functional>
#include <string>

#include "framework/controls/control.h"

namespace dlk {

class TKtPageControl;
class TKtTabData;

using TKtSheetPaintBackgroundEvent =
    std::function<void(TObject* sender, TCanvas& aCanvas, const TRect& aRect, bool& handled)>;

// One page of a page control: a child filling the control's display area,
// holding the page's controls and carrying what its tab shows. Every change
// of what the tab shows is reported to the page control, which rebuilds its
// tabs. Only the page control shows and hides a page.
class TKtTabSheet : public TCustomControl {
    DLK_COMPONENT(TKtTabSheet)
public:
    explicit TKtTabSheet(TComponent* owner);
    ~TKtTabSheet() override;

    TKtPageControl* PageControl() const { return page_control_; }
    virtual void SetPageControl(TKtPageControl* control);

    virtual TColor GetColor() const { return Color(); }
    virtual void SetColor(TColor value);
    int DisabledIndex() const { return disabled_index_; }
    virtual void SetDisabledIndex(int value);
    int ImageIndex() const { return image_index_; }
    virtual void SetImageIndex(int value);
    // The place in the page control's page list; -1 without a page control.
    virtual int GetPageIndex() const;
    virtual void SetPageIndex(int value);
    bool TabEnabled() const { return tab_enabled_; }
    virtual void SetTabEnabled(bool value);
    bool TabVisible() const { return tab_visible_; }
    virtual void SetTabVisible(bool value);
    // The page's tab among the shown tabs; -1 when it has none.
    virtual int TabIndexOf() const;
    // The page's own visibility flag, which only its page control switches.
    virtual bool GetVisible() const { return Visible(); }
    // Always refused: EKtTabControlError.
    void SetVisible(bool visible) override;

    // Whether the page holds its window resources now: a page control that
    // saves resources drops them from hidden pages, and showing the page
    // takes them again (its controls stay).
    bool HandleAllocated() const { return handle_allocated_; }
    void DestroyHandle();

    void AssignTo(TPersistent& dest) const override;
    void ReadState(TReader& reader) override;

    TKtSheetPaintBackgroundEvent OnPaintBackground;
    TNotifyEvent OnHide;
    TNotifyEvent OnShow;

protected:
    void Paint() override;
    void TextChanged() override;
    void ShowingChanged() override;
    virtual void DoHide() { Raise(OnHide, this); }
    virtual void DoShow() { Raise(OnShow, this); }
    void NotifyPageControl();

private:
    friend class TKtPageControl;
    // The framework's own visibility switch, which SetVisible does not reach.
    void SetShown(bool shown);

    int disabled_index_ = -1;
    int image_index_ = -1;
    TKtPageControl* page_control_ = nullptr;
    bool tab_enabled_ = true;
    bool tab_visible_ = true;
    bool handle_allocated_ = true;
};

}  // namespace dlk
