#include "tabs/core/tab_text.h"

#include <algorithm>

namespace dlk {

void SplitLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t at = rest.find("\r\n");
        if (at == std::string_view::npos) {
            lines.emplace_back(rest);
            break;
        }
        lines.emplace_back(rest.substr(0, at));
        rest.remove_prefix(at + 2);
    }
}

std::size_t AcceleratorMark(std::string_view line) {
    const std::size_t at = line.find('&');
    if (at == std::string_view::npos || at + 1 >= line.size() || line[at + 1] == '&') return std::string_view::npos;
    return at;
}

std::string StripAcceleratorMark(std::string_view line) {
    std::string shown(line);
    const std::size_t at = shown.find('&');
    // Only the first "&" counts; a doubled one stands for itself.
    if (at != std::string::npos && at + 1 < shown.size()) shown.erase(at, 1);
    return shown;
}

TSize MeasureCaption(const TKtTextMeasurer& measurer, const std::string& caption, bool horizontal) {
    std::vector<std::string> lines;
    SplitLines(caption, lines);
    if (lines.empty()) lines.emplace_back();
    TSize total;
    for (const std::string& line : lines) {
        TSize e = measurer.Extent(StripAcceleratorMark(line));
        if (!horizontal) std::swap(e.cx, e.cy);
        if (horizontal) {
            total.cx = std::max(total.cx, e.cx);
            total.cy += e.cy;
        } else {
            total.cx += e.cx;
            total.cy = std::max(total.cy, e.cy);
        }
    }
    return total;
}

}  // namespace dlk
