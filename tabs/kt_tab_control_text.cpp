#include "tabs/core/tab_text.h"
#include "tabs/font_measurer.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

namespace {

// Vertical captions read upward, except on a right strip, where they read
// downward toward the card.
int Escapement(TOrientation text, TKtTabOrientation strip) {
    if (text != TOrientation::orVertical) return 0;
    return strip == TKtTabOrientation::toRight ? 2700 : 900;
}

}  // namespace

void TKtCustomTabControl::SelectTabFont() {
    TFont font = tab_font_;
    font.Orientation = Escapement(text_orientation_, tab_orientation_);
    TCanvas& canvas = bitmap_.Canvas();
    if (canvas.SaveDC() <= 0) throw EKtTabControlError(kSaveDeviceContextError);
    canvas.Font = font;
}

void TKtCustomTabControl::RestoreTabFont() {
    bitmap_.Canvas().RestoreDC(-1);
}

TSize TKtCustomTabControl::MeasureText(const std::string& caption, bool horizontal) {
    // The font selected into the off-screen canvas (SelectTabFont).
    const TCanvas& canvas = bitmap_.Canvas();
    const QImage* device = canvas.Handle();
    const int dpi = device == nullptr || device->isNull() ? 0 : device->logicalDpiX() * 4096 + device->logicalDpiY();
    return caption_sizes_.Get(canvas.Font, dpi, caption, horizontal, [&] {
        return MeasureCaption(TKtFontMeasurer(canvas.Font, device), caption, horizontal);
    });
}

}  // namespace dlk
