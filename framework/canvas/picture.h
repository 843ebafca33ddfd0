#pragma once

#include <QImage>
#include <cstddef>
#include <functional>
#include <string>

namespace dlk {

// A picture as window descriptions store it: decoded from a resource (a Qt
// resource path or a file), remembering where it came from so that writing
// the description back names the same resource. JPEG goes through libjpeg;
// other formats (BMP, PNG) through the readers built into Qt. Whatever does
// not decode leaves the picture empty; nothing is thrown.
class TPicture {
public:
    const QImage& Image() const { return image_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }
    // The resource it was loaded from; empty for a picture assigned in code.
    const std::string& Source() const { return source_; }

    void Assign(const QImage& image);
    // False when the resource cannot be read or decoded: the picture is then
    // empty, and still remembers the source.
    bool LoadFromResource(const std::string& path);
    void Clear() { Assign(QImage()); }

    std::function<void()> OnChange;

private:
    void Changed();
    QImage image_;
    std::string source_;
};

// The picture in bytes, or a null image when they are not one.
QImage DecodePicture(const unsigned char* data, std::size_t size);
QImage DecodeJpeg(const unsigned char* data, std::size_t size);

}  // namespace dlk
