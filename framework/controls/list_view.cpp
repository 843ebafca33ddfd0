#include "framework/controls/list_view.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/components/properties.h"

namespace dlk {

namespace {

// Draws cells without the dotted rectangle on the current one.
class NoFocusRectDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

// The table under a list view. Clicks land on its viewport, which Qt does
// not pass through the widget's own event(), so they are caught here: a click
// takes the focus even without a tab stop, a click on empty space clears the
// selection, and every double-click is reported.
class ListViewTable : public QTableWidget {
public:
    std::function<void()> OnEmptyPress;
    std::function<void()> OnDoubleClick;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        setFocus(Qt::MouseFocusReason);
        if (!indexAt(e->position().toPoint()).isValid() && OnEmptyPress) OnEmptyPress();
        QTableWidget::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QTableWidget::mouseDoubleClickEvent(e);
        if (OnDoubleClick) OnDoubleClick();
    }
};

}  // namespace

// ---- TListColumn

TListColumn::TListColumn(TComponent* owner) : TComponent(owner) {}

TListColumn::~TListColumn() {
    SetListView(nullptr);
}

void TListColumn::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (list_ != nullptr) list_->ColumnChanged(this);
}

void TListColumn::SetWidth(int width) {
    width_ = std::max(0, width);
    if (list_ != nullptr) list_->ColumnChanged(this);
}

void TListColumn::SetListView(TListView* list) {
    if (list == list_) return;
    if (list_ != nullptr) {
        TListView* old = list_;
        list_ = nullptr;
        old->RemoveColumn(this);
        RemoveFreeNotification(old);
    }
    list_ = list;
    if (list_ != nullptr) {
        FreeNotification(list_);
        list_->InsertColumn(this);
    }
}

void TListColumn::SetParentComponent(TComponent* parent) {
    if (auto* list = dynamic_cast<TListView*>(parent)) SetListView(list);
}

TComponent* TListColumn::GetParentComponent() const {
    return list_;
}

void TListColumn::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == list_) list_ = nullptr;
}

// ---- TListItem

void TListItem::SetCaption(const std::string& text) {
    caption_ = text;
    list_->ItemChanged(this, 0);
}

void TListItem::AddSubItem(const std::string& text) {
    sub_items_.push_back(text);
    list_->ItemChanged(this, int(sub_items_.size()));
}

void TListItem::SetSubItem(int index, const std::string& text) {
    if (index < 0) return;
    if (std::size_t(index) >= sub_items_.size()) sub_items_.resize(std::size_t(index) + 1);
    sub_items_[std::size_t(index)] = text;
    list_->ItemChanged(this, index + 1);
}

bool TListItem::Selected() const {
    return list_->Selected() == this;
}

void TListItem::SetSelected(bool selected) {
    if (selected)
        list_->SetSelected(this);
    else if (Selected())
        list_->SetSelected(nullptr);
}

// ---- TListView

TListView::TListView(TComponent* owner) : TControl(owner) {
    auto* table = new HostWidget<ListViewTable>(Link());
    table->setColumnCount(0);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->setShowGrid(false);
    table->setTabKeyNavigation(false);
    table->OnEmptyPress = [this] { Guarded([this] { SetSelected(nullptr); }); };
    table->OnDoubleClick = [this] { Guarded([this] { OnViewportDoubleClick(); }); };
    QObject::connect(table, &QTableWidget::itemSelectionChanged, table,
                     [this] { Guarded([this] { OnTableSelectionChanged(); }); });
    SetWidget(table);
    SetHideSelection(true);
    ApplyRowHeight();
}

TListView::~TListView() {
    syncing_ = true;
    selected_ = nullptr;
    for (TListColumn* column : columns_) {
        column->list_ = nullptr;
        column->RemoveFreeNotification(this);
    }
    columns_.clear();
}

QTableWidget& TListView::Table() const {
    return *static_cast<QTableWidget*>(Widget());
}

TListColumn* TListView::AddColumn(const std::string& caption, int width) {
    auto* column = new TListColumn(this);
    column->caption_ = caption;
    column->width_ = std::max(0, width);
    column->SetListView(this);
    return column;
}

void TListView::InsertColumn(TListColumn* column) {
    columns_.push_back(column);
    syncing_ = true;
    Table().setColumnCount(int(columns_.size()));
    syncing_ = false;
    ColumnChanged(column);
    for (int row = 0; row < ItemCount(); ++row) WriteRow(row);
}

void TListView::RemoveColumn(TListColumn* column) {
    const auto it = std::find(columns_.begin(), columns_.end(), column);
    if (it == columns_.end()) return;
    const int index = int(it - columns_.begin());
    columns_.erase(it);
    if (IsDestroying()) return;
    syncing_ = true;
    Table().removeColumn(index);
    syncing_ = false;
    for (int row = 0; row < ItemCount(); ++row) WriteRow(row);
}

