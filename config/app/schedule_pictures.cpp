#include "config/app/schedule_pictures.h"

#include <QPainter>

namespace dlk::config {

namespace {

constexpr QRgb kTransparentKey = qRgb(255, 0, 255);

QRgb FromBgr(std::uint32_t c) {
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QImage BlankGlyph() {
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(kTransparentKey);
    return glyph;
}

}  // namespace

QImage MarkerPicture(const MarkerImage& mask, const MarkerImage& image) {
    QImage picture(kMarkerSide, kMarkerSide, QImage::Format_ARGB32);
    for (int y = 0; y < kMarkerSide; ++y) {
        for (int x = 0; x < kMarkerSide; ++x) {
            const std::size_t i = std::size_t(y * kMarkerSide + x);
            const bool background = (mask[i] & 0xFFFFFF) == 0xFFFFFF;
            picture.setPixel(x, y, background ? qRgba(0, 0, 0, 0) : FromBgr(image[i]));
        }
    }
    return picture;
}

QImage ClearScheduleGlyph() {
    QImage glyph = BlankGlyph();
    QPainter p(&glyph);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 9, 13);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(4, 4, 11, 11);
    p.drawLine(11, 4, 4, 11);
    return glyph;
}

QImage OpenScheduleGlyph() {
    QImage glyph = BlankGlyph();
    QPainter p(&glyph);
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(240, 200, 64));
    p.drawRect(1, 5, 13, 8);
    p.drawRect(1, 3, 5, 2);
    return glyph;
}

QImage SaveScheduleGlyph() {
    QImage glyph = BlankGlyph();
    QPainter p(&glyph);
    p.setPen(Qt::black);
    p.setBrush(QColor(0, 64, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 7, 4);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 9, 7, 4);
    return glyph;
}

}  // namespace dlk::config
