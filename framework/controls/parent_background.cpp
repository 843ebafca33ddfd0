#include "framework/controls/parent_background.h"

#include <QWidget>

#include "framework/canvas/canvas_painter.h"
#include "framework/controls/control.h"
#include "framework/controls/control_kinds.h"

namespace dlk {

void PaintParentBackground(const TControl& control, TCanvas& canvas) {
    if (control.Parent() == nullptr || control.Widget() == nullptr || !canvas.HandleAllocated()) return;
    QWidget* parent = control.Widget()->parentWidget();
    if (parent == nullptr) return;
    const QPoint at = control.Widget()->pos();
    // The part of the parent that the canvas's image can show, in the
    // parent's coordinates; the parent paints only that.
    const QImage& image = *canvas.Handle();
    const QRect seen =
        QRect(at.x() - canvas.Origin.X, at.y() - canvas.Origin.Y, image.width(), image.height()) & parent->rect();
    if (seen.isEmpty()) return;
    CanvasPainter painter(canvas);
    if (!painter.Active()) return;
    // Qt places the top-left of the painted part at the offset given.
    parent->render(&painter.Painter(), seen.topLeft() - at, QRegion(seen), QWidget::DrawWindowBackground);
    // Labels, images and speed buttons are the parent's own painting in the
    // classic framework, drawn under every windowed child: they belong to
    // the picture, bottom first, each over nothing but what it paints.
    for (QObject* object : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || widget->isHidden() || widget->isWindow()) continue;
        const TControl* child = ControlOfWidget(widget);
        if (child == nullptr || IsWindowedControl(*child)) continue;
        const QRect part = seen & widget->geometry();
        if (part.isEmpty()) continue;
        widget->render(&painter.Painter(), part.topLeft() - at, QRegion(part.translated(-widget->pos())),
                       QWidget::RenderFlags());
    }
}

}  // namespace dlk