void TListView::ColumnChanged(TListColumn* column) {
    const auto it = std::find(columns_.begin(), columns_.end(), column);
    if (it == columns_.end()) return;
    const int index = int(it - columns_.begin());
    QTableWidget& table = Table();
    auto* header = table.horizontalHeaderItem(index);
    if (header == nullptr) {
        header = new QTableWidgetItem();
        table.setHorizontalHeaderItem(index, header);
    }
    header->setText(QString::fromStdString(column->caption_));
    table.horizontalHeader()->resizeSection(index, column->width_);
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (auto* column = dynamic_cast<TListColumn*>(component)) RemoveColumn(column);
}

void TListView::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    for (TListColumn* column : columns_)
        if (column->Owner() == root) visit(column);
    TControl::GetChildren(visit, root);
}

TListItem* TListView::AddItem() {
    items_.push_back(std::unique_ptr<TListItem>(new TListItem(this, ItemCount())));
    syncing_ = true;
    Table().insertRow(ItemCount() - 1);
    syncing_ = false;
    WriteRow(ItemCount() - 1);
    return items_.back().get();
}

void TListView::ClearItems() {
    SetSelected(nullptr);
    syncing_ = true;
    Table().setRowCount(0);
    syncing_ = false;
    items_.clear();
    selected_ = nullptr;
    ++clears_;
}

void TListView::BeginUpdate() {
    if (update_count_++ == 0) Table().setUpdatesEnabled(false);
}

void TListView::EndUpdate() {
    if (update_count_ == 0) return;
    if (--update_count_ == 0) Table().setUpdatesEnabled(true);
}

void TListView::ItemChanged(TListItem* item, int column) {
    if (column < ColumnCount()) WriteCell(item->Index(), column);
}

void TListView::WriteRow(int row) {
    for (int c = 0; c < ColumnCount(); ++c) WriteCell(row, c);
}

void TListView::WriteCell(int row, int column) {
    const TListItem& item = *items_[std::size_t(row)];
    const std::string* text = nullptr;
    if (column == 0)
        text = &item.caption_;
    else if (std::size_t(column - 1) < item.sub_items_.size())
        text = &item.sub_items_[std::size_t(column - 1)];
    const QString value = text != nullptr ? QString::fromStdString(*text) : QString();
    QTableWidget& table = Table();
    syncing_ = true;
    QTableWidgetItem* cell = table.item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem(value);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table.setItem(row, column, cell);
    } else if (cell->text() != value) {
        cell->setText(value);
    }
    syncing_ = false;
}

void TListView::SetSelected(TListItem* item) {
    SelectRow(item != nullptr ? item->Index() : -1);
}

// The row losing the selection hears of it first, with nothing selected;
// then the new row. A handler may refill the list, so nothing of the old
// state is used after an event.
void TListView::SelectRow(int row) {
    TListItem* item = row >= 0 && row < ItemCount() ? Item(row) : nullptr;
    if (item == selected_) {
        SyncTableSelection();
        return;
    }
    TListItem* old = selected_;
    selected_ = nullptr;
    SyncTableSelection();
    const unsigned clears = clears_;
    if (old != nullptr) Raise(OnSelectItem, this, old, false);
    // That handler may have refilled the list, freeing the row.
    if (item == nullptr || clears != clears_) return;
    selected_ = item;
    SyncTableSelection();
    Raise(OnSelectItem, this, item, true);
}

void TListView::SyncTableSelection() {
    QTableWidget& table = Table();
    syncing_ = true;
    const int row = selected_ != nullptr ? selected_->Index() : -1;
    if (row < 0) {
        table.clearSelection();
    } else {
        const QModelIndex index = table.model()->index(row, 0);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (row_select_) flags |= QItemSelectionModel::Rows;
        table.selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        table.selectionModel()->select(index, flags);
    }
    syncing_ = false;
}

void TListView::OnTableSelectionChanged() {
    if (syncing_ || IsDestroying()) return;
    const QModelIndexList rows = Table().selectionModel()->selectedIndexes();
    SelectRow(rows.isEmpty() ? -1 : rows.front().row());
}

void TListView::OnViewportDoubleClick() {
    if (IsDestroying()) return;
    DblClick();
}

TListItem* TListView::GetItemAt(int x, int y) const {
    QTableWidget& table = Table();
    const QPoint p = table.viewport()->mapFrom(&table, QPoint(x, y));
    if (!table.viewport()->rect().contains(p)) return nullptr;
    const int row = table.rowAt(p.y());
    if (row < 0 || row >= ItemCount()) return nullptr;
    const int column = table.columnAt(p.x());
    if (column < 0 || (!row_select_ && column != 0)) return nullptr;
    return Item(row);
}

