#include "client/app/modem_list_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <mutex>

#include "client/app/modem_list_images.h"
#include "client/app/modem_list_render.h"
#include "client/core/list/list_input.h"
#include "framework/components/description_reader.h"
#include "framework/tests/qt_test_app.h"

namespace dlk::client {
namespace {

// The main window's own description, so the list is tested with the header
// and scroll bar the program has.
class ModemListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        form = std::make_unique<TForm>(nullptr);
        ReadComponentResource(*form, ":/client/unit1.form");
        header = FindOwned<THeaderControl>(*form, "HeaderControl1");
        bar = FindOwned<TScrollBar>(*form, "ScrollBar1");
        ModemListView::Host host;
        host.OneModemActive = [this] { return oneModemActive; };
        host.OpenProperties = [this](int entry) { opened.push_back(entry); };
        host.CursorX = [this] { return cursorX; };
        view = std::make_unique<ModemListView>(*form, *header, *bar, table, host);
        view->Bind();
        form->SetClientWidth(400);
        form->SetClientHeight(170);
        form->Show();
    }
    void TearDown() override {
        view.reset();
        form.reset();
    }

    void AddModems(int n) {
        std::lock_guard lock(table.TableLock);
        for (int i = 0; i < n; ++i) {
            ModemEntry e;
            e.Online = 1;
            e.Paused = 1;
            e.Name = MakeShortString<31>(std::string(1, char('a' + i)));
            std::string digits = "35000000000000" + std::to_string(i % 10);
            e.Imei = *TextToImei(digits.substr(0, 15));
            e.Imei[6] = static_cast<std::uint8_t>(i);
            e.BytesSent = static_cast<std::uint32_t>(100 - i);
            e.RowOrder = table.ModemTableCount();
            table.Entries.push_back(e);
        }
    }
    void Key(Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form->Widget(), &press);
    }
    void Wheel(int delta) {
        QWheelEvent wheel(QPointF(100, 60), QPointF(100, 60), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form->Widget(), &wheel);
    }
    void Click(int x, int y) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(form->Widget(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(x, y), QPointF(x, y), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(form->Widget(), &release);
    }
    int Selected() {
        std::lock_guard lock(table.TableLock);
        return table.SelectedRow;
    }
    int Offset() {
        std::lock_guard lock(table.TableLock);
        return table.ScrollOffset;
    }
    TColor FramePixel(int x, int y) const {
        const QRgb p = view->Frame().pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }

    std::unique_ptr<TForm> form;
    THeaderControl* header = nullptr;
    TScrollBar* bar = nullptr;
    ModemTable table;
    std::unique_ptr<ModemListView> view;
    std::uint8_t oneModemActive = 1;
    std::vector<int> opened;
    int cursorX = 100;
};

TEST_F(ModemListViewTest, AnEmptyTableIsAllWhiteWithoutAScrollBar) {
    table.RepaintNeeded = true;
    view->DrawModemList();
    const QImage& frame = view->Frame();
    ASSERT_EQ(frame.width(), 400);
    ASSERT_EQ(frame.height(), 150);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) ASSERT_EQ(FramePixel(x, y), clWhite) << x << "," << y;
    }
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(table.RepaintNeeded);
}

TEST_F(ModemListViewTest, TwelveRowsScrollToTheEndAndSettleWhenTheWindowGrows) {
    AddModems(12);
    view->DrawModemList();
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Max(), 192);
    EXPECT_EQ(bar->PageSize(), 150);
    bar->Bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Offset(), 43);
    EXPECT_EQ(bar->Position(), 43);
    // The last row's separator sits at the frame's last line but one.
    EXPECT_EQ(FramePixel(18, 148), kSeparatorColor);

    form->SetClientHeight(400);  // the window's resize paints
    EXPECT_EQ(Offset(), 0);
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(view->Frame().height(), 380);
}

