#include "tabs/core/tab_search.h"

#include <string>
#include <vector>

#include "tabs/core/tab_text.h"

namespace dlk {

int FindTabInHitOrder(int count, int selected, int firstShown, const std::function<bool(int)>& hit) {
    if (count <= 0 || firstShown < 0 || firstShown >= count) return -1;
    const bool hasSelected = selected >= 0 && selected < count;
    if (hasSelected && hit(selected)) return selected;
    int i = firstShown;
    do {
        if (!(hasSelected && i == selected) && hit(i)) return i;
        i = i + 1 < count ? i + 1 : 0;
    } while (i != firstShown);
    return -1;
}

int ArrowKeyTarget(int count, int tabIndex, bool next, const std::function<bool(int)>& canSelect) {
    const int start = tabIndex >= 0 && tabIndex < count ? tabIndex : -1;
    int t = start;
    for (int tried = 0; tried < count; ++tried) {
        if (next)
            t = t + 1 < count ? t + 1 : 0;
        else
            t = t <= 0 ? count - 1 : t - 1;
        if (t == start) break;
        if (canSelect(t)) return t;
    }
    return tabIndex;
}

int HomeEndTarget(int count, int tabIndex, bool fromStart, const std::function<bool(int)>& canSelect) {
    const int step = fromStart ? 1 : -1;
    for (int t = fromStart ? 0 : count - 1; t >= 0 && t < count; t += step)
        if (t == tabIndex || canSelect(t)) return t;
    return tabIndex;
}

namespace {

// One UTF-8 character at s[i]; i moves past it.
char32_t NextChar(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return c;
}

char32_t FoldLatin(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c;
}

}  // namespace

char32_t AcceleratorChar(std::string_view caption) {
    std::vector<std::string> lines;
    SplitLines(std::string(caption), lines);
    for (const std::string& line : lines) {
        std::size_t at = AcceleratorMark(line);
        if (at == std::string_view::npos) continue;
        ++at;
        return NextChar(line, at);
    }
    return 0;
}

bool AcceleratorMatches(char32_t accelerator, char32_t typed) {
    return accelerator != 0 && FoldLatin(accelerator) == FoldLatin(typed);
}

}  // namespace dlk
