#include "framework/controls/image.h"

#include "framework/controls/picture_property.h"

namespace dlk {

TImage::TImage(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void TImage::SetCenter(bool v) {
    center_ = v;
    Invalidate();
}

void TImage::Paint() {
    TCanvas& c = Canvas();
    c.Brush.Color = Color();
    c.FillRect(ClientRect());
    if (picture_.Empty()) return;
    if (stretch_) {
        c.StretchDraw(ClientRect(), picture_.Image());
        return;
    }
    const int x = center_ ? (Width() - picture_.Width()) / 2 : 0;
    const int y = center_ ? (Height() - picture_.Height()) / 2 : 0;
    c.Draw(x, y, picture_.Image());
}

const ClassInfo& TImage::StaticClass() {
    using T = TImage;
    static const ClassInfo info("TImage", &TCustomControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Picture<T>("Picture", [](T& c) -> TPicture& { return c.Picture(); }),
                                    prop::Bool<T>("Stretch", &T::Stretch, &T::SetStretch),
                                    prop::Bool<T>("Center", &T::Center, &T::SetCenter),
                                });
    return info;
}

DLK_REGISTER_CLASS(TImage);

}  // namespace dlk
