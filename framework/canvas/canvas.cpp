#include "framework/canvas/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPolygon>
#include <cstdlib>

#include "framework/canvas/canvas_painter.h"

namespace dlk {

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) {
    return RGB(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()));
}

CanvasPainter::CanvasPainter(TCanvas& canvas) {
    if (!canvas.HandleAllocated()) return;
    painter_.begin(canvas.image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, canvas.Font.Quality != TFontQuality::fqNonAntialiased);
    painter_.translate(canvas.Origin.X, canvas.Origin.Y);
    if (!canvas.ClipRect.IsEmpty()) {
        const TRect& c = canvas.ClipRect;
        painter_.setClipRect(QRect(c.Left, c.Top, c.Width(), c.Height()));
    }
    if (canvas.ClipRegion)
        painter_.setClipRegion(canvas.ClipRegion->ToQRegion(),
                               canvas.ClipRect.IsEmpty() ? Qt::ReplaceClip : Qt::IntersectClip);
}

QPen ToQPen(const TPen& pen) {
    if (pen.Style == TPenStyle::psClear) return QPen(Qt::NoPen);
    // Width 0 and 1 are both the one-pixel line; with a flat cap Qt leaves the
    // end point out, as the classic LineTo does.
    QPen q(ToQColor(pen.Color), pen.Width <= 1 ? 0 : pen.Width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    switch (pen.Style) {
        case TPenStyle::psDash: q.setStyle(Qt::DashLine); break;
        case TPenStyle::psDot: q.setStyle(Qt::DotLine); break;
        case TPenStyle::psDashDot: q.setStyle(Qt::DashDotLine); break;
        case TPenStyle::psDashDotDot: q.setStyle(Qt::DashDotDotLine); break;
        default: break;
    }
    return q;
}

int TFont::Size() const {
    const int pixels = Height < 0 ? -Height : Height;
    return (pixels * 72 + 48) / 96;
}

void TFont::SetSize(int points) {
    Height = -((points * 96 + 36) / 72);
}

namespace {

// The classic faces the window descriptions name are not installed here. The
// dialog face's stand-in must be as narrow, or texts measured for the fixed
// layouts (labels, 60-pixel list columns, 15-digit IMEIs) are cut off; the
// tab face's is pinned so that no other installed font changes the height
// of a tab strip (13 pixels a line at 11 pixels).
QString InstalledFace(const std::string& name) {
    const QString face = QString::fromStdString(name);
    if (face.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("DejaVu Sans Condensed");
    if (face.compare(QStringLiteral("Verdana"), Qt::CaseInsensitive) == 0) return QStringLiteral("DejaVu Sans");
    return face;
}

}  // namespace

QFont TFont::ToQFont() const {
    QFont f(InstalledFace(Name));
    int pixels = Height < 0 ? -Height : Height;
    if (pixels == 0) pixels = 11;
    f.setPixelSize(pixels);
    f.setBold(Style & fsBold);
    f.setItalic(Style & fsItalic);
    f.setUnderline(Style & fsUnderline);
    f.setStrikeOut(Style & fsStrikeOut);
    if (Quality == TFontQuality::fqNonAntialiased) f.setStyleStrategy(QFont::NoAntialias);
    if (Quality == TFontQuality::fqAntialiased) f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

namespace {

// Texts of one paint share a font; building the Qt font for every one of
// them costs as much as drawing it. The colour plays no part in it. The
// font is never destroyed: a thread's last one would otherwise go after
// the application that resolved it.
const QFont& QtFontOf(const TFont& font) {
    thread_local TFont built;
    thread_local QFont* qt = nullptr;
    if (qt == nullptr || font.Name != built.Name || font.Height != built.Height || font.Style != built.Style ||
        font.Quality != built.Quality) {
        built = font;
        if (qt == nullptr) qt = new QFont();
        *qt = font.ToQFont();
    }
    return *qt;
}

}  // namespace

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty() || Brush.Style == TBrushStyle::bsClear) return;
    CanvasPainter p(*this);
    if (!p.Active()) return;
    p.Painter().fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), ToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty() || Brush.Style == TBrushStyle::bsClear) return;
    CanvasPainter p(*this);
    if (!p.Active()) return;
    const QColor c = ToQColor(Brush.Color);
    QPainter& q = p.Painter();
    q.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    q.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    q.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    q.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    const TRect r{left, top, right, bottom};
    if (r.IsEmpty()) return;
    CanvasPainter p(*this);
    if (!p.Active()) return;
    QPainter& q = p.Painter();
    if (Pen.Style == TPenStyle::psClear) {
        // Without a pen the filled area is one pixel smaller to the right and bottom.
        if (Brush.Style != TBrushStyle::bsClear && r.Width() > 1 && r.Height() > 1)
            q.fillRect(QRect(left, top, r.Width() - 1, r.Height() - 1), ToQColor(Brush.Color));
        return;
    }
    const int w = std::max(1, Pen.Width);
    if (Brush.Style != TBrushStyle::bsClear && r.Width() > 2 * w && r.Height() > 2 * w)
        q.fillRect(QRect(left + w, top + w, r.Width() - 2 * w, r.Height() - 2 * w), ToQColor(Brush.Color));
    if (Pen.Style == TPenStyle::psSolid) {
        const QColor c = ToQColor(Pen.Color);
        const int hw = std::min(w, r.Height());
        const int vw = std::min(w, r.Width());
        q.fillRect(QRect(left, top, r.Width(), hw), c);
        q.fillRect(QRect(left, bottom - hw, r.Width(), hw), c);
        q.fillRect(QRect(left, top, vw, r.Height()), c);
        q.fillRect(QRect(right - vw, top, vw, r.Height()), c);
        return;
    }
    q.setPen(ToQPen(Pen));
    q.setBrush(Qt::NoBrush);
    q.drawRect(QRect(left, top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = pen_pos_;
    pen_pos_ = {x, y};
    if (Pen.Style == TPenStyle::psClear || from == pen_pos_) return;
    if (PlainLine(from, pen_pos_)) return;
    CanvasPainter p(*this);
    if (!p.Active()) return;
    p.Painter().setPen(ToQPen(Pen));
    // Qt rasterises a line the same whichever way it runs, leaving out its
    // right or lower end; a line running left or up must keep its start
    // instead, so it is drawn back to front, one step further back.
    const int dx = x - from.X;
    const int dy = y - from.Y;
    const int major = std::max(std::abs(dx), std::abs(dy));
    const bool backward = std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
    if (!backward) {
        p.Painter().drawLine(QPoint(from.X, from.Y), QPoint(x, y));
        return;
    }
    // One step along the major axis (both for a diagonal): exact for straight
    // and diagonal lines, within a pixel for the rest.
    const QPoint step(std::abs(dx) == major ? dx / major : 0, std::abs(dy) == major ? dy / major : 0);
    p.Painter().drawLine(QPoint(x, y) - step, QPoint(from.X, from.Y) - step);
}

void TCanvas::Polygon(const TPoint* points, int count) {
    if (count < 2) return;
    CanvasPainter p(*this);
    if (!p.Active()) return;
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << QPoint(points[i].X, points[i].Y);
    QPainter& q = p.Painter();
    q.setPen(ToQPen(Pen));
    q.setBrush(Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush.Color)));
    q.drawPolygon(poly, Qt::OddEvenFill);
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!HandleAllocated()) return clNone;
    const int ix = x + Origin.X;
    const int iy = y + Origin.Y;
    if (!image_->valid(ix, iy)) return clNone;
    return FromQColor(QColor(image_->pixel(ix, iy)));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!HandleAllocated()) return;
    const int ix = x + Origin.X;
    const int iy = y + Origin.Y;
    if (!image_->valid(ix, iy)) return;
    if (!ClipRect.IsEmpty() && !ClipRect.Contains({x, y})) return;
    if (ClipRegion && !ClipRegion->Contains({x, y})) return;
    image_->setPixelColor(ix, iy, ToQColor(color));
}

