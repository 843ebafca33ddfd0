#pragma once

#include <QImage>

#include "framework/canvas/canvas.h"

namespace dlk {

// An off-screen picture that owns its pixels and a canvas on them. A new
// bitmap and every pixel a resize adds are white (a fresh QImage holds
// whatever memory it got); a resize keeps the picture's top-left part.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }
    explicit TBitmap(const QImage& picture) { Assign(picture); }
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Takes a copy of picture, in the bitmap's own pixel format.
    void Assign(const QImage& picture);

    TCanvas& Canvas() { return canvas_; }
    const TCanvas& Canvas() const { return canvas_; }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    TCanvas canvas_{&image_};
};

}  // namespace dlk
