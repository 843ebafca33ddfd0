#include "config/app/apply_glyph.h"

#include <QPainter>
#include <QPainterPath>

namespace dlk::config {

QImage ApplyGlyph() {
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath tick;
    tick.moveTo(2, 8);
    tick.lineTo(6, 12);
    tick.lineTo(13, 3);
    p.setPen(QPen(QColor(0, 96, 0), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(tick);
    p.setPen(QPen(QColor(64, 192, 64), 1));
    p.drawPath(tick);
    return glyph;
}

}  // namespace dlk::config