TEST_F(ModemListViewTest, HeaderClicksSortBothWaysAndMoveTheArrow) {
    AddModems(3);  // sent counts 100, 99, 98
    EXPECT_EQ(header->Sections(0)->ImageIndex(), kArrowAscending);
    emit header->HeaderView()->sectionClicked(3);
    EXPECT_EQ(table.SortColumn, 3);
    EXPECT_EQ(table.SortDescending, 0);
    EXPECT_EQ(header->Sections(0)->ImageIndex(), -1);
    EXPECT_EQ(header->Sections(3)->ImageIndex(), kArrowAscending);
    EXPECT_EQ(table.Entries[0].RowOrder, 2);
    emit header->HeaderView()->sectionClicked(3);
    EXPECT_EQ(table.SortDescending, 1);
    EXPECT_EQ(header->Sections(3)->ImageIndex(), kArrowDescending);
    EXPECT_EQ(table.Entries[0].RowOrder, 0);
}

TEST_F(ModemListViewTest, DraggedWidthsAreTakenAtOnceDownToZero) {
    AddModems(1);
    view->DrawModemList();
    header->HeaderView()->resizeSection(0, 0);
    EXPECT_EQ(view->ColumnWidths()[0], 0);
    view->SetColumnWidths({0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(view->ColumnWidths(), (std::array<std::uint16_t, 7>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(header->HeaderView()->sectionSize(1), 1);
}

TEST_F(ModemListViewTest, KeysWheelAndClicksMoveTheSelection) {
    AddModems(12);
    view->DrawModemList();
    Key(Qt::Key_Down);
    EXPECT_EQ(Selected(), 0);
    Wheel(-120);
    EXPECT_EQ(Selected(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(Selected(), 11);
    EXPECT_EQ(Offset(), 43);  // pulled back by the paint
    Key(Qt::Key_Home);
    EXPECT_EQ(Selected(), 0);
    Wheel(120);
    EXPECT_EQ(Selected(), 0);
    Click(100, 20 + 16 + 3);
    EXPECT_EQ(Selected(), 1);
    // The selected row is navy right of the pause column.
    EXPECT_EQ(FramePixel(140, 16 + 4), kSelectedRowColor);
    EXPECT_EQ(FramePixel(140, 4), clWhite);
    EXPECT_EQ(FramePixel(0, 16 + 4), clWhite);

    // Enter opens the properties only while the cursor is right of the pause column.
    Key(Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<int>{1});
    cursorX = 10;
    Key(Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<int>{1});
}

TEST_F(ModemListViewTest, PauseColumnClicksFollowTheOneModemSetting) {
    AddModems(3);
    view->DrawModemList();
    oneModemActive = 1;
    Click(5, 20 + 3);
    Click(5, 20 + 16 + 3);
    EXPECT_EQ(table.Entries[0].Paused, 1);
    EXPECT_EQ(table.Entries[1].Paused, 0);
    EXPECT_EQ(Selected(), -1);
    oneModemActive = 0;
    Click(5, 20 + 3);
    EXPECT_EQ(table.Entries[0].Paused, 0);
    EXPECT_EQ(table.Entries[1].Paused, 0);
    // The row's picture shows the new state at once.
    const QImage& active = StateImage(kOnlineActive);
    EXPECT_EQ(view->Frame().pixel(8, 8) | 0xFF000000u, active.pixel(7, 8) | 0xFF000000u);
    Click(5, 20 + 3 * 16 + 3);  // below the last row: nothing
    EXPECT_EQ(table.Entries[2].Paused, 1);
}

TEST_F(ModemListViewTest, AWindowWithoutRoomForRowsPaintsNothingAndKeysStaySafe) {
    AddModems(5);
    // The program's window keeps a minimum height; the list must not rely on it.
    form->MinHeight = 0;
    form->ApplyConstraints();
    form->SetClientHeight(15);
    ASSERT_EQ(form->ClientHeight(), 15);
    view->DrawModemList();
    EXPECT_TRUE(view->Frame().isNull());
    Key(Qt::Key_End);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Selected(), 0);
    form->SetClientHeight(100);
    EXPECT_EQ(view->Frame().height(), 80);
}

TEST_F(ModemListViewTest, AHiddenWindowIsNotPaintedButClearsTheRepaintFlag) {
    AddModems(2);
    view->DrawModemList();
    const qint64 before = view->Frame().cacheKey();
    form->Hide();
    table.RepaintNeeded = true;
    view->DrawModemList();
    EXPECT_FALSE(table.RepaintNeeded);
    EXPECT_EQ(view->Frame().cacheKey(), before);
}

}  // namespace
}  // namespace dlk::client
