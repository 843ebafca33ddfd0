#include <gtest/gtest.h>

#include <QAction>
#include <QCursor>
#include <QLineEdit>
#include <QTableWidget>
#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "framework/application/message_box.h"
#include "platform/testing/fifo_in_place.h"
#include "server_edit/app/tests/qt_app.h"
#include "server_edit/app/unit1.h"
#include "server_edit/app/unit2.h"
#include "server_edit/app/unit3.h"
#include "server_edit/app/unit4.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::TempFolder;
using testing::Concat;
using testing::MakeClient;
using testing::MakeModem;
using testing::ThreeOfEach;
using Bytes = std::vector<std::uint8_t>;

// The main window over a folder of account files, with a scripted user: each
// dialog that opens runs the next script, each message box takes the next
// answer (and is recorded).
class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        accounts.WriteTo(folder);

        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            if (answers.empty()) return DefaultAnswer(r.Flags);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
        TForm::SetModalAnswerer([this](TForm& shown) {
            shownDialogs.push_back(&shown);
            placements.push_back(shown.BoundsRect());
            if (dialogs.empty()) {
                ADD_FAILURE() << "unexpected dialog " << shown.Caption();
                return;
            }
            auto script = dialogs.front();
            dialogs.pop_front();
            script(shown);
        });
    }

    void TearDown() override {
        delete form;
        SetMessageBoxAnswerer(nullptr);
        TForm::SetModalAnswerer(nullptr);
        EXPECT_TRUE(dialogs.empty()) << "dialogs scripted but never shown";
    }

    void Open() {
        form = new TForm1(nullptr, folder.path());
        form->MakeMainForm();
        form->Show();
        form->Widget()->activateWindow();
        QApplication::processEvents();
    }

    std::vector<std::string> Column(TListView& view, int column) {
        std::vector<std::string> texts;
        for (int i = 0; i < view.ItemCount(); ++i) {
            TListItem* item = view.Item(i);
            texts.push_back(column == 0 ? item->Caption() : item->SubItems().at(std::size_t(column - 1)));
        }
        return texts;
    }

    QWidget* Viewport(TListView& view) { return static_cast<QTableWidget*>(view.Widget())->viewport(); }
    QPoint RowPoint(TListView& view, int row) {
        const TRect r = view.ItemRect(row);
        return Viewport(view)->mapFrom(view.Widget(), QPoint(r.Left + 20, (r.Top + r.Bottom) / 2));
    }
    QPoint EmptyPoint(TListView& view) { return QPoint(20, Viewport(view)->height() - 4); }
    void ClickRow(TListView& view, int row) { testing::Click(Viewport(view), RowPoint(view, row)); }
    void ClickEmpty(TListView& view) { testing::Click(Viewport(view), EmptyPoint(view)); }
    void DoubleClickAt(TListView& view, QPoint at) {
        QCursor::setPos(Viewport(view)->mapToGlobal(at));
        testing::DoubleClick(Viewport(view), at);
    }

    // Chooses an item from the window's menu bar, as the user would.
    void Choose(TMenuItem* item) {
        QAction* action = form->MainMenu1->ActionOf(item);
        ASSERT_NE(action, nullptr) << item->Caption();
        ASSERT_TRUE(action->isEnabled()) << item->Caption();
        action->trigger();
    }

    void CloseWindow() { form->Close(); }

    TempFolder folder;
    ThreeOfEach accounts;
    std::vector<AccountRecordBytes>& clients = accounts.clients;
    std::vector<AccountRecordBytes>& modems = accounts.modems;
    TForm1* form = nullptr;
    std::deque<std::function<void(TForm&)>> dialogs;
    std::deque<int> answers;
    std::vector<MessageBoxRequest> boxes;
    std::vector<TForm*> shownDialogs;
    std::vector<TRect> placements;
};

TEST_F(EditorWindowTest, OpensWithBothListsTheirFirstRowsAndThePortItem) {
    Open();
    EXPECT_EQ(form->Caption(), "Редактирование ДЛК-сервера");
    EXPECT_EQ(form->Width(), 640);
    EXPECT_EQ(form->Height(), 418);
    EXPECT_EQ(Column(*form->ListView1, 0), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Column(*form->ListView1, 3), (std::vector<std::string>{"работает", "работает", "выключен"}));
    EXPECT_EQ(Column(*form->ListView2, 1),
              (std::vector<std::string>{"111111111111111", "222222222222222", "333333333333333"}));
    EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(0));
    EXPECT_EQ(form->ListView2->Selected(), form->ListView2->Item(0));
    EXPECT_EQ(form->ListView2->Height(), 176);
    EXPECT_EQ(form->ListView2->Top(), form->Splitter1->Top() + form->Splitter1->Height());

    QAction* port = form->MainMenu1->ActionOf(form->N6);
    EXPECT_TRUE(port->isEnabled());
    EXPECT_EQ(port->text().toStdString(), "порт сервера: 8000");
    QAction* all = form->MainMenu1->ActionOf(form->N7);
    EXPECT_TRUE(all->isChecked());
    EXPECT_TRUE(boxes.empty());

    CloseWindow();  // nothing changed: nothing asked, nothing written
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
}

