#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/geometry.h"

namespace dlk {

// How big one line of caption text is in the font being measured with. The
// control answers with the metrics of its tab font; tests with fixed sizes.
class TKtTextMeasurer {
public:
    virtual ~TKtTextMeasurer() = default;
    // (0, 0) when the line cannot be measured.
    virtual TSize Extent(std::string_view line) const = 0;
};

// The lines of a caption, split at each "\r\n": a text ending in a line
// break has no empty last line, an empty text has no lines.
void SplitLines(const std::string& text, std::vector<std::string>& lines);

// Where the accelerator mark of a line is: the index of the first "&" that
// marks the next character, or npos. Drawing, measuring and the keyboard all
// go by this one mark, so the letter underlined is the letter that selects.
std::size_t AcceleratorMark(std::string_view line);
// The line as shown: the first "&" removed, or a leading "&&" made one "&";
// a "&" at the very end stays.
std::string StripAcceleratorMark(std::string_view line);

// The size of a caption: lines stacked for horizontal text, side by side
// (each line's extent turned) for vertical text.
TSize MeasureCaption(const TKtTextMeasurer& measurer, const std::string& caption, bool horizontal);

}  // namespace dlk