namespace {

// width is the text's advance where the caller has it (TextOut needs it for
// the pen anyway); only an opaque TextOut uses it, so nobody else measures.
void DrawTextAt(TCanvas& canvas, QPainter& q, int x, int y, const QString& text, const TRect* clip, int width) {
    const QFont& font = QtFontOf(canvas.Font);
    q.setFont(font);
    const QFontMetrics metrics(font, canvas.Handle());
    const bool opaque = canvas.Brush.Style != TBrushStyle::bsClear;
    if (clip != nullptr) {
        // Within whatever the painter already clips to (rectangle or region).
        q.setClipRect(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()),
                      q.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        if (opaque)
            q.fillRect(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()), ToQColor(canvas.Brush.Color));
    }
    q.translate(x, y);
    if (canvas.Font.Orientation != 0) q.rotate(-canvas.Font.Orientation / 10.0);
    if (opaque && clip == nullptr && !text.isEmpty())
        q.fillRect(QRect(0, 0, width, metrics.height()), ToQColor(canvas.Brush.Color));
    q.setPen(ToQColor(canvas.Font.Color));
    q.drawText(QPoint(0, metrics.ascent()), text);
}

}  // namespace

void TCanvas::TextOut(int x, int y, const QString& text) {
    const int width = TextExtent(text).cx;
    CanvasPainter p(*this);
    if (p.Active() && !text.isEmpty()) DrawTextAt(*this, p.Painter(), x, y, text, nullptr, width);
    pen_pos_ = {x + width, y};
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    TextOut(x, y, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text) {
    if (r.IsEmpty()) return;
    CanvasPainter p(*this);
    if (p.Active()) DrawTextAt(*this, p.Painter(), x, y, text, &r, 0);
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
    TextRect(r, x, y, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

TSize TCanvas::TextExtent(const QString& text) const {
    if (text.isEmpty()) return {0, 0};
    const QFont& font = QtFontOf(Font);
    if (HandleAllocated()) {
        const QFontMetrics metrics(font, image_);
        return {metrics.horizontalAdvance(text), metrics.height()};
    }
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

TSize TCanvas::TextExtent(std::string_view text) const {
    return TextExtent(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TCanvas::Draw(int x, int y, const QImage& picture) {
    CanvasPainter p(*this);
    if (!p.Active() || picture.isNull()) return;
    p.Painter().drawImage(QPoint(x, y), picture);
}

void TCanvas::StretchDraw(const TRect& dest, const QImage& picture) {
    CanvasPainter p(*this);
    if (!p.Active() || picture.isNull() || dest.IsEmpty()) return;
    p.Painter().drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()),
                          picture.scaled(dest.Width(), dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, TCopyMode mode) {
    const TCopyMode saved = dest.CopyMode;
    dest.CopyMode = mode;
    dest.CopyRect(Bounds(x, y, w, h), source, Bounds(sx, sy, w, h));
    dest.CopyMode = saved;
}

}  // namespace dlk
