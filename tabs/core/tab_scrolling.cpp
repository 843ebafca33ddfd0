#include "tabs/core/tab_scrolling.h"

#include <algorithm>

namespace dlk {

int TabStripView::FirstVisible() const {
    for (int i = 0; i < Count; ++i)
        if (Visible(i)) return i;
    return -1;
}

int TabStripView::LastVisible() const {
    for (int i = Count - 1; i >= 0; --i)
        if (Visible(i)) return i;
    return -1;
}

int ScrollFirstShownTab(const TabStripView& strip, int first, bool forward) {
    const int saved = first;
    if (forward) {
        const int last = strip.LastVisible();
        if (first < 0 || first >= strip.Count - 1 || last < 0 || strip.Shown(last, first)) return saved;
        do ++first;
        while (first < strip.Count && !strip.Shown(first, first));
        return first >= strip.Count ? saved : first;
    }
    const int firstVisible = strip.FirstVisible();
    if (first <= 0 || firstVisible < 0 || strip.Shown(firstVisible, first)) return saved;
    first = std::min(first, strip.Count);
    do --first;
    while (first >= 0 && !strip.Shown(first, first));
    return first < 0 ? saved : first;
}

int SettleFirstShownTab(const TabStripView& strip, int saved) {
    int first = saved;
    while (first >= 0 && first < strip.Count && !strip.Shown(first, first)) ++first;
    if (first >= strip.Count) {
        first = std::min(saved, strip.Count) - 1;
        while (first >= 0 && !strip.Shown(first, first)) --first;
    }
    return first < 0 ? strip.FirstVisible() : first;
}

int BringTabIntoView(const TabStripView& strip, int first, int tab) {
    if (tab < first) return tab;
    while (first < tab && !strip.Shown(tab, first)) {
        do ++first;
        while (first < tab && !strip.Visible(first));
    }
    return first;
}

}  // namespace dlk