TEST_F(EditorWindowTest, AddingAClientRefusesADuplicateIdAndSavesOnYes) {
    Open();
    ClickRow(*form->ListView1, 1);
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm2&>(shown);
        EXPECT_EQ(d.Caption(), "новый клиент");
        EXPECT_EQ(d.Edit2->Text(), "");
        EXPECT_FALSE(d.Label3->Visible());
        // Fields out of Tab's round still take the focus from a click.
        EXPECT_EQ(d.Edit1->Widget()->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(d.CheckBox1->Widget()->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(d.Button1->Widget()->focusPolicy(), Qt::StrongFocus);
        EXPECT_GT(d.Label1->Width(), 100);  // sized to its text
        EXPECT_GT(d.Label1->Height(), 8);
        d.Edit1->SetText("Дельта");
        d.Edit2->SetText("beta");
        d.Edit3->SetText("pd");
        d.CheckBox1->SetChecked(true);
        d.Button1->PerformClick();
        EXPECT_TRUE(d.Label3->Visible());
        EXPECT_EQ(d.ModalResult(), mrNone);
        EXPECT_EQ(d.Widget()->focusWidget(), d.Edit2->Widget());
        EXPECT_EQ(static_cast<QLineEdit*>(d.Edit2->Widget())->selectedText(), "beta");
        d.Edit2->SetText("delta");
        EXPECT_FALSE(d.Label3->Visible());
        d.Button1->PerformClick();
    });
    Choose(form->N1);
    EXPECT_EQ(Column(*form->ListView1, 1), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    EXPECT_EQ(form->ListView1->Selected(), form->ListView1->Item(3));

    // Centred over the main window, outer sizes (a shown window may sit a
    // pixel or two off where it was put, as the window system places it).
    const TRect main = form->BoundsRect();
    const TRect dialog = placements.at(0);
    EXPECT_NEAR(dialog.Left, main.Left + (main.Width() - dialog.Width()) / 2, 2);
    EXPECT_NEAR(dialog.Top, main.Top + (main.Height() - dialog.Height()) / 2, 2);

    answers = {IDYES};
    CloseWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Сохранить изменения?");
    EXPECT_EQ(boxes[0].Caption, "Выход из программы");
    EXPECT_EQ(boxes[0].Flags, unsigned(MB_YESNOCANCEL | MB_ICONWARNING));
    ClientRecord added;
    added.SetId("delta");
    added.SetPassword("pd");
    added.SetName("\xC4\xE5\xEB\xFC\xF2\xE0");  // Дельта in code page 1251
    added.SetDisabled(true);
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[0], clients[1], clients[2], added.Bytes}));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x40, 0x1F}));
}

TEST_F(EditorWindowTest, FilterFollowsTheClientAndAModemAddedUnderItBelongsToIt) {
    Open();
    Choose(form->N7);
    EXPECT_FALSE(form->MainMenu1->ActionOf(form->N7)->isChecked());
    EXPECT_EQ(Column(*form->ListView2, 0), (std::vector<std::string>{"m2"}));  // alpha's
    ClickRow(*form->ListView1, 1);
    EXPECT_EQ(Column(*form->ListView2, 0), (std::vector<std::string>{"m1", "m3"}));

    ClickEmpty(*form->ListView2);
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm3&>(shown);
        EXPECT_EQ(d.Caption(), "новый модем");
        EXPECT_EQ(d.Edit2->Text(), "beta");
        EXPECT_FALSE(d.Edit2->Enabled());
        d.Edit1->SetText("m4");
        d.Edit3->SetText("44444");
        d.Button1->PerformClick();
        EXPECT_TRUE(d.Label4->Visible());
        EXPECT_EQ(d.Label4->Caption(), "- нужно ровно 15 цифр");
        d.Edit3->SetText("111111111111111");
        EXPECT_FALSE(d.Label4->Visible());
        d.Button1->PerformClick();
        EXPECT_EQ(d.Label4->Caption(), "- модем с таким IMEI уже есть");
        EXPECT_EQ(d.Widget()->focusWidget(), d.Edit3->Widget());
        d.Edit3->SetText("444444444444444");
        d.Button1->PerformClick();
    });
    Choose(form->N1);
    EXPECT_EQ(Column(*form->ListView2, 0), (std::vector<std::string>{"m1", "m3", "m4"}));
    EXPECT_EQ(Column(*form->ListView2, 2), (std::vector<std::string>{"beta", "beta", "beta"}));

    answers = {IDNO};
    CloseWindow();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));  // No writes nothing
}

