#pragma once

#include <map>
#include <string>
#include <utility>

#include "framework/canvas/canvas.h"
#include "framework/core/geometry.h"

namespace dlk {

// Caption extents remembered for one font: shaping a caption costs more than
// the rest of its tab's face, and every paint asks for every caption again.
class TKtCaptionSizes {
public:
    // The size of caption in font on a device of dpi; measure(caption) is
    // asked only for what is not remembered.
    template <class Measure>
    TSize Get(const TFont& font, int dpi, const std::string& caption, bool horizontal, Measure&& measure) {
        if (!(font == font_) || dpi != dpi_ || sizes_.size() >= kMaxEntries) {
            sizes_.clear();
            font_ = font;
            dpi_ = dpi;
        }
        auto key = std::make_pair(caption, horizontal);
        if (auto it = sizes_.find(key); it != sizes_.end()) return it->second;
        const TSize size = measure();
        sizes_.emplace(std::move(key), size);
        return size;
    }

private:
    // Enough for the captions of many tabs, line by line; beyond it the
    // captions are changing faster than they are painted.
    static constexpr std::size_t kMaxEntries = 512;
    TFont font_;
    int dpi_ = 0;
    std::map<std::pair<std::string, bool>, TSize> sizes_;
};

}  // namespace dlk
