#pragma once

#include "framework/canvas/picture.h"
#include "framework/controls/control.h"

namespace dlk {

// Shows a picture: at its natural size from the top-left corner, centred, or
// stretched over the whole control; the rest in the control's colour.
class TImage : public TCustomControl {
    DLK_COMPONENT(TImage)
public:
    explicit TImage(TComponent* owner);
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    bool Center() const { return center_; }
    void SetCenter(bool v);

protected:
    void Paint() override;

private:
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
};

}  // namespace dlk
