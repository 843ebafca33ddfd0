#include "framework/canvas/bitmap.h"

#include <QPainter>
#include <algorithm>

namespace dlk {

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    if (width == 0 || height == 0) {
        image_ = QImage();
        return;
    }
    QImage fresh(width, height, QImage::Format_RGB32);
    fresh.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&fresh);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(fresh);
}

void TBitmap::Assign(const QImage& picture) {
    image_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace dlk
