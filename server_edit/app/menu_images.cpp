#include "server_edit/app/menu_images.h"

#include <QPainter>

namespace dlk::server_edit {

namespace {

QImage MenuImage(int index) {
    QImage picture(16, 16, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
        case 0:  // add: a green plus
            p.setPen(QPen(QColor(0, 140, 0), 3));
            p.drawLine(8, 2, 8, 14);
            p.drawLine(2, 8, 14, 8);
            break;
        case 1:  // delete: a red cross
            p.setPen(QPen(QColor(200, 0, 0), 3));
            p.drawLine(3, 3, 13, 13);
            p.drawLine(13, 3, 3, 13);
            break;
        case 2:  // change: a pencil
            p.setPen(QPen(QColor(0, 0, 160), 3));
            p.drawLine(3, 13, 12, 4);
            p.setPen(QPen(QColor(220, 170, 0), 3));
            p.drawLine(12, 4, 14, 2);
            break;
        case 3:  // exit: an arrow out of a door
            p.setPen(QPen(QColor(90, 60, 30), 2));
            p.drawRect(2, 2, 7, 12);
            p.setPen(QPen(QColor(0, 0, 0), 2));
            p.drawLine(6, 8, 14, 8);
            p.drawLine(14, 8, 11, 5);
            p.drawLine(14, 8, 11, 11);
            break;
        default:  // more: three dots
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 60, 60));
            for (int x : {3, 8, 13}) p.drawEllipse(QPointF(x, 8), 1.6, 1.6);
            break;
    }
    p.end();
    return picture;
}

}  // namespace

std::vector<QImage> MenuImages() {
    std::vector<QImage> images;
    for (int index = 0; index < 5; ++index) images.push_back(MenuImage(index));
    return images;
}

}  // namespace dlk::server_edit
