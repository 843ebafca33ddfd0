#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/control.h"

class QTableWidget;

namespace dlk {

class TListView;

// One column of a report-style list view. In a stored description columns
// are written inside their list view, in display order:
//   ListView1 : TListView {
//     NameColumn : TListColumn { Caption = "имя" Width = 200 }
//   }
class TListColumn : public TComponent {
    DLK_COMPONENT(TListColumn)
public:
    explicit TListColumn(TComponent* owner);
    ~TListColumn() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TListView* ListView() const { return list_; }
    // Appends the column to a list view (nullptr: takes it out).
    void SetListView(TListView* list);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TListView;
    std::string caption_;
    int width_ = 50;
    TListView* list_ = nullptr;
};

// One row: its caption (the first column), the texts of the other columns,
// and a value the program hangs on it.
class TListItem {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    const std::vector<std::string>& SubItems() const { return sub_items_; }
    void AddSubItem(const std::string& text);
    void SetSubItem(int index, const std::string& text);
    std::intptr_t Data = 0;

    // The row's place, kept since rows are only ever added at the end or all
    // cleared: filling a list asks it for every cell.
    int Index() const { return index_; }
    bool Selected() const;
    // Selecting raises OnSelectItem just as a click does.
    void SetSelected(bool selected);
    TListView* ListView() const { return list_; }

private:
    friend class TListView;
    TListItem(TListView* list, int index) : list_(list), index_(index) {}
    TListView* list_;
    int index_;
    std::string caption_;
    std::vector<std::string> sub_items_;
};

enum class TViewStyle : std::uint8_t { vsReport };

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;

// A list view in report style with one selected row at most. Selection
// changes, whether the user's or the program's, raise OnSelectItem: first
// for the row losing the selection, then for the row gaining it. Items are
// read-only; a double-click anywhere, rows or empty space, raises OnDblClick.
class TListView : public TControl {
    DLK_COMPONENT(TListView)
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    int ColumnCount() const { return int(columns_.size()); }
    TListColumn* Column(int index) const { return columns_[std::size_t(index)]; }
    // A column owned by the list view.
    TListColumn* AddColumn(const std::string& caption, int width);

    int ItemCount() const { return int(items_.size()); }
    TListItem* Item(int index) const { return items_[std::size_t(index)].get(); }
    TListItem* AddItem();
    // Removes every row; a selected row first loses its selection (raising
    // OnSelectItem).
    void ClearItems();
    // Rows added between these are laid out once, at the end.
    void BeginUpdate();
    void EndUpdate();

    TListItem* Selected() const { return selected_; }
    void SetSelected(TListItem* item);
    // The row at a point in client coordinates, or nullptr.
    TListItem* GetItemAt(int x, int y) const;
    // The client rectangle of a row (empty when there is no such row).
    TRect ItemRect(int index) const;

    TViewStyle ViewStyle() const { return TViewStyle::vsReport; }
    bool RowSelect() const { return row_select_; }
    void SetRowSelect(bool v);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool v) { read_only_ = v; }
    bool GridLines() const { return grid_lines_; }
    void SetGridLines(bool v);
    // Kept for the descriptions; scroll bars look the same either way here.
    bool FlatScrollBars() const { return flat_scroll_bars_; }
    void SetFlatScrollBars(bool v) { flat_scroll_bars_ = v; }
    bool ShowColumnHeaders() const { return show_column_headers_; }
    void SetShowColumnHeaders(bool v);
    bool ColumnClick() const { return column_click_; }
    void SetColumnClick(bool v);
    // False: the selected row stays marked while another control has the focus.
    bool HideSelection() const { return hide_selection_; }
    void SetHideSelection(bool v);
    // No focus rectangle on the current row (what the UI-state message
    // UIS_SET/UISF_HIDEFOCUS asks of a list view).
    bool HideFocusRect() const { return hide_focus_rect_; }
    void SetHideFocusRect(bool v);

    TLVSelectItemEvent OnSelectItem;
    TNotifyEvent OnEnter;

    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    bool PreviewEvent(QEvent* event) override;
    void FontChanged() override;

private:
    friend class TListColumn;
    friend class TListItem;
    QTableWidget& Table() const;
    void InsertColumn(TListColumn* column);
    void RemoveColumn(TListColumn* column);
    void ColumnChanged(TListColumn* column);
    // column: the one whose text changed (0 the caption, n the sub-item n - 1).
    void ItemChanged(TListItem* item, int column);
    void WriteRow(int row);
    void WriteCell(int row, int column);
    void SelectRow(int row);
    void SyncTableSelection();
    void OnTableSelectionChanged();
    void OnViewportDoubleClick();
    void ApplyRowHeight();

    std::vector<TListColumn*> columns_;
    std::vector<std::unique_ptr<TListItem>> items_;
    TListItem* selected_ = nullptr;
    unsigned clears_ = 0;  // tells a selection whether its row outlived an event
    bool syncing_ = false;
    int update_count_ = 0;
    bool row_select_ = false;
    bool read_only_ = false;
    bool grid_lines_ = false;
    bool flat_scroll_bars_ = false;
    bool show_column_headers_ = true;
    bool column_click_ = true;
    bool hide_selection_ = true;
    bool hide_focus_rect_ = false;
};

}  // namespace dlk
