#include "framework/controls/list_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableWidget>
#include <string>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/controls/form.h"
#include "server_edit/app/tests/qt_app.h"

namespace dlk::server_edit {
namespace {

using testing::Click;
using testing::DoubleClick;

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        form = new TForm(nullptr);
        ReadComponent(*form, R"(
            Form : TForm {
              ClientWidth = 400
              ClientHeight = 300
              List : TListView {
                Align = alClient
                TabStop = False
                RowSelect = True
                ReadOnly = True
                GridLines = True
                ColumnClick = False
                HideSelection = False
                NameColumn : TListColumn { Caption = "имя" Width = 150 }
                IdColumn : TListColumn { Caption = "ID" Width = 80 }
              }
            })",
                      "test.form");
        list = FindOwned<TListView>(*form, "List");
        list->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
            events.push_back((selected ? "+" : "-") + item->Caption());
            selectedDuringEvent.push_back(list->Selected() == nullptr ? "" : list->Selected()->Caption());
        };
        list->OnEnter = [this](TObject*) { ++entered; };
        list->OnDblClick = [this](TObject*) { ++doubleClicks; };
        for (const char* name : {"a", "b", "c"}) {
            TListItem* item = list->AddItem();
            item->SetCaption(name);
            item->AddSubItem(std::string("id-") + name);
            item->Data = 10 + item->Index();
        }
        form->Show();
        form->Widget()->activateWindow();
        QApplication::processEvents();
    }

    void TearDown() override { delete form; }

    QTableWidget& Table() { return *static_cast<QTableWidget*>(list->Widget()); }
    QWidget* Viewport() { return Table().viewport(); }
    QPoint RowCentre(int row) {
        const TRect r = list->ItemRect(row);
        return Viewport()->mapFrom(list->Widget(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    QPoint BelowTheRows() { return QPoint(20, Viewport()->height() - 5); }

    TForm* form = nullptr;
    TListView* list = nullptr;
    std::vector<std::string> events;
    std::vector<std::string> selectedDuringEvent;
    int entered = 0;
    int doubleClicks = 0;
};

TEST_F(ListViewTest, DescriptionGivesColumnsAndReportLook) {
    ASSERT_EQ(list->ColumnCount(), 2);
    EXPECT_EQ(list->Column(0)->Caption(), "имя");
    EXPECT_EQ(list->Column(1)->Width(), 80);
    EXPECT_EQ(Table().horizontalHeaderItem(0)->text().toStdString(), "имя");
    EXPECT_EQ(Table().horizontalHeader()->sectionSize(0), 150);
    EXPECT_FALSE(Table().horizontalHeader()->sectionsClickable());
    EXPECT_TRUE(Table().showGrid());
    EXPECT_EQ(Table().selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(Table().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(list->GridLines());
    EXPECT_FALSE(list->HideSelection());

    EXPECT_EQ(Table().rowCount(), 3);
    EXPECT_EQ(Table().item(1, 0)->text().toStdString(), "b");
    EXPECT_EQ(Table().item(1, 1)->text().toStdString(), "id-b");
    EXPECT_EQ(list->Item(2)->Data, 12);
    list->Item(2)->SetSubItem(0, "changed");
    EXPECT_EQ(Table().item(2, 1)->text().toStdString(), "changed");
}

TEST_F(ListViewTest, WrittenDescriptionReadsBackWithItsColumns) {
    const std::string text = WriteComponent(*form);
    TForm copy(nullptr);
    ReadComponent(copy, text, "written.form");
    auto* again = FindOwned<TListView>(copy, "List");
    ASSERT_NE(again, nullptr) << text;
    ASSERT_EQ(again->ColumnCount(), 2) << text;
    EXPECT_EQ(again->Column(0)->Caption(), "имя");
    EXPECT_EQ(again->Column(1)->Width(), 80);
    EXPECT_TRUE(again->RowSelect());
    EXPECT_FALSE(again->ColumnClick());
    EXPECT_FALSE(again->HideSelection());
}

TEST_F(ListViewTest, ProgramSelectionRaisesTheSameEventsAsAClick) {
    list->Item(0)->SetSelected(true);
    list->SetSelected(list->Item(2));
    list->SetSelected(list->Item(2));  // no change, no event
    EXPECT_EQ(events, (std::vector<std::string>{"+a", "-a", "+c"}));
    // The row losing the selection hears of it with nothing selected.
    EXPECT_EQ(selectedDuringEvent, (std::vector<std::string>{"a", "", "c"}));
    EXPECT_EQ(Table().selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(Table().selectionModel()->selectedRows().front().row(), 2);

    list->ClearItems();
    EXPECT_EQ(events.back(), "-c");
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(Table().rowCount(), 0);
}

TEST_F(ListViewTest, ClicksSelectRowsTakeTheFocusAndEmptySpaceDeselects) {
    Click(Viewport(), RowCentre(1));
    EXPECT_EQ(events, (std::vector<std::string>{"+b"}));
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "b");
    EXPECT_EQ(entered, 1);  // no tab stop, yet a click focuses it
    EXPECT_TRUE(list->Focused());

    Click(Viewport(), RowCentre(2));
    EXPECT_EQ(events, (std::vector<std::string>{"+b", "-b", "+c"}));

    Click(Viewport(), BelowTheRows());
    EXPECT_EQ(events.back(), "-c");
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewTest, DoubleClicksOnRowsAndOnEmptySpaceAreBothReported) {
    DoubleClick(Viewport(), RowCentre(0));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(list->Selected(), list->Item(0));

    DoubleClick(Viewport(), BelowTheRows());
    EXPECT_EQ(doubleClicks, 2);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewTest, ItemAtFindsRowsAndNothingElse) {
    const TRect second = list->ItemRect(1);
    EXPECT_EQ(list->GetItemAt(second.Left + 5, second.Top + 2), list->Item(1));
    EXPECT_EQ(list->GetItemAt(second.Right - 5, second.Bottom - 2), list->Item(1));  // whole row
    const TRect last = list->ItemRect(2);
    EXPECT_EQ(list->GetItemAt(10, last.Bottom + 5), nullptr);
    EXPECT_EQ(list->GetItemAt(10, 2), nullptr);  // the column headers
    EXPECT_EQ(list->GetItemAt(-5, second.Top + 2), nullptr);
    EXPECT_TRUE(list->ItemRect(3).IsEmpty());
}

TEST_F(ListViewTest, AHandlerMayRefillTheListItIsToldAbout) {
    list->OnSelectItem = [this](TObject*, TListItem*, bool selected) {
        if (!selected) return;
        list->ClearItems();
        list->AddItem()->SetCaption("fresh");
    };
    list->SetSelected(list->Item(1));
    ASSERT_EQ(list->ItemCount(), 1);
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(Table().rowCount(), 1);
}

TEST_F(ListViewTest, ARefillOnLosingTheSelectionDropsTheRowBeingSelected) {
    list->SetSelected(list->Item(0));
    list->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        events.push_back((selected ? "+" : "-") + item->Caption());
        if (selected) return;
        list->ClearItems();
        for (const char* name : {"x", "y", "z"}) list->AddItem()->SetCaption(name);
    };
    events.clear();
    list->SetSelected(list->Item(2));  // freed by the handler before it is selected
    EXPECT_EQ(events, (std::vector<std::string>{"-a"}));
    EXPECT_EQ(list->Selected(), nullptr);
    ASSERT_EQ(list->ItemCount(), 3);
    EXPECT_EQ(list->Item(2)->Index(), 2);
    EXPECT_EQ(Table().item(2, 0)->text().toStdString(), "z");
}

TEST_F(ListViewTest, ColumnsCanBeAddedInCodeAndLeaveWithTheirComponent) {
    TListColumn* extra = list->AddColumn("статус", 100);
    EXPECT_EQ(Table().columnCount(), 3);
    EXPECT_EQ(Table().horizontalHeaderItem(2)->text().toStdString(), "статус");
    delete FindOwned<TListColumn>(*form, "IdColumn");
    EXPECT_EQ(list->ColumnCount(), 2);
    EXPECT_EQ(list->Column(1), extra);
    EXPECT_EQ(Table().columnCount(), 2);
}

}  // namespace
}  // namespace dlk::server_edit
