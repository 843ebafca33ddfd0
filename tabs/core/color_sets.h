#pragma once

#include <functional>

#include "framework/core/colors.h"
#include "framework/core/persistent.h"

namespace dlk {

// How a colour set repaints the whole of the control it belongs to.
using TKtRepaintControl = std::function<void()>;

// The three colours of a set repaint the control when one of them really
// changes; none of them changes the layout.
class TKtColorSet : public TPersistent {
public:
    explicit TKtColorSet(TKtRepaintControl repaint) : repaint_(std::move(repaint)) {}

protected:
    void Change(TColor& field, TColor value);
    // The three colours of a set of the same class, with one repaint at most.
    void CopyFrom(const TKtColorSet& source);
    TColor colors_[3] = {};

private:
    TKtRepaintControl repaint_;
};

// Bar along the selected tab, outer edge of the unselected tabs' gradient,
// and the fill of unselected tabs and of the strip buttons.
class TKtTabColors : public TKtColorSet {
public:
    explicit TKtTabColors(TKtRepaintControl repaint);
    TColor HighlightBar() const { return colors_[0]; }
    TColor Shadow() const { return colors_[1]; }
    TColor Unselected() const { return colors_[2]; }
    virtual void SetHighlightBar(TColor value) { Change(colors_[0], value); }
    virtual void SetShadow(TColor value) { Change(colors_[1], value); }
    virtual void SetUnselected(TColor value) { Change(colors_[2], value); }
    // Only from another TKtTabColors; anything else: the assignment error.
    void Assign(const TPersistent& source) override;
    const char* ClassName() const override { return "TKtTabColors"; }
};

// Captions of disabled, selected and other tabs.
class TKtTextColors : public TKtColorSet {
public:
    explicit TKtTextColors(TKtRepaintControl repaint);
    TColor Disabled() const { return colors_[0]; }
    TColor Selected() const { return colors_[1]; }
    TColor Unselected() const { return colors_[2]; }
    virtual void SetDisabled(TColor value) { Change(colors_[0], value); }
    virtual void SetSelected(TColor value) { Change(colors_[1], value); }
    virtual void SetUnselected(TColor value) { Change(colors_[2], value); }
    // Only from another TKtTextColors; anything else: the assignment error.
    void Assign(const TPersistent& source) override;
    const char* ClassName() const override { return "TKtTextColors"; }
};

}  // namespace dlk
