#include "tabs/core/tab_text.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

namespace {

// Lines measured with whatever font the canvas holds at the moment.
class CanvasMeasurer : public TKtTextMeasurer {
public:
    explicit CanvasMeasurer(const TCanvas& canvas) : canvas_(canvas) {}
    TSize Extent(std::string_view line) const override { return canvas_.TextExtent(line); }

private:
    const TCanvas& canvas_;
};

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
    font_stack_.push_back(font);
    canvas.Font = font;
}

void TKtCustomTabControl::RestoreTabFont() {
    bitmap_.Canvas().RestoreDC(-1);
    if (!font_stack_.empty()) font_stack_.pop_back();
}

void TKtCustomTabControl::SplitLines(const std::string& text, std::vector<std::string>& lines) {
    dlk::SplitLines(text, lines);
}

TSize TKtCustomTabControl::MeasureText(const std::string& caption, bool horizontal) {
    return MeasureCaption(CanvasMeasurer(bitmap_.Canvas()), caption, horizontal);
}

}  // namespace dlk
