#include "framework/controls/glyph_buttons.h"

#include <QIcon>
#include <QPixmap>
#include <QPushButton>

#include "framework/canvas/greyed.h"
#include "framework/controls/picture_property.h"

namespace dlk {

std::vector<std::string> CaptionLines(const std::string& caption) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

QImage TGlyph::Piece(int index) const {
    if (Picture.Empty() || index >= std::max(1, NumGlyphs)) return {};
    return GlyphWithTransparency(Picture.Image().copy(index * Width(), 0, Width(), Height()));
}

QImage TGlyph::Disabled() const {
    if (NumGlyphs >= 2) return Piece(1);
    return GreyedImage(Up());
}

// ---- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 23, 22);
    glyph_.Picture.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int v) {
    glyph_.NumGlyphs = std::clamp(v, 1, 4);
    Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TSpeedButton::SetEnabled(bool enabled) {
    TCustomControl::SetEnabled(enabled);
    if (!enabled) pressed_ = false;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && Enabled()) {
        pressed_ = true;
        Repaint();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush.Color = clBtnFace;
    c.FillRect(r);
    if (pressed_) {
        Frame3D(c, r, clBtnShadow, clBtnHighlight);
    } else if (!flat_) {
        Frame3D(c, r, clBtnHighlight, cl3DDkShadow);
        Frame3D(c, r, clBtnFace, clBtnShadow);
    }
    const int shift = pressed_ ? 1 : 0;
    const std::vector<std::string> lines = Caption().empty() ? std::vector<std::string>{} : CaptionLines(Caption());
    int textWidth = 0;
    int lineHeight = c.TextExtent("W").cy;
    for (const std::string& line : lines) textWidth = std::max(textWidth, c.TextWidth(line));
    const int textHeight = lineHeight * int(lines.size());
    const int spacing = !glyph_.Empty() && !lines.empty() ? 4 : 0;
    const int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width();
    const int left = (Width() - glyphWidth - spacing - textWidth) / 2 + shift;
    if (!glyph_.Empty()) {
        const QImage picture = Enabled() ? glyph_.Up() : glyph_.Disabled();
        c.Draw(left, (Height() - glyph_.Height()) / 2 + shift, picture);
    }
    c.Brush.Style = TBrushStyle::bsClear;
    int y = (Height() - textHeight) / 2 + shift;
    const int x = left + glyphWidth + spacing;
    for (const std::string& line : lines) {
        if (Enabled()) {
            c.Font.Color = Font().Color;
            c.TextOut(x, y, line);
        } else {
            c.Font.Color = clBtnHighlight;
            c.TextOut(x + 1, y + 1, line);
            c.Font.Color = clBtnShadow;
            c.TextOut(x, y, line);
        }
        y += lineHeight;
    }
}

// ---- TBitBtn

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    glyph_.Picture.OnChange = [this] { ShowGlyph(); };
}

void TBitBtn::SetNumGlyphs(int v) {
    glyph_.NumGlyphs = std::clamp(v, 1, 4);
    ShowGlyph();
}

void TBitBtn::ShowGlyph() {
    auto* button = static_cast<QPushButton*>(Widget());
    if (glyph_.Empty()) {
        button->setIcon(QIcon());
        return;
    }
    QIcon icon(QPixmap::fromImage(glyph_.Up()));
    icon.addPixmap(QPixmap::fromImage(glyph_.Disabled()), QIcon::Disabled);
    button->setIcon(icon);
    button->setIconSize(QSize(glyph_.Width(), glyph_.Height()));
}

// ---- descriptions

const ClassInfo& TSpeedButton::StaticClass() {
    using T = TSpeedButton;
    static const ClassInfo info("TSpeedButton", &TCustomControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Picture<T>("Glyph", [](T& c) -> TPicture& { return c.Glyph(); }),
                                    prop::Int<T>("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs, 1),
                                    prop::Bool<T>("Flat", &T::Flat, &T::SetFlat),
                                });
    return info;
}

const ClassInfo& TBitBtn::StaticClass() {
    using T = TBitBtn;
    static const ClassInfo info("TBitBtn", &TButton::StaticClass(), Creator<T>(),
                                {
                                    prop::Picture<T>("Glyph", [](T& c) -> TPicture& { return c.Glyph(); }),
                                    prop::Int<T>("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs, 1),
                                });
    return info;
}

DLK_REGISTER_CLASS(TSpeedButton);
DLK_REGISTER_CLASS(TBitBtn);

}  // namespace dlk
