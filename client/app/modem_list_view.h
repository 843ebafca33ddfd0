#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "client/core/settings/client_config_file.h"
#include "client/core/table/modem_table.h"
#include "framework/controls/form.h"
#include "framework/controls/header_control.h"
#include "framework/controls/scroll_bar.h"

namespace dlk::client {

// The modem list inside the main window: painting below the header, the
// header's sorting and column widths, the scroll bar, the mouse, the keys and
// the wheel. The window keeps one and calls DrawModemList from its timer and
// message handlers; Bind connects the rest (the form's paint, resize, mouse,
// wheel, double click and key events, the header's and the scroll bar's events).
//
// Painting is split in two: DrawModemList renders the frame (the list state
// changes that belong to painting happen there, under TableLock, and the rows
// are copied out so that text is drawn without the lock); the paint event
// presents the last frame just below the header.
class ModemListView {
public:
    struct Host {
        // The settings' "только один модем активен", read at each pause click.
        std::function<std::uint8_t()> OneModemActive;
        // Opens the properties dialog for an entry (double click, Enter).
        std::function<void(int entry)> OpenProperties;
        // The mouse cursor's x in the window's client area; the real cursor when empty.
        std::function<int()> CursorX;
    };

    ModemListView(TForm& form, THeaderControl& header, TScrollBar& scrollBar, ModemTable& table, Host host);

    void Bind();

    // The header's images and sort arrow, and the widths saved with the configuration.
    void SetColumnWidths(const std::array<std::uint16_t, kModemListColumns>& widths);
    std::array<std::uint16_t, kModemListColumns> ColumnWidths() const;

    // Renders the list now (when the window is shown) and asks for a paint.
    void DrawModemList();
    // Re-sorts by the current sort column, as for a new modem or one gone off-line.
    void SortModems();
    // Draws the last frame on the form's canvas; renders first when the window
    // size changed since.
    void Present(TCanvas& canvas);

    // The last rendered frame, for tests: empty when nothing was rendered.
    const QImage& Frame() const { return frame_; }

    // The event handlers, under their window's names.
    void FormPaint();
    void FormMouseDown(int x, int y);
    void FormDblClick();
    void FormKeyDown(int& key);
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void HeaderControl1SectionClick(THeaderSection* section);
    void HeaderControl1SectionTrack(THeaderSection* section, int width);
    void ScrollBar1Scroll(int& position);

private:
    int CursorX() const;
    // The list, header included, starts below a menu bar when the window has one.
    int ListTop() const;
    int ListHeight() const;
    std::array<int, kModemListColumns> SectionWidths() const;
    // The frame for the window's present size; false when there is nothing to show.
    bool Render();
    void ShowSortArrow(int oldColumn, int column, bool descending);
    void ShowScrollBar(bool visible, int page, int position, int max);

    TForm& form_;
    THeaderControl& header_;
    TImageList state_images_{nullptr};  // the header's sort arrows and states
    TScrollBar& scroll_bar_;
    ModemTable& table_;
    Host host_;
    QImage frame_;
    std::vector<ModemEntry> sort_copy_;  // room for the sort, kept between sorts
};

}  // namespace dlk::client
