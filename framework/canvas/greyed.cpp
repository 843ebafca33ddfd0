#include "framework/canvas/greyed.h"

namespace dlk {

namespace {

QImage Shape(const QImage& picture, TColor color) {
    QImage s(picture.size(), QImage::Format_ARGB32);
    s.fill(Qt::transparent);
    const QRgb ink = ToQColor(color).rgb();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) >= 128 && (p & 0x00FFFFFFu) != 0x00FFFFFFu) s.setPixel(x, y, ink);
        }
    return s;
}

}  // namespace

void DrawGreyed(TCanvas& canvas, int x, int y, const QImage& picture) {
    if (picture.isNull()) return;
    canvas.Draw(x + 1, y + 1, Shape(picture, clBtnHighlight));
    canvas.Draw(x, y, Shape(picture, clBtnShadow));
}

QImage GreyedImage(const QImage& picture) {
    if (picture.isNull()) return {};
    QImage out(picture.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    TCanvas canvas(&out);
    DrawGreyed(canvas, 0, 0, picture);
    return out;
}

QImage GlyphWithTransparency(const QImage& glyph) {
    if (glyph.isNull() || glyph.hasAlphaChannel()) return glyph;
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (row[x] == key) row[x] = 0;
    }
    return out;
}

}  // namespace dlk
