#include "framework/canvas/picture.h"

#include <QFile>

namespace dlk {

QImage DecodePicture(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0) return {};
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data, size);
    QImage image;
    if (!image.loadFromData(data, int(size))) return {};
    return image;
}

void TPicture::Assign(const QImage& image) {
    image_ = image;
    source_.clear();
    Changed();
}

bool TPicture::LoadFromResource(const std::string& path) {
    source_ = path;
    image_ = QImage();
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        image_ = DecodePicture(reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size()));
    }
    Changed();
    return !image_.isNull();
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

}  // namespace dlk
