#pragma once

#include <functional>
#include <string_view>

namespace dlk {

// The tab under a point, tried in the order the strip overlaps them: the
// selected tab first (it is drawn over its neighbours), then every other one
// from the first shown tab on, wrapping. hit says whether a tab is under the
// point. -1: none, or the first shown tab is not a tab.
int FindTabInHitOrder(int count, int selected, int firstShown, const std::function<bool(int)>& hit);

// The tab an arrow key moves to: the next (or previous) one that can be
// selected, wrapping, trying each tab once; tabIndex itself when none. A
// tabIndex that is not a tab starts the search from nowhere.
int ArrowKeyTarget(int count, int tabIndex, bool next, const std::function<bool(int)>& canSelect);

// Home and End: the first selectable tab searching from one end towards the
// other, or tabIndex when the search meets it or runs off the end.
int HomeEndTarget(int count, int tabIndex, bool fromStart, const std::function<bool(int)>& canSelect);

// The character a caption's accelerator mark underlines (the mark of its
// first line that has one, AcceleratorMark); 0 without a mark. So the letter
// that selects a tab is the one drawn underlined.
char32_t AcceleratorChar(std::string_view caption);

// Whether a typed character chooses an accelerator: Latin letters in either
// case, anything else only as it stands.
bool AcceleratorMatches(char32_t accelerator, char32_t typed);

}  // namespace dlk
