#pragma once

#include <functional>

namespace dlk {

// A scrolled single row as the scrolling arithmetic sees it: how many tabs,
// which are visible, and whether a tab lies wholly in the shown part of the
// strip when the row starts at a given first shown tab. Tabs outside
// 0..Count-1 are neither visible nor shown.
struct TabStripView {
    int Count = 0;
    std::function<bool(int tab)> Visible;
    std::function<bool(int tab, int firstShown)> FullyShown;

    bool Shown(int tab, int firstShown) const {
        return tab >= 0 && tab < Count && Visible(tab) && FullyShown(tab, firstShown);
    }
    int FirstVisible() const;
    int LastVisible() const;
};

// One step of the scroller: the first shown tab after scrolling forward or
// back by one shown tab, passing over hidden tabs and tabs longer than the
// shown part; first itself when there is nothing to scroll to.
int ScrollFirstShownTab(const TabStripView& strip, int first, bool forward);

// After a relayout: the first shown tab nearest to saved that is wholly
// shown, searching forward and then back; the first visible tab when none
// is. A saved value past the end (tabs were removed) searches back from the
// last tab.
int SettleFirstShownTab(const TabStripView& strip, int saved);

// The first shown tab that brings tab into view after it was selected: tab
// itself when it lies before first, else first advanced over visible tabs
// until tab is wholly shown. Never stops on a hidden tab.
int BringTabIntoView(const TabStripView& strip, int first, int tab);

}  // namespace dlk
