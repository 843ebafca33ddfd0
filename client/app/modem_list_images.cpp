#include "client/app/modem_list_images.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace dlk::client {
namespace {

const QColor kOnlineColor(0, 150, 0);
const QColor kOfflineColor(150, 150, 150);
const QColor kPausedColor(220, 140, 0);
const QColor kBarColor(0, 110, 0);
const QColor kEmptyBarColor(200, 200, 200);

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Arrow(bool up) {
    QImage image = Blank(kStateImageSize, kStateImageSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    const QPointF tip = up ? QPointF(8, 4) : QPointF(8, 12);
    const qreal base = up ? 11 : 5;
    const QPointF points[3] = {tip, QPointF(3.5, base), QPointF(12.5, base)};
    p.drawPolygon(points, 3);
    return image;
}

// Active: a "play" triangle; paused: two bars. Green on-line, grey off-line.
QImage State(bool online, bool paused) {
    QImage image = Blank(kStateImageSize, kStateImageSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    if (paused) {
        p.setBrush(online ? kPausedColor : kOfflineColor);
        p.drawRect(4, 3, 3, 10);
        p.drawRect(9, 3, 3, 10);
    } else {
        p.setBrush(online ? kOnlineColor : kOfflineColor);
        const QPointF points[3] = {QPointF(4, 2), QPointF(13, 8), QPointF(4, 14)};
        p.drawPolygon(points, 3);
    }
    return image;
}

// Five bars of growing height; level n fills the first n.
QImage Signal(int level) {
    QImage image = Blank(kSignalImageWidth, kSignalImageHeight);
    QPainter p(&image);
    for (int bar = 0; bar < 5; ++bar) {
        const int height = 3 + bar * 3;
        const QRect r(2 + bar * 5, kSignalImageHeight - 1 - height, 4, height);
        p.fillRect(r, bar < level ? kBarColor : kEmptyBarColor);
    }
    return image;
}

QImage Battery() {
    QImage image = Blank(kSignalImageWidth, kSignalImageHeight);
    QPainter p(&image);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(2, 3, 19, 9);
    p.fillRect(22, 5, 2, 6, QColor(60, 60, 60));
    p.fillRect(4, 5, 4, 6, QColor(220, 0, 0));
    return image;
}

}  // namespace

const QImage& StateImage(int index) {
    static const std::array<QImage, kStateImageCount> images = {
        Arrow(false), Arrow(true), State(true, false), State(false, false), State(true, true), State(false, true),
    };
    return images[static_cast<std::size_t>(std::clamp(index, 0, kStateImageCount - 1))];
}

const QImage& SignalImage(int index) {
    static const std::array<QImage, kSignalImageCount + 1> images = {
        Signal(0), Signal(1), Signal(2), Signal(3), Signal(4), Signal(5), Battery(),
    };
    return images[static_cast<std::size_t>(std::clamp(index, 0, kBatteryImage))];
}

int StateImageOf(bool online, bool paused) {
    if (online) return paused ? kOnlinePaused : kOnlineActive;
    return paused ? kOfflinePaused : kOfflineActive;
}

}  // namespace dlk::client
