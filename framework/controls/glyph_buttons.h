#pragma once

#include <QImage>

#include "framework/canvas/picture.h"
#include "framework/controls/std_controls.h"

namespace dlk {

// The pictures of a glyph: NumGlyphs pieces side by side (up, disabled,
// clicked, down). Its bottom-left pixel's colour is transparent. A glyph
// without a disabled piece is shown greyed when disabled.
class TGlyph {
public:
    TPicture Picture;
    int NumGlyphs = 1;
    QImage Up() const { return Piece(0); }
    QImage Disabled() const;
    bool Empty() const { return Picture.Empty(); }
    int Width() const { return Picture.Width() / std::max(1, NumGlyphs); }
    int Height() const { return Picture.Height(); }

private:
    QImage Piece(int index) const;
};

// A button that paints itself with a glyph and a caption side by side,
// centred, and takes no focus. Flat: no frame unless pressed.
class TSpeedButton : public TCustomControl {
    DLK_COMPONENT(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    TPicture& Glyph() { return glyph_.Picture; }
    const TPicture& Glyph() const { return glyph_.Picture; }
    int NumGlyphs() const { return glyph_.NumGlyphs; }
    void SetNumGlyphs(int v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    // Pressed and held: shown pushed in.
    bool Pressed() const { return pressed_; }
    void SetEnabled(bool enabled) override;

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TGlyph glyph_;
    bool flat_ = false;
    bool pressed_ = false;
};

// A push button with a glyph left of its caption.
class TBitBtn : public TButton {
    DLK_COMPONENT(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);
    TPicture& Glyph() { return glyph_.Picture; }
    const TPicture& Glyph() const { return glyph_.Picture; }
    int NumGlyphs() const { return glyph_.NumGlyphs; }
    void SetNumGlyphs(int v);

private:
    void ShowGlyph();
    TGlyph glyph_;
};

// Caption lines: "\r\n", "\r" and "\n" each end one.
std::vector<std::string> CaptionLines(const std::string& caption);

}  // namespace dlk