TRect TListView::ItemRect(int index) const {
    if (index < 0 || index >= ItemCount() || ColumnCount() == 0) return {};
    QTableWidget& table = Table();
    QRect r = table.visualRect(table.model()->index(index, 0));
    for (int c = 1; c < ColumnCount(); ++c) r = r.united(table.visualRect(table.model()->index(index, c)));
    const QPoint topLeft = table.viewport()->mapTo(&table, r.topLeft());
    return Bounds(topLeft.x(), topLeft.y(), r.width(), r.height());
}

void TListView::SetRowSelect(bool v) {
    row_select_ = v;
    Table().setSelectionBehavior(v ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    SyncTableSelection();
}

void TListView::SetGridLines(bool v) {
    grid_lines_ = v;
    Table().setShowGrid(v);
}

void TListView::SetShowColumnHeaders(bool v) {
    show_column_headers_ = v;
    Table().horizontalHeader()->setVisible(v);
}

void TListView::SetColumnClick(bool v) {
    column_click_ = v;
    Table().horizontalHeader()->setSectionsClickable(v);
}

void TListView::SetHideSelection(bool v) {
    hide_selection_ = v;
    QTableWidget& table = Table();
    QPalette palette = table.palette();
    if (v) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::Text));
    } else {
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Button));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::ButtonText));
    }
    table.setPalette(palette);
}

void TListView::SetHideFocusRect(bool v) {
    if (v == hide_focus_rect_) return;
    hide_focus_rect_ = v;
    QTableWidget& table = Table();
    QAbstractItemDelegate* old = table.itemDelegate();
    table.setItemDelegate(v ? new NoFocusRectDelegate(&table) : new QStyledItemDelegate(&table));
    delete old;
}

bool TListView::PreviewEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn) Raise(OnEnter, this);
    return false;
}

void TListView::FontChanged() {
    TControl::FontChanged();
    ApplyRowHeight();
}

void TListView::ApplyRowHeight() {
    QTableWidget& table = Table();
    const int height = QFontMetrics(table.font()).height() + 4;
    table.verticalHeader()->setMinimumSectionSize(1);
    table.verticalHeader()->setDefaultSectionSize(height);
}

// ---- stored descriptions

const ClassInfo& TListColumn::StaticClass() {
    using T = TListColumn;
    static const ClassInfo info(
        "TListColumn", &TComponent::StaticClass(), Creator<T>(),
        {prop::String<T>(
             "Caption", [](const T& c) { return c.Caption(); }, [](T& c, const std::string& v) { c.SetCaption(v); }),
         prop::Int<T>(
             "Width", [](const T& c) { return c.Width(); }, [](T& c, std::int64_t v) { c.SetWidth(int(v)); }, 50)});
    return info;
}

const ClassInfo& TListView::StaticClass() {
    using T = TListView;
    static const ClassInfo info(
        "TListView", &TControl::StaticClass(), Creator<T>(),
        {prop::Enum<T, TViewStyle>(
             "ViewStyle", {{"vsReport", TViewStyle::vsReport}}, [](const T& c) { return c.ViewStyle(); },
             [](T&, TViewStyle) {}, TViewStyle::vsReport),
         prop::Bool<T>(
             "RowSelect", [](const T& c) { return c.RowSelect(); }, [](T& c, bool v) { c.SetRowSelect(v); }),
         prop::Bool<T>(
             "ReadOnly", [](const T& c) { return c.ReadOnly(); }, [](T& c, bool v) { c.SetReadOnly(v); }),
         prop::Bool<T>(
             "GridLines", [](const T& c) { return c.GridLines(); }, [](T& c, bool v) { c.SetGridLines(v); }),
         prop::Bool<T>(
             "FlatScrollBars", [](const T& c) { return c.FlatScrollBars(); },
             [](T& c, bool v) { c.SetFlatScrollBars(v); }),
         prop::Bool<T>(
             "ShowColumnHeaders", [](const T& c) { return c.ShowColumnHeaders(); },
             [](T& c, bool v) { c.SetShowColumnHeaders(v); }, true),
         prop::Bool<T>(
             "ColumnClick", [](const T& c) { return c.ColumnClick(); }, [](T& c, bool v) { c.SetColumnClick(v); },
             true),
         prop::Bool<T>(
             "HideSelection", [](const T& c) { return c.HideSelection(); }, [](T& c, bool v) { c.SetHideSelection(v); },
             true)});
    return info;
}

DLK_REGISTER_CLASS(TListColumn);
DLK_REGISTER_CLASS(TListView);

}  // namespace dlk
