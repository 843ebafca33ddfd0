#include "client/app/tray_icons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace dlk::client {

namespace {

// A modem box with an aerial and two signal arcs, at any square size.
QImage DrawModem(int size, bool colour) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    p.scale(size / 16.0, size / 16.0);
    const QColor body = colour ? QColor(0, 120, 215) : QColor(128, 128, 128);
    const QColor waves = colour ? QColor(0, 170, 0) : QColor(170, 170, 170);
    const QColor edge = colour ? QColor(0, 60, 120) : QColor(80, 80, 80);
    p.setPen(QPen(edge, 1));
    p.setBrush(body);
    p.drawRect(QRectF(1.5, 8.5, 13, 6));
    p.setPen(QPen(edge, 1.2));
    p.drawLine(QPointF(11.5, 8.5), QPointF(11.5, 3));
    p.setPen(QPen(waves, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8.5, 0.5, 6, 6), 30 * 16, 120 * 16);
    p.drawArc(QRectF(6.5, -1.5, 10, 10), 40 * 16, 100 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour ? QColor(255, 220, 0) : QColor(200, 200, 200));
    p.drawRect(QRectF(3, 11, 2, 2));
    p.drawRect(QRectF(6, 11, 2, 2));
    return image;
}

}  // namespace

const char* IconName(TrayIcon which) {
    return which == TrayIcon::COLOR ? "COLOR" : "MAINICON";
}

QIcon ProgramIcon(TrayIcon which) {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(DrawModem(size, which == TrayIcon::COLOR)));
    return icon;
}

}  // namespace dlk::client
