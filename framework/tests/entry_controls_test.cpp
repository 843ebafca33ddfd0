#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "framework/components/description_reader.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/file_dialogs.h"
#include "framework/controls/form.h"
#include "framework/controls/mask_edit.h"
#include "framework/controls/progress_bar.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

class EntryControlsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
    void TearDown() override { SetFileDialogAnswerer(nullptr); }
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(EntryControlsTest, MaskedEditShowsEveryPlaceAndKeepsTheTypedCharacters) {
    struct Case {
        const char* mask;
        const char* text;
        const char* shown;
        const char* kept;
    } const cases[] = {
        {"!\\(999\\)000-0000;1;", "", "(   )   -    ", "(   )   -    "},
        {"!\\(999\\)000-0000;1;", "(912)345-6789", "(912)345-6789", "(912)345-6789"},
        {"!\\(999\\)000-0000;1;", "( 12)3", "( 12)3  -    ", "( 12)3  -    "},
        {"!\\(999\\)000-0000;0;", "9123456789", "(912)345-6789", "9123456789"},
        {"000-00;1;_", "12 -3", "12_-3_", "12 -3 "},  // place by place
        {"000-00;1;_", "12-3", "12_-__", "12 -  "},   // so the hyphen takes a digit's place
        {"000-00", "123-45", "123-45", "123-45"},     // no fields: literals kept, blank '_'
        {">LL-00;1; ", "ab-12", "AB-12", "AB-12"},    // letters upper-cased
        {"N\\:00;1; ", "N:42", "N:42", "N:42"},       // Qt's own mask letters stand as literals
        {"9_9;1; ", "1 2", "1 2", "1 2"},             // '_' a literal space
    };
    TForm form(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        TMaskEdit edit(&form);
        edit.SetEditMask(c.mask);
        edit.SetText(c.text);
        EXPECT_EQ(edit.EditText(), c.shown);
        EXPECT_EQ(edit.Text(), c.kept);
    }

    // Typed by the user, from a stored description.
    ReadComponent(form, R"form(
Form1 : TForm {
  ClientWidth = 200  ClientHeight = 60
  MaskEdit1 : TMaskEdit { Left = 8  Top = 8  Width = 120  Height = 21  EditMask = "!\\(999\\)000-0000;1;" }
}
)form",
                  "mask.form");
    auto* edit = FindOwned<TMaskEdit>(form, "MaskEdit1");
    form.Show();
    EXPECT_EQ(edit->EditText(), "(   )   -    ");
    edit->SetFocus();
    auto* line = static_cast<QLineEdit*>(edit->Widget());
    line->setCursorPosition(0);
    QTest::keyClicks(line, "91234x5678");  // the letter is refused
    EXPECT_EQ(edit->EditText(), "(912)345-678 ");
    EXPECT_EQ(edit->Text(), "(912)345-678 ");
}

