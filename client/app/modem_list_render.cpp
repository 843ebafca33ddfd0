#include "client/app/modem_list_render.h"

#include "client/app/modem_list_images.h"
#include "client/core/list/list_input.h"

namespace dlk::client {
namespace {

enum class Alignment { Left, Right, Centre };

struct Column {
    TRect Rect;
    const std::string* Text;
    Alignment Align;
};

void DrawText(TCanvas& canvas, const TRect& r, int textTop, const std::string& text, Alignment align, int nameX) {
    int x = r.Left;
    if (align == Alignment::Right) {
        x = r.Right - canvas.TextWidth(text);
    } else if (align == Alignment::Centre) {
        x = r.Left + (r.Right - r.Left - canvas.TextWidth(text)) / 2;
    }
    // A text wider than its column keeps its start in view: a count cut off
    // at the left would read as a smaller number.
    if (x < r.Left) x = r.Left;
    if (nameX >= 0) x = nameX;
    canvas.TextRect(r, x, textTop, text);
}

void PaintRow(TDibSurface& surface, const ListRow& row, const std::array<int, kModemListColumns>& widths) {
    TCanvas& canvas = surface.Canvas();
    const int w = surface.Width();
    const int y = row.Y;

    surface.SetBrushColor(row.Selected ? kSelectedRowColor : clWhite);
    if (row.Selected) surface.FillRect(Rect(kRowContentLeft, y, w, y + kListRowHeight));

    canvas.Draw(1, y, StateImage(StateImageOf(row.Online, row.Paused)));
    if (row.Online) {
        canvas.Font.Color = row.Selected ? clWhite : clBlack;
    } else {
        canvas.Font.Color = row.Selected ? kSelectedOfflineText : kOfflineText;
    }

    const std::string* texts[kModemListColumns] = {&row.Name,   &row.Imei,    &row.Received, &row.Sent,
                                                   &row.OnTime, &row.OffTime, &row.Address};
    const Alignment aligns[kModemListColumns] = {Alignment::Left,  Alignment::Left,   Alignment::Right,
                                                 Alignment::Right, Alignment::Centre, Alignment::Centre,
                                                 Alignment::Left};
    TRect r = Rect(kRowContentLeft, y, widths[0] - 3, y + kListRowHeight);
    for (std::size_t c = 0; c < kModemListColumns; ++c) {
        if (c > 0) {
            r.Left = r.Right + 4;
            r.Right += widths[c];
        }
        DrawText(canvas, r, y + 1, *texts[c], aligns[c], c == 0 ? kRowContentLeft + 1 : -1);
    }

    if (row.Online) {
        // The pictures are drawn over the row's ground (navy when selected).
        const int x = r.Right + 4;
        surface.FillRect(Bounds(x, y, kSignalImageWidth, kSignalImageHeight));
        canvas.Draw(x, y, SignalImage(row.SignalLevel));
        if (row.BatteryAlarm) {
            surface.FillRect(Bounds(x + 26, y, kSignalImageWidth, kSignalImageHeight));
            canvas.Draw(x + 26, y, SignalImage(kBatteryImage));
        }
    }

    surface.MoveTo(kRowContentLeft, y + 15);
    surface.LineTo(w, y + 15);
}

}  // namespace

TFont ModemListFont() {
    TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -11;
    font.Color = clBlack;
    // The narrow stand-in for the old bitmap face, drawn in two colours at
    // this size, ends up with uneven gaps between letters; smoothed, it reads.
    font.Quality = TFontQuality::fqAntialiased;
    return font;
}

std::unique_ptr<TDibSurface> RenderModemList(const ListFrame& frame,
                                             const std::array<int, kModemListColumns>& sectionWidths) {
    auto surface = std::make_unique<TDibSurface>(static_cast<std::uint16_t>(frame.Width),
                                                 static_cast<std::uint16_t>(frame.Height), DibFormat::Rgb24);
    surface->SetBrushColor(clWhite);
    surface->Clear();
    surface->SetPenColor(kSeparatorColor);
    surface->SetLineStyle(kDottedLine);
    surface->Canvas().Font = ModemListFont();
    for (const ListRow& row : frame.Rows) PaintRow(*surface, row, sectionWidths);
    return surface;
}

}  // namespace dlk::client