TEST_F(EditorWindowTest, ChangingAClientIdCarriesItToItsModems) {
    Open();
    ClickRow(*form->ListView1, 1);
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm2&>(shown);
        EXPECT_EQ(d.Caption(), "свойства клиент");
        EXPECT_EQ(d.Edit2->Text(), "beta");
        EXPECT_EQ(d.Edit3->Text(), "pb");
        EXPECT_EQ(d.Edit1->Text(), "Beta");
        d.Edit2->SetText("B2");
        d.Button1->PerformClick();
    });
    Choose(form->N3);
    EXPECT_EQ(Column(*form->ListView2, 2), (std::vector<std::string>{"B2", "alpha", "B2"}));

    answers = {IDYES};
    CloseWindow();
    ClientRecord changed{clients[1]};
    changed.SetId("B2");
    ModemRecord m1{modems[0]}, m3{modems[2]};
    m1.SetOwnerId("B2");
    m3.SetOwnerId("B2");
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[0], changed.Bytes, clients[2]}));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat({m1.Bytes, modems[1], m3.Bytes}));
}

TEST_F(EditorWindowTest, DeletingAClientWithItsModemsAndThenAModem) {
    Open();
    ClickRow(*form->ListView1, 1);
    answers = {IDYES};
    Choose(form->N2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Удаление клиента");
    EXPECT_EQ(boxes[0].Text, "Удалить также модемы,\rсвязанные с этим клиентом\rесли такие имеются?");
    EXPECT_EQ(Column(*form->ListView1, 0), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(form->ListView1->Selected(), nullptr);
    EXPECT_EQ(Column(*form->ListView2, 0), (std::vector<std::string>{"m2"}));

    ClickRow(*form->ListView2, 0);
    answers = {IDCANCEL, IDOK};
    Choose(form->N2);
    EXPECT_EQ(Column(*form->ListView2, 0), (std::vector<std::string>{"m2"}));
    Choose(form->N2);
    EXPECT_EQ(boxes.back().Caption, "Удаление модема");
    EXPECT_EQ(boxes.back().Text, "Уверены?");
    EXPECT_TRUE(Column(*form->ListView2, 0).empty());

    answers = {IDYES};
    CloseWindow();
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[0], clients[2]}));
    EXPECT_TRUE(folder.Read(kModemsFileName).empty());
}

TEST_F(EditorWindowTest, DoubleClicksChangeARowOrAddBelowTheRows) {
    Open();
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm2&>(shown);
        EXPECT_EQ(d.Caption(), "свойства клиент");
        EXPECT_EQ(d.Edit2->Text(), "gamma");
        EXPECT_TRUE(d.CheckBox1->Checked());
        d.Button2->PerformClick();
    });
    DoubleClickAt(*form->ListView1, RowPoint(*form->ListView1, 2));
    dialogs.push_back([](TForm& shown) {
        EXPECT_EQ(dynamic_cast<TForm2&>(shown).Caption(), "новый клиент");
        dynamic_cast<TForm2&>(shown).Button2->PerformClick();
    });
    DoubleClickAt(*form->ListView1, EmptyPoint(*form->ListView1));
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm3&>(shown);
        EXPECT_EQ(d.Caption(), "свойства модема");
        EXPECT_EQ(d.Edit3->Text(), "333333333333333");
        EXPECT_TRUE(d.CheckBox1->Checked());
        d.Button1->PerformClick();  // unchanged: stays disabled
    });
    DoubleClickAt(*form->ListView2, RowPoint(*form->ListView2, 2));
    EXPECT_EQ(Column(*form->ListView2, 3).at(2), "выключен");
    EXPECT_EQ(shownDialogs.size(), 3u);
    EXPECT_EQ(shownDialogs[0], shownDialogs[1]);  // one dialog, kept between uses
}

TEST_F(EditorWindowTest, PortIsEditedThroughItsDialogAndRangeChecked) {
    Open();
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm4&>(shown);
        EXPECT_EQ(d.Caption(), "порт сервера");
        EXPECT_EQ(d.Edit1->Text(), "8000");
        d.Edit1->SetText("70000");
        d.Button1->PerformClick();
    });
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm4&>(shown);
        d.Edit1->SetText("x1");
        d.Button1->PerformClick();
    });
    dialogs.push_back([](TForm& shown) {
        auto& d = dynamic_cast<TForm4&>(shown);
        d.Edit1->SetText("9000");
        d.Button1->PerformClick();
    });
    Choose(form->N6);
    EXPECT_EQ(boxes.at(0).Text, "Порт должен быть в пределах 1024..65535");
    EXPECT_EQ(boxes.at(0).Flags, unsigned(MB_OK | MB_ICONERROR));
    Choose(form->N6);
    EXPECT_EQ(boxes.at(1).Text, "'x1' is not a valid integer value");
    EXPECT_EQ(form->MainMenu1->ActionOf(form->N6)->text().toStdString(), "порт сервера: 8000");
    Choose(form->N6);
    EXPECT_EQ(form->MainMenu1->ActionOf(form->N6)->text().toStdString(), "порт сервера: 9000");

    answers = {IDYES};
    CloseWindow();
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x28, 0x23}));
}

