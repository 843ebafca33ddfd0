#pragma once

#include <cstdint>
#include <memory>

#include "framework/controls/control.h"
#include "framework/controls/menus.h"
#include "framework/controls/timer.h"
#include "tabs/core/tab_types.h"

namespace dlk {

class TKtCustomTabControl;

// What the three buttons at the end of a tab strip share: they belong to
// their tab control (which creates, places and frees them), take the mouse
// on a press and act on the release when the pointer is back over what was
// pressed.
class TKtTabStripButton : public TCustomControl {
    DLK_COMPONENT(TKtTabStripButton)
public:
    explicit TKtTabStripButton(TKtCustomTabControl* control);

    TColor FrameColor() const { return frame_color_; }
    virtual void SetFrameColor(TColor value);
    TKtCustomTabControl& TabControl() const { return *control_; }

    bool Captured() const { return captured_; }
    bool Inside() const { return inside_; }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Whether a point is over the pressed part (the whole button here).
    virtual bool OverPressedPart(int x, int y) const;
    // What a click does.
    virtual void ClickStep() = 0;
    // The face every button is drawn on, pressed or not.
    void PaintFace(const TRect& r, bool pressed);

    bool captured_ = false;
    bool inside_ = false;

private:
    TKtCustomTabControl* control_;
    TColor frame_color_ = clBtnShadow;
};

// Two arrow halves that move a scrolled strip a tab at a time, repeating
// while held: first after RepeatDelay, then every RepeatInterval.
class TKtTabScroller : public TKtTabStripButton {
    DLK_COMPONENT(TKtTabScroller)
public:
    explicit TKtTabScroller(TKtCustomTabControl* control);

    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    // 0: the down/left half, 1: the up/right half.
    int PressedHalf() const { return pressed_half_; }
    // Whether a half is drawn enabled; a disabled half still takes clicks,
    // which then find nothing to scroll.
    bool HalfEnabled(int half) const;
    // The repeat timer, made at the first press; tests tick it by hand.
    TTimer* RepeatTimer() const { return timer_.get(); }

    std::uint16_t RepeatDelay = 400;
    std::uint16_t RepeatInterval = 100;
    TNotifyEvent OnUpRightClick;
    TNotifyEvent OnDownLeftClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool OverPressedPart(int x, int y) const override;
    void ClickStep() override;
    virtual void DownLeftClick();
    virtual void UpRightClick();

private:
    void RepeatTick();
    TOrientation orientation_ = TOrientation::orHorizontal;
    int pressed_half_ = 0;
    std::unique_ptr<TTimer> timer_;
};

// Asks its tab control to close the selected tab.
class TKtTabCloseButton : public TKtTabStripButton {
    DLK_COMPONENT(TKtTabCloseButton)
public:
    explicit TKtTabCloseButton(TKtCustomTabControl* control);
    TNotifyEvent OnClose;

protected:
    void Paint() override;
    void ClickStep() override;
};

// Drops down a menu of the visible tabs, the selected one checked.
class TKtTabMenuButton : public TKtTabStripButton {
    DLK_COMPONENT(TKtTabMenuButton)
public:
    explicit TKtTabMenuButton(TKtCustomTabControl* control);
    ~TKtTabMenuButton() override;

    TPopupMenu& Menu() const { return *menu_; }
    // Raised before the menu is built and shown.
    TNotifyEvent OnDisplayMenu;
    // Fills the menu with the tabs as they are now, without showing it.
    void BuildMenu();

protected:
    void Paint() override;
    void ClickStep() override;

private:
    void FreeItems();
    std::unique_ptr<TPopupMenu> menu_;
};

}  // namespace dlk