TEST_F(EntryControlsTest, ComboBoxListAllowsNoSelection) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Form1 : TForm {
  ClientWidth = 200  ClientHeight = 60
  ComboBox1 : TComboBox {
    Left = 8  Top = 8  Width = 120
    Style = csDropDownList
    Items.Text = "UTC+02:00 \nUTC+03:00\nUTC+04:00\n"
    ItemIndex = 1
  }
}
)form",
                  "combo.form");
    auto* combo = FindOwned<TComboBox>(form, "ComboBox1");
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    ASSERT_EQ(combo->Items().size(), 3u);
    EXPECT_EQ(combo->Items()[0], "UTC+02:00 ");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "UTC+03:00");

    struct Case {
        int set, index;
        const char* text;
    } const cases[] = {{-1, -1, ""}, {2, 2, "UTC+04:00"}, {3, -1, ""}, {0, 0, "UTC+02:00 "}, {-7, -1, ""}};
    for (const Case& c : cases) {
        combo->SetItemIndex(c.set);
        EXPECT_EQ(combo->ItemIndex(), c.index) << c.set;
        EXPECT_EQ(combo->Text(), c.text) << c.set;
        EXPECT_EQ(static_cast<QComboBox*>(combo->Widget())->currentText().toStdString(), c.text);
    }
    EXPECT_EQ(changes, 0);  // the program's changes are not the user's

    // The user picks an item with the keyboard.
    combo->SetFocus();
    QTest::keyClick(combo->Widget(), Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes, 1);

    // New items select nothing.
    combo->SetItemsText("a\r\nb");
    EXPECT_EQ(combo->Items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(EntryControlsTest, ProgressBarRepaintsAsItsPositionIsSet) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Form1 : TForm {
  ClientWidth = 300  ClientHeight = 60
  ProgressBar1 : TProgressBar { Left = 8  Top = 8  Width = 202  Height = 16  Max = 2048 }
}
)form",
                  "progress.form");
    auto* bar = FindOwned<TProgressBar>(form, "ProgressBar1");
    form.Show();
    ASSERT_TRUE(testing::WaitUntil([&] { return form.Widget()->windowHandle()->isExposed(); }));
    PaintCounter counter(bar->Widget());

    struct Case {
        int set, position, filled;  // filled: width of the bar inside the 1-pixel frame
        int paints;
    } const cases[] = {
        {512, 512, 50, 1}, {2048, 2048, 200, 1}, {5000, 2048, 200, 0}, {-3, 0, 0, 1}, {1024, 1024, 100, 1}};
    for (const Case& c : cases) {
        const int before = counter.paints;
        bar->SetPosition(c.set);
        EXPECT_EQ(bar->Position(), c.position);
        EXPECT_EQ(bar->BarRect().Width(), c.filled);
        // Painted at once, with no turn of the event loop.
        EXPECT_EQ(counter.paints, before + c.paints) << c.set;
    }
    const QImage shown = bar->Widget()->grab().toImage();
    EXPECT_EQ(FromQColor(shown.pixelColor(50, 8)), ColorToRGB(clHighlight));
    EXPECT_EQ(FromQColor(shown.pixelColor(150, 8)), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromQColor(shown.pixelColor(0, 0)), ColorToRGB(clBtnShadow));

    bar->SetRange(10, 5);  // a range turned round is empty
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(EntryControlsTest, FileDialogsAskTheAnswerer) {
    std::vector<FileDialogRequest> asked;
    std::optional<std::string> answer = "/tmp/week.grf";
    SetFileDialogAnswerer([&](const FileDialogRequest& r) {
        asked.push_back(r);
        return answer;
    });
    TForm form(nullptr);
    ReadComponent(form, R"form(
Form1 : TForm {
  OpenDialog1 : TOpenDialog { Filter = "файл прошивки (*.bin)|*.bin" }
  SaveDialog1 : TSaveDialog { Filter = "файл графика работы (*.grf)|*.grf"  FileName = "график" }
}
)form",
                  "dialogs.form");
    auto* open = FindOwned<TOpenDialog>(form, "OpenDialog1");
    auto* save = FindOwned<TSaveDialog>(form, "SaveDialog1");

    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName, "/tmp/week.grf");
    answer = std::nullopt;
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(open->FileName, "");  // cancelled: unchanged
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].Kind, FileDialogKind::Save);
    EXPECT_EQ(asked[0].Filter, "файл графика работы (*.grf)|*.grf");
    EXPECT_EQ(asked[0].FileName, "график");
    EXPECT_TRUE(asked[0].Owned);
    EXPECT_EQ(asked[1].Kind, FileDialogKind::Open);

    // Without an answerer nobody can see a dialog here: cancelled.
    SetFileDialogAnswerer(nullptr);
    EXPECT_FALSE(open->Execute());

    struct Case {
        const char* filter;
        int index;
        const char* qt;
        const char* selected;
    } const cases[] = {
        {"файл прошивки (*.bin)|*.bin", 1, "файл прошивки (*.bin)", "файл прошивки (*.bin)"},
        {"Pictures|*.bmp;*.jpg|All|*", 2, "Pictures (*.bmp *.jpg);;All (*)", "All (*)"},
        {"", 1, "", ""},
        {"odd|", 3, "odd ()", ""},
    };
    for (const Case& c : cases) {
        std::string selected = "?";
        EXPECT_EQ(QtNameFilters(c.filter, &selected, c.index), c.qt) << c.filter;
        EXPECT_EQ(selected, c.selected) << c.filter;
    }
}

TEST_F(EntryControlsTest, ButtonCaptionsBreakAtCarriageReturns) {
    TForm form(nullptr);
    auto* one = new TButton(&form);
    auto* two = new TButton(&form);
    for (TButton* b : {one, two}) b->SetParent(&form);
    one->SetCaption("Перепрошить");
    two->SetCaption("Перепрошить\rGSM-модуль");
    auto* widget = static_cast<QPushButton*>(two->Widget());
    EXPECT_EQ(widget->text(), QStringLiteral("Перепрошить\nGSM-модуль"));
    EXPECT_GT(widget->sizeHint().height(), one->Widget()->sizeHint().height());
    two->SetCaption("a\r\nb");
    EXPECT_EQ(widget->text(), QStringLiteral("a\nb"));
}

}  // namespace
}  // namespace dlk
