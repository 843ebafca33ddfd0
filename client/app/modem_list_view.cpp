#include "client/app/modem_list_view.h"

#include <QCursor>
#include <QWidget>
#include <mutex>

#include "client/app/modem_list_images.h"
#include "client/app/modem_list_render.h"
#include "client/core/list/list_frame.h"
#include "client/core/list/list_input.h"
#include "client/core/list/modem_sort.h"
#include "framework/application/virtual_keys.h"

namespace dlk::client {
namespace {

ListKey KeyOf(int vk) {
    switch (vk) {
        case VK_RETURN: return ListKey::Enter;
        case VK_PRIOR: return ListKey::PageUp;
        case VK_NEXT: return ListKey::PageDown;
        case VK_END: return ListKey::End;
        case VK_HOME: return ListKey::Home;
        case VK_UP: return ListKey::Up;
        case VK_DOWN: return ListKey::Down;
        default: return ListKey::Other;
    }
}

}  // namespace

ModemListView::ModemListView(TForm& form, THeaderControl& header, TScrollBar& scrollBar, ModemTable& table, Host host)
    : form_(form), header_(header), scroll_bar_(scrollBar), table_(table), host_(std::move(host)) {
    state_images_.SetSize(kStateImageSize, kStateImageSize);
    for (int i = 0; i < kStateImageCount; ++i) state_images_.Add(StateImage(i));
    header_.SetImages(&state_images_);
    scroll_bar_.SmallChange = kListRowHeight;
    scroll_bar_.LargeChange = kListRowHeight;
}

void ModemListView::Bind() {
    form_.OnPaint = [this](TObject*) { FormPaint(); };
    form_.OnResize = [this](TObject*) { DrawModemList(); };
    form_.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { FormMouseDown(x, y); };
    form_.OnDblClick = [this](TObject*) { FormDblClick(); };
    form_.OnKeyDown = [this](TObject*, int& key, TShiftState) { FormKeyDown(key); };
    header_.OnSectionClick = [this](THeaderControl*, THeaderSection* s) { HeaderControl1SectionClick(s); };
    header_.OnSectionTrack = [this](THeaderControl*, THeaderSection* s, int width, TSectionTrackState) {
        HeaderControl1SectionTrack(s, width);
    };
    scroll_bar_.OnScroll = [this](TObject*, TScrollCode, int& position) { ScrollBar1Scroll(position); };
    // One notch, one row, as the arrow keys move it.
    form_.OnMouseWheelDown = [this](TObject*, TShiftState, TPoint, bool& handled) {
        FormMouseWheelDown();
        handled = true;
    };
    form_.OnMouseWheelUp = [this](TObject*, TShiftState, TPoint, bool& handled) {
        FormMouseWheelUp();
        handled = true;
    };
}

void ModemListView::SetColumnWidths(const std::array<std::uint16_t, kModemListColumns>& widths) {
    header_.BeginUpdate();
    for (int i = 0; i < header_.SectionCount() && i < int(kModemListColumns); ++i) {
        header_.Sections(i)->SetWidth(widths[std::size_t(i)]);
    }
    header_.EndUpdate();
}

std::array<std::uint16_t, kModemListColumns> ModemListView::ColumnWidths() const {
    std::array<std::uint16_t, kModemListColumns> widths = kDefaultColumnWidths;
    for (int i = 0; i < header_.SectionCount() && i < int(kModemListColumns); ++i) {
        widths[std::size_t(i)] = static_cast<std::uint16_t>(header_.Sections(i)->Width());
    }
    return widths;
}

std::array<int, kModemListColumns> ModemListView::SectionWidths() const {
    std::array<int, kModemListColumns> widths{};
    const auto stored = ColumnWidths();
    for (std::size_t i = 0; i < kModemListColumns; ++i) widths[i] = stored[i];
    return widths;
}

void ModemListView::DrawModemList() {
    if (Render()) form_.Invalidate();
}

bool ModemListView::Render() {
    ListFrame frame;
    bool paint = false;
    {
        std::lock_guard lock(table_.TableLock);
        table_.RepaintNeeded = false;
        if (!form_.Visible()) return false;
        paint = TakeListFrame(table_, form_.ClientWidth(), ListHeight(), frame);
    }
    if (!paint) {
        // No room below the header: a frame of the old size would be stale.
        frame_ = QImage();
        return false;
    }
    ShowScrollBar(frame.ScrollBar.Visible, frame.ScrollBar.Page, frame.ScrollBar.Position, frame.ScrollBar.Max);
    auto surface = RenderModemList(frame, SectionWidths());
    frame_ = surface->Image().copy();
    return true;
}

void ModemListView::ShowScrollBar(bool visible, int page, int position, int max) {
    if (!visible) {
        if (scroll_bar_.Visible()) scroll_bar_.Hide();
        return;
    }
    if (scroll_bar_.Max() != max || scroll_bar_.Min() != 0) scroll_bar_.SetParams(scroll_bar_.Position(), 0, max);
    if (scroll_bar_.PageSize() != page) scroll_bar_.SetPageSize(page);
    if (scroll_bar_.Position() != position) scroll_bar_.SetPosition(position);
    if (!scroll_bar_.Visible()) scroll_bar_.Show();
}

void ModemListView::SortModems() {
    SortModemsOnCopy(table_, sort_copy_);
}

void ModemListView::Present(TCanvas& canvas) {
    const int w = form_.ClientWidth();
    const int h = ListHeight() - kListHeaderHeight;
    // Inside the paint event: render without asking for another paint.
    if (frame_.width() != w || frame_.height() != h) Render();
    if (!frame_.isNull()) canvas.Draw(0, ListTop() + kListHeaderHeight, frame_);
}

void ModemListView::FormPaint() {
    Present(form_.Canvas());
}

void ModemListView::FormMouseDown(int x, int y) {
    {
        std::lock_guard lock(table_.TableLock);
        ListMouseDown(table_, x, y - ListTop(), host_.OneModemActive ? host_.OneModemActive() : 1);
    }
    DrawModemList();
}

int ModemListView::ListTop() const {
    return header_.Top();
}

int ModemListView::ListHeight() const {
    return form_.ClientHeight() - ListTop();
}

int ModemListView::CursorX() const {
    if (host_.CursorX) return host_.CursorX();
    return form_.Widget()->mapFromGlobal(QCursor::pos()).x();
}

void ModemListView::FormDblClick() {
    int entry = -1;
    {
        std::lock_guard lock(table_.TableLock);
        entry = PropertiesEntry(table_, CursorX());
    }
    if (entry >= 0 && host_.OpenProperties) host_.OpenProperties(entry);
}

void ModemListView::FormKeyDown(int& key) {
    KeyResult result;
    {
        std::lock_guard lock(table_.TableLock);
        result = ListKeyDown(table_, KeyOf(key), ListHeight());
    }
    if (result == KeyResult::OpenProperties) {
        FormDblClick();
    } else if (result == KeyResult::Repaint) {
        DrawModemList();
    }
}

void ModemListView::FormMouseWheelDown() {
    int key = VK_DOWN;
    FormKeyDown(key);
}

void ModemListView::FormMouseWheelUp() {
    int key = VK_UP;
    FormKeyDown(key);
}

void ModemListView::ShowSortArrow(int oldColumn, int column, bool descending) {
    if (oldColumn != column && oldColumn < header_.SectionCount()) header_.Sections(oldColumn)->SetImageIndex(-1);
    if (column < header_.SectionCount()) {
        header_.Sections(column)->SetImageIndex(descending ? kArrowDescending : kArrowAscending);
    }
}

void ModemListView::HeaderControl1SectionClick(THeaderSection* section) {
    int oldColumn = 0, column = 0;
    bool descending = false, chosen = false;
    {
        std::lock_guard lock(table_.TableLock);
        oldColumn = table_.SortColumn;
        chosen = ListHeaderChoose(table_, section->Index());
        column = table_.SortColumn;
        descending = table_.SortDescending != 0;
    }
    if (chosen) {
        SortModems();
        std::lock_guard lock(table_.TableLock);
        ListKeepSelectionInView(table_, ListHeight());
    }
    header_.BeginUpdate();
    ShowSortArrow(oldColumn, column, descending);
    header_.EndUpdate();
    DrawModemList();
}

void ModemListView::HeaderControl1SectionTrack(THeaderSection* section, int width) {
    section->SetWidth(width);
    DrawModemList();
}

void ModemListView::ScrollBar1Scroll(int& position) {
    {
        std::lock_guard lock(table_.TableLock);
        ListScroll(table_, position, scroll_bar_.Max(), scroll_bar_.PageSize());
        position = table_.ScrollOffset;
    }
    DrawModemList();
}

}  // namespace dlk::client
