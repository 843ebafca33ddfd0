#include "framework/controls/std_controls.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/controls/menus.h"
#include "framework/core/str_to_int.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

class StdControlsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
};

TEST_F(StdControlsTest, MenuBarCommandsRunOnAClickAndItemsShowTheirPictures) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Main : TForm {
  ClientWidth = 400  ClientHeight = 200
  Menu = @MainMenu1
  MainMenu1 : TMainMenu {
    Add : TMenuItem { Caption = "добавить"  ImageIndex = 1 }
    More : TMenuItem {
      Caption = "ещё"
      ImageIndex = 0
      Port : TMenuItem { Caption = "порт"  ImageIndex = 7 }
    }
    Quit : TMenuItem { Caption = "выход" }
  }
}
)form",
                  "main.form");
    auto* menu = FindOwned<TMainMenu>(form, "MainMenu1");
    auto* add = FindOwned<TMenuItem>(form, "Add");
    auto* more = FindOwned<TMenuItem>(form, "More");
    auto* port = FindOwned<TMenuItem>(form, "Port");
    int adds = 0;
    add->OnClick = [&](TObject*) { ++adds; };
    form.Show();
    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);

    // A top item without items is a command: a click on the bar runs it.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->ActionOf(add)).center());
    EXPECT_EQ(adds, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // nothing dropped down

    // Pictures come from the menu's images; an index outside them shows none.
    EXPECT_TRUE(menu->ActionOf(add)->icon().isNull());
    const int captionOnly = bar->actionGeometry(menu->ActionOf(add)).width();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    TImageList images(nullptr);
    images.Add(red);
    images.Add(blue);
    menu->SetImages(&images);
    const auto colourOf = [](QAction* action) { return action->icon().pixmap(16, 16).toImage().pixelColor(8, 8); };
    EXPECT_EQ(colourOf(menu->ActionOf(add)), QColor(Qt::blue));
    EXPECT_EQ(colourOf(menu->ActionOf(more)), QColor(Qt::red));
    // On the bar the picture goes beside the caption, not in its place.
    EXPECT_GE(bar->actionGeometry(menu->ActionOf(add)).width(), captionOnly + 16);
    EXPECT_TRUE(menu->ActionOf(port)->icon().isNull());
    port->SetImageIndex(0);
    EXPECT_EQ(colourOf(menu->ActionOf(port)), QColor(Qt::red));
    add->SetImageIndex(-1);
    EXPECT_TRUE(menu->ActionOf(add)->icon().isNull());

    // A pop-up menu shows the same pictures.
    TPopupMenu popup(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("пункт");
    item->SetImageIndex(1);
    popup.Items().Add(item);
    popup.SetImages(&images);
    popup.Popup(0, 0);
    ASSERT_NE(popup.ShownMenu(), nullptr);
    EXPECT_EQ(colourOf(popup.ShownMenu()->actions().at(0)), QColor(Qt::blue));
    popup.ShownMenu()->close();

    // The bar follows changes of the list, and its removal.
    images.Delete(0);
    EXPECT_EQ(colourOf(menu->ActionOf(more)), QColor(Qt::blue));
    EXPECT_TRUE(menu->ActionOf(add)->icon().isNull());
    auto* gone = new TImageList(nullptr);
    gone->Add(red);
    menu->SetImages(gone);
    EXPECT_EQ(colourOf(menu->ActionOf(more)), QColor(Qt::red));
    delete gone;
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_TRUE(menu->ActionOf(more)->icon().isNull());
}

TEST_F(StdControlsTest, WithoutATabStopAFieldLeavesTabsRoundButTakesTheFocusOnAClick) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Dlg : TForm {
  ClientWidth = 200  ClientHeight = 120
  Note : TLabel { Left = 8  Top = 0  Caption = "имя"  TabStop = False }
  Name1 : TEdit { Left = 8  Top = 16  Width = 100  Height = 21  TabStop = False }
  First : TEdit { Left = 8  Top = 40  Width = 100  Height = 21 }
  Second : TButton { Left = 8  Top = 70  Width = 75  Height = 25  Caption = "OK" }
}
)form",
                  "dlg.form");
    auto* note = FindOwned<TLabel>(form, "Note");
    auto* name = FindOwned<TEdit>(form, "Name1");
    auto* first = FindOwned<TEdit>(form, "First");
    auto* second = FindOwned<TButton>(form, "Second");
    form.Show();
    QApplication::setActiveWindow(form.Widget());
    ASSERT_TRUE(testing::WaitUntil([&] { return form.Widget()->isActiveWindow(); }));

    EXPECT_EQ(note->Widget()->focusPolicy(), Qt::NoFocus);  // a label never takes the focus
    EXPECT_FALSE(name->TabStop());
    QTest::mouseClick(name->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(name->Focused());

    // Tab goes round the controls with a tab stop only.
    first->SetFocus();
    for (int i = 0; i < 4; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        EXPECT_FALSE(name->Focused()) << "after Tab " << i + 1;
        EXPECT_TRUE(first->Focused() || second->Focused()) << "after Tab " << i + 1;
    }

    // Back in the round with a tab stop again.
    name->SetTabStop(true);
    EXPECT_EQ(name->Widget()->focusPolicy(), Qt::StrongFocus);
}

TEST_F(StdControlsTest, AutoSizedLabelFitsItsTextOnceReadAndAfterChangesAndGreysWhenDisabled) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Dlg : TForm {
  ClientWidth = 300  ClientHeight = 100
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  Fitted : TLabel { Left = 8  Top = 8  Caption = "ID клиента (8 символов максимум)"  Font.Color = clRed }
  Fixed : TLabel { Left = 8  Top = 40  Width = 30  Height = 13  AutoSize = False  Caption = "длинная подпись" }
}
)form",
                  "dlg.form");
    auto* fitted = FindOwned<TLabel>(form, "Fitted");
    auto* fixed = FindOwned<TLabel>(form, "Fixed");
    TCanvas measure;
    measure.Font = fitted->Font();
    const TSize text = measure.TextExtent(fitted->Caption());
    EXPECT_EQ(fitted->Width(), text.cx);
    EXPECT_GE(fitted->Height(), text.cy);
    EXPECT_GT(fitted->Width(), 100);
    EXPECT_EQ(fixed->Width(), 30);
    EXPECT_EQ(fixed->Height(), 13);

    const int before = fitted->Width();
    fitted->SetCaption("ID");
    EXPECT_LT(fitted->Width(), before);
    TFont bigger = fitted->Font();
    bigger.Height = -30;
    const int small = fitted->Width();
    fitted->SetFont(bigger);
    EXPECT_GT(fitted->Width(), small);
    EXPECT_EQ(fixed->Width(), 30);

    // The font colour while enabled; the system's grey text while disabled.
    const QPalette& palette = fitted->Widget()->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), ToQColor(clRed));
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::WindowText), ToQColor(clGrayText));
    fitted->SetEnabled(false);
    EXPECT_FALSE(fitted->Widget()->isEnabled());
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

TEST(StrToIntTest, TakesOnlyAWholeSignedDecimalThatFitsAnInt) {
    EXPECT_EQ(StrToInt("8000"), 8000);
    EXPECT_EQ(StrToInt("+008000"), 8000);
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", "+", "-", " 8000", "8000 ", "80a0", "0x1F90", "$1F", "8.0", "+-1", "2147483648",
                             "-2147483649", "99999999999999999999999"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << '"' << text << "\" was taken";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace dlk
