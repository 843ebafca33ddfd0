#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/canvas/region.h"
#include "framework/core/colors.h"
#include "framework/core/geometry.h"

class QFont;
class QPainter;

namespace dlk {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

enum class TFontQuality : std::uint8_t { fqDefault, fqNonAntialiased, fqAntialiased };

struct TFont {
    std::string Name = "Tahoma";
    int Height = -11;  // negative: character height in pixels; positive: cell height
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    int Orientation = 0;  // tenths of a degree, counter-clockwise
    TFontQuality Quality = TFontQuality::fqDefault;

    // Points at 96 pixels per inch, as the stored descriptions give them.
    int Size() const;
    void SetSize(int points);
    QFont ToQFont() const;
    friend bool operator==(const TFont&, const TFont&) = default;
};

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

// Raster operations of copies between canvases.
enum class TCopyMode : std::uint8_t { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmBlackness, cmWhiteness };

// Drawing on an image that the canvas neither owns nor copies, with the classic
// pixel rules: rectangles and lines leave out their right and bottom edges and
// their end point, an empty or inverted rectangle draws nothing, text is placed
// by its top-left corner and its extent of an empty string is (0, 0). Every
// call paints and finishes at once, so the image may be read between calls.
// A canvas without an image draws nothing and measures text on a scratch image.
class TCanvas {
public:
    explicit TCanvas(QImage* image = nullptr) : image_(image) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    void SetImage(QImage* image) { image_ = image; }
    QImage* Handle() const { return image_; }
    bool HandleAllocated() const { return image_ != nullptr && !image_->isNull(); }

    TFont Font;
    TPen Pen;
    TBrush Brush;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;
    // Where the painting is shifted to and limited to, in image pixels; set by
    // a control that paints a part of a larger image. Empty: the whole image.
    TPoint Origin;
    TRect ClipRect;
    // A further limit, in the same coordinates as ClipRect; none: no limit.
    std::optional<TRegion> ClipRegion;

    TPoint PenPos() const { return pen_pos_; }
    void SetPenPos(TPoint p) { pen_pos_ = p; }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);  // one-pixel frame in the brush colour
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
    void LineTo(int x, int y);
    void Polygon(const TPoint* points, int count);

    TColor Pixel(int x, int y) const;  // clNone outside the image
    void SetPixel(int x, int y, TColor color);

    // Texts are UTF-8. The background of the text cell is filled with the brush
    // unless the brush is clear.
    void TextOut(int x, int y, std::string_view text);
    void TextOut(int x, int y, const QString& text);
    void TextOut(int x, int y, const char* text) { TextOut(x, y, std::string_view(text)); }
    // As TextOut, limited to r; an opaque brush fills the whole of r.
    void TextRect(const TRect& r, int x, int y, std::string_view text);
    void TextRect(const TRect& r, int x, int y, const QString& text);
    void TextRect(const TRect& r, int x, int y, const char* text) { TextRect(r, x, y, std::string_view(text)); }
    TSize TextExtent(std::string_view text) const;
    TSize TextExtent(const QString& text) const;
    TSize TextExtent(const char* text) const { return TextExtent(std::string_view(text)); }
    int TextWidth(std::string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) const { return TextExtent(text).cy; }

    // Copies source's src to dest of this canvas with CopyMode; different sizes
    // stretch (nearest pixel), a negative width or height on either side mirrors.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
    void Draw(int x, int y, const QImage& picture);  // plain copy, alpha blended
    // Copies w x h opaque pixels, 0xFFRRGGBB each, rows stride values apart,
    // to (x, y): as Draw, without the cost of a painter on 32-bit images.
    void DrawPixels(int x, int y, const std::uint32_t* pixels, int w, int h, int stride);
    // The image's 32-bit pixel at r's top-left when all of r may be written
    // straight (an RGB32 or ARGB32 image holding r whole inside the clip, no
    // clip region), rows stride values apart; otherwise nullptr.
    std::uint32_t* DirectPixels(const TRect& r, int& stride);
    void StretchDraw(const TRect& dest, const QImage& picture);

    // Drawing state kept on a stack, as a device context keeps it: SaveDC
    // pushes font, pen, brush, copy mode, origin, clip rectangle and region and
    // pen position, and
    // returns the new depth (1 for the first); RestoreDC(n) returns to the
    // state saved as n and drops every later one, RestoreDC(-1) to the last
    // one saved. False, and nothing changes, for a state that is not there.
    int SaveDC();
    bool RestoreDC(int saved = -1);
    int SavedDCCount() const { return int(saved_.size()); }

    // The smallest rectangle around what may be painted, in the canvas's
    // coordinates (after Origin): the clip within the image, or the whole
    // image; empty without an image.
    TRect ClipBox() const;

    // The dotted focus frame: every second pixel of r's one-pixel border is
    // inverted, so drawing the same rectangle twice leaves the image as it was.
    void DrawFocusRect(const TRect& r);

private:
    friend class CanvasPainter;
    bool PlainLine(TPoint from, TPoint to);
    struct SavedState {
        TFont Font;
        TPen Pen;
        TBrush Brush;
        TCopyMode CopyMode;
        TPoint Origin;
        TRect ClipRect;
        std::optional<TRegion> ClipRegion;
        TPoint PenPos;
    };
    QImage* image_ = nullptr;
    TPoint pen_pos_;
    std::vector<SavedState> saved_;
};

// Copies w x h pixels from (sx, sy) of source to (x, y) of dest.
void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy,
            TCopyMode mode = TCopyMode::cmSrcCopy);

// The copy in the origin-and-extent convention: a negative extent mirrors,
// and then covers x - |w| + 1 ... x (likewise for y, and for the source).
void StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, int sw, int sh,
                TCopyMode mode = TCopyMode::cmSrcCopy);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace dlk
