#include "tabs/command_painter.h"

#include <optional>

#include "framework/canvas/bitmap.h"
#include "tabs/core/color_helpers.h"

namespace dlk {

namespace {

class CanvasTarget : public TKtDrawTarget {
public:
    CanvasTarget(TCanvas& canvas, TColor frame, const TCanvas* parent)
        : canvas_(canvas), frame_(frame), parent_(parent) {}
    void UseFrameColor() override {
        canvas_.Pen.Color = frame_;
        canvas_.Pen.Style = TPenStyle::psSolid;
    }
    void MoveTo(TPoint p) override { canvas_.MoveTo(p.X, p.Y); }
    void LineTo(TPoint p) override { canvas_.LineTo(p.X, p.Y); }
    void ShadowPixel(TPoint p, std::uint8_t darkness) override {
        const TColor behind = parent_->Pixel(p.X, p.Y);
        if (behind == clNone) return;
        canvas_.SetPixel(p.X, p.Y, MixColors(clBlack, behind, darkness));
    }

private:
    TCanvas& canvas_;
    TColor frame_;
    const TCanvas* parent_;
};

}  // namespace

void PaintDrawCommands(TCanvas& canvas, const TKtDrawCommands& commands, TColor frameColor,
                       const std::function<void(TCanvas&)>& parentImage) {
    std::optional<TBitmap> parent;
    if (commands.HasShadow() && canvas.HandleAllocated()) {
        parent.emplace();
        parent->SetSize(canvas.Handle()->width(), canvas.Handle()->height());
        parent->Canvas().Brush.Color = clBlack;
        parent->Canvas().FillRect(Rect(0, 0, parent->Width(), parent->Height()));
        if (parentImage) parentImage(parent->Canvas());
    }
    CanvasTarget target(canvas, ColorToRGB(frameColor), parent ? &parent->Canvas() : nullptr);
    RunDrawCommands(commands, target);
}

}  // namespace dlk
