#pragma once

#include <QFontMetrics>

#include "framework/canvas/canvas.h"
#include "tabs/core/tab_text.h"

namespace dlk {

// Caption lines measured in one font as a canvas would measure them on its
// image; the metrics are built once, since a layout asks for every tab.
class TKtFontMeasurer : public TKtTextMeasurer {
public:
    TKtFontMeasurer(const TFont& font, const QImage* device);
    TSize Extent(std::string_view line) const override;

private:
    QFontMetrics metrics_;
};

}  // namespace dlk