TEST_F(EditorWindowTest, WithoutTheServerFileThePortItemIsDisabled) {
    std::filesystem::remove(folder.path() / kServerFileName);
    Open();
    QAction* port = form->MainMenu1->ActionOf(form->N6);
    EXPECT_FALSE(port->isEnabled());
    EXPECT_EQ(port->text().toStdString(), "порт сервера ? (не удалось открыть файл DLK_server.dat)");
}

TEST_F(EditorWindowTest, CancelOrAFailedSaveKeepsTheWindowOpenWithItsEdits) {
    Open();
    ClickRow(*form->ListView1, 0);
    answers = {IDNO};
    Choose(form->N2);
    answers = {IDCANCEL};
    CloseWindow();
    EXPECT_TRUE(form->Visible());

    std::filesystem::remove(folder.path() / kUsersFileName);
    std::filesystem::create_directory(folder.path() / kUsersFileName);
    answers = {IDYES};
    CloseWindow();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(boxes.back().Text,
              "Ошибка сохранения DLK_users.dat.\rНичего не сохранено: ни один из файлов не записан.\r"
              "Все изменения пока есть только в программе.");
    EXPECT_EQ(boxes.back().Flags, unsigned(MB_OK | MB_ICONERROR));

    std::filesystem::remove(folder.path() / kUsersFileName);
    answers = {IDYES};
    Choose(form->N5);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[1], clients[2]}));
}

// Code page 1251 has no "ë": storing it would leave a "?" in its place.
TEST_F(EditorWindowTest, TextOutsideCodePage1251IsRefusedInItsField) {
    Open();
    const struct {
        TListView* list;
        const char* edit;
        const char* words;
    } cases[] = {{form->ListView1, "Edit1", "имя"},
                 {form->ListView1, "Edit2", "ID клиента"},
                 {form->ListView1, "Edit3", "пароль"},
                 {form->ListView2, "Edit1", "имя"},
                 {form->ListView2, "Edit2", "ID клиента"}};
    for (const auto& c : cases) {
        dialogs.push_back([&c, this](TForm& d) {
            auto* edit = FindOwned<TEdit>(d, c.edit);
            edit->SetText("Zoë");
            FindOwned<TButton>(d, "Button1")->PerformClick();
            EXPECT_EQ(d.ModalResult(), mrNone) << c.edit;
            EXPECT_EQ(boxes.at(0).Owner, d.Widget());
            EXPECT_EQ(boxes.at(0).Text,
                      "В поле «" + std::string(c.words) +
                          "» есть знаки, которых нет в кодировке 1251:\rсохранить такой текст нельзя.");
            EXPECT_EQ(d.Widget()->focusWidget(), edit->Widget()) << c.edit;
            EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->selectedText().toStdString(), "Zoë");
            FindOwned<TButton>(d, "Button2")->PerformClick();
        });
        ClickRow(*c.list, 0);
        Choose(form->N1);
        boxes.clear();
    }
    CloseWindow();  // nothing to save
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EditorWindowTest, AFifoInPlaceOfAFileIsReportedUnreadAndTheOthersLoad) {
    // The file, and the clients and modems then listed.
    const std::tuple<const char*, int, int> cases[] = {
        {kServerFileName, 3, 3}, {kUsersFileName, 0, 3}, {kModemsFileName, 3, 0}};
    for (const auto& [file, clientRows, modemRows] : cases) {
        const Bytes kept = folder.Read(file);
        std::filesystem::remove(folder.path() / file);
        {
            dlk::testing::FifoInPlace fifo(folder.path() / file);
            Open();
            EXPECT_FALSE(fifo.ReaderWasStuck()) << file;
        }
        ASSERT_EQ(boxes.size(), 1u) << file;
        EXPECT_EQ(boxes[0].Text.rfind("Файл " + std::string(file) + " прочитать не удалось (", 0), 0u) << boxes[0].Text;
        EXPECT_EQ(form->ListView1->ItemCount(), clientRows) << file;
        EXPECT_EQ(form->ListView2->ItemCount(), modemRows) << file;
        delete form;
        form = nullptr;
        boxes.clear();
        std::filesystem::remove(folder.path() / file);
        folder.Write(file, kept);
    }
}

}  // namespace
}  // namespace dlk::server_edit
