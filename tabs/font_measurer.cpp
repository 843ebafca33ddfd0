#include "tabs/font_measurer.h"

#include <QFont>

namespace dlk {

namespace {
QFontMetrics MetricsFor(const TFont& font, const QImage* device) {
    if (device != nullptr && !device->isNull()) return QFontMetrics(font.ToQFont(), device);
    return QFontMetrics(font.ToQFont());
}
}  // namespace

TKtFontMeasurer::TKtFontMeasurer(const TFont& font, const QImage* device) : metrics_(MetricsFor(font, device)) {}

TSize TKtFontMeasurer::Extent(std::string_view line) const {
    if (line.empty()) return {};
    const QString text = QString::fromUtf8(line.data(), qsizetype(line.size()));
    return {metrics_.horizontalAdvance(text), metrics_.height()};
}

}  // namespace dlk
