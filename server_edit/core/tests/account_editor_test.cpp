#include "server_edit/core/account_editor.h"

#include <gtest/gtest.h>

#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"
#include "server_edit/core/tests/scripted_prompts.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::TempFolder;
using testing::Concat;
using testing::MakeClient;
using testing::MakeModem;
using testing::ScriptedPrompts;
using testing::ThreeOfEach;
using Bytes = std::vector<std::uint8_t>;

// A save refused as a whole: the file that failed, and that none was written.
std::string NothingSaved(const std::string& fileName) {
    return "Ошибка сохранения " + fileName +
           ".\rНичего не сохранено: ни один из файлов не записан.\rВсе изменения пока есть только в программе.";
}

std::vector<int> Slots(const ListState& list) {
    std::vector<int> slots;
    for (const ListRow& row : list.Rows) slots.push_back(row.Slot);
    return slots;
}

class AccountEditorTest : public ::testing::Test {
protected:
    void SetUp() override { accounts.WriteTo(folder); }

    void Start() { editor.Start(); }

    TempFolder folder;
    ThreeOfEach accounts;
    std::vector<AccountRecordBytes>& clients = accounts.clients;
    std::vector<AccountRecordBytes>& modems = accounts.modems;
    ScriptedPrompts prompts;
    AccountEditor editor{folder.path(), prompts};
};

TEST_F(AccountEditorTest, StartListsEverythingAndSelectsTheFirstRows) {
    Start();
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(editor.ClientList().SelectedRow, 0);
    EXPECT_EQ(editor.ClientList().Rows[2].Texts, (std::array<std::string, 4>{"Gamma", "gamma", "pc", "выключен"}));
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(editor.ModemList().SelectedRow, 0);
    EXPECT_EQ(editor.ModemList().Rows[0].Texts,
              (std::array<std::string, 4>{"m1", "111111111111111", "beta", "работает"}));
    EXPECT_TRUE(editor.ShowAllModems());
    EXPECT_TRUE(editor.PortItemEnabled());
    EXPECT_EQ(editor.PortItemCaption(), "порт сервера: 8000");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(AccountEditorTest, NoFilesGiveEmptyListsAndADisabledPortItem) {
    TempFolder empty;
    AccountEditor bare(empty.path(), prompts);
    bare.Start();
    EXPECT_TRUE(bare.ClientList().Rows.empty());
    EXPECT_EQ(bare.ClientList().SelectedRow, -1);
    EXPECT_FALSE(bare.PortItemEnabled());
    EXPECT_EQ(bare.PortItemCaption(), "порт сервера ? (не удалось открыть файл DLK_server.dat)");
    bare.EditServerPort();  // nothing opens
    EXPECT_TRUE(bare.CloseQuery());
    EXPECT_TRUE(empty.Names().empty());
}

TEST_F(AccountEditorTest, DamagedFilesAreListedWithinTheirFieldsAndSavedBackWhole) {
    Bytes noise(64 * 5 + 17);
    std::uint32_t state = 12345;
    for (auto& b : noise) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    for (std::size_t r = 0; r < 5; ++r) {  // every length byte as large as it gets
        noise[r * 64 + 0] = 255;
        noise[r * 64 + 9] = 255;
        noise[r * 64 + 42] = 255;
        noise[r * 64 + 55] = 255;
    }
    folder.Write(kUsersFileName, noise);
    folder.Write(kModemsFileName, noise);
    Start();
    ASSERT_EQ(editor.ClientList().Rows.size(), 5u);
    ASSERT_EQ(editor.ModemList().Rows.size(), 5u);
    EXPECT_EQ(editor.Book().Clients[0].Record.Id().size(), 8u);
    EXPECT_EQ(editor.ModemList().Rows[0].Texts[1].size(), 15u);
    EXPECT_EQ(prompts.messages.size(), 2u);  // both partial records told

    editor.FocusList(EditorList::Clients);
    prompts.clientDialogs = {{editor.Book().ClientAt(0)}};  // the selected row, OK without edits
    editor.Change();
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());
    const Bytes whole(noise.begin(), noise.begin() + 64 * 5);
    EXPECT_EQ(folder.Read(kModemsFileName), whole);
    EXPECT_EQ(folder.Read(kUsersFileName).size(), whole.size());
}

TEST_F(AccountEditorTest, PartialRecordIsToldAtStart) {
    Bytes users = Concat(clients);
    users.push_back(7);
    folder.Write(kUsersFileName, users);
    Start();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].Text.find("DLK_users.dat"), std::string::npos);
    EXPECT_NE(prompts.messages[0].Text.find("байтов: 1"), std::string::npos);
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 1, 2}));
}

TEST_F(AccountEditorTest, FilterFollowsTheSelectedClient) {
    Start();
    editor.ToggleShowAllModems();
    EXPECT_FALSE(editor.ShowAllModems());
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{1}));  // alpha's
    EXPECT_EQ(editor.ModemList().SelectedRow, -1);                // the toggle forgets the modem
    editor.SelectClientRow(1);
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 2}));
    editor.SelectClientRow(2);
    EXPECT_TRUE(editor.ModemList().Rows.empty());

    // A client listed after a deleted one still gets exactly its modems.
    editor.FocusList(EditorList::Clients);
    editor.SelectClientRow(0);
    prompts.answers = {PromptAnswer::No};
    editor.Delete();
    editor.SelectClientRow(0);  // beta is now the first row
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 2}));

    editor.ToggleShowAllModems();
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 1, 2}));
}

TEST_F(AccountEditorTest, WithoutFocusOrSelectionMenuActionsDoNothing) {
    Start();
    editor.Add();
    editor.Change();
    editor.Delete();
    EXPECT_TRUE(prompts.clientRequests.empty());
    EXPECT_TRUE(prompts.messages.empty());

    editor.ToggleShowAllModems();
    editor.FocusList(EditorList::Clients);
    editor.ClearClientSelection();
    editor.Change();
    editor.Delete();
    editor.FocusList(EditorList::Modems);
    editor.Add();  // filtered, and no client row selected
    editor.Change();
    EXPECT_TRUE(prompts.clientRequests.empty());
    EXPECT_TRUE(prompts.modemRequests.empty());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(editor.CloseQuery());
}

TEST_F(AccountEditorTest, AddedClientReusesADeletedSlotAndIsSelected) {
    Start();
    editor.FocusList(EditorList::Clients);
    editor.SelectClientRow(1);
    prompts.answers = {PromptAnswer::No};
    editor.Delete();
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 2}));
    EXPECT_EQ(editor.ClientList().SelectedRow, -1);

    prompts.clientDialogs = {{{"alpha", "dup", "", false}, {"delta", "Дельта", "pd", false}}};
    editor.Add();
    ASSERT_EQ(prompts.clientRequests.size(), 1u);
    EXPECT_EQ(prompts.clientRequests[0].Caption, "новый клиент");
    EXPECT_EQ(prompts.clientRequests[0].Fields.Id, "");
    EXPECT_EQ(prompts.clientVerdicts, (std::vector<ClientVerdict>{ClientVerdict::DuplicateId, ClientVerdict::Accept}));
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(editor.ClientList().SelectedRow, 1);
    EXPECT_EQ(editor.ClientList().Rows[1].Texts[0], "Дельта");

    // The ID only a deleted client had is free again.
    prompts.answers = {PromptAnswer::No};
    editor.Delete();
    prompts.clientDialogs = {{{"delta", "again", "", false}}};
    editor.Add();
    EXPECT_EQ(prompts.clientVerdicts.back(), ClientVerdict::Accept);
}

TEST_F(AccountEditorTest, ChangingAClientIdCarriesItToItsModemsAndKeepsTheFilter) {
    Start();
    editor.ToggleShowAllModems();
    editor.FocusList(EditorList::Clients);
    editor.SelectClientRow(1);
    prompts.clientDialogs = {{
        {"gamma", "Beta", "pb", false},
        {"beta", "Beta", "pb", false},
    }};
    editor.Change();  // taking another's ID is refused, keeping its own is fine
    EXPECT_EQ(prompts.clientRequests[0].Caption, "свойства клиент");
    EXPECT_EQ(prompts.clientRequests[0].Fields.Id, "beta");
    EXPECT_EQ(prompts.clientVerdicts, (std::vector<ClientVerdict>{ClientVerdict::DuplicateId, ClientVerdict::Accept}));

    prompts.clientDialogs = {{{"BETA", "Beta", "pb", true}}};
    editor.Change();
    EXPECT_EQ(editor.ClientList().SelectedRow, 1);
    EXPECT_EQ(editor.ClientList().Rows[1].Texts, (std::array<std::string, 4>{"Beta", "BETA", "pb", "выключен"}));
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 2}));
    EXPECT_EQ(editor.ModemList().Rows[0].Texts[2], "BETA");
}

TEST_F(AccountEditorTest, ModemAddedUnderTheFilterBelongsToTheSelectedClient) {
    Start();
    editor.ToggleShowAllModems();
    editor.SelectClientRow(2);
    editor.FocusList(EditorList::Modems);
    prompts.modemDialogs = {{{"12345", "x", "gamma", false},
                             {"111111111111111", "x", "gamma", false},
                             {"444444444444444", "m4", "gamma", false}}};
    editor.Add();
    const ModemDialogRequest& request = prompts.modemRequests.at(0);
    EXPECT_EQ(request.Caption, "новый модем");
    EXPECT_EQ(request.Fields.OwnerId, "gamma");
    EXPECT_FALSE(request.OwnerEditable);
    EXPECT_EQ(prompts.modemVerdicts,
              (std::vector<ModemVerdict>{ModemVerdict::NotAnImei, ModemVerdict::DuplicateImei, ModemVerdict::Accept}));
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{3}));
    EXPECT_EQ(editor.ModemList().SelectedRow, 0);

    editor.ToggleShowAllModems();
    prompts.modemDialogs = {{}};  // cancelled
    editor.Add();
    EXPECT_TRUE(prompts.modemRequests.at(1).OwnerEditable);
    EXPECT_EQ(prompts.modemRequests.at(1).Fields.OwnerId, "");
    EXPECT_EQ(editor.Book().ModemCount(), 4);
}

TEST_F(AccountEditorTest, ChangingAModemShowsItsFieldsAndKeepsItsOwnImei) {
    Start();
    editor.FocusList(EditorList::Modems);
    editor.SelectModemRow(2);
    prompts.modemDialogs = {{{"111111111111111", "m3", "beta", true}, {"333333333333333", "m3b", "alpha", true}}};
    editor.Change();
    const ModemDialogRequest& request = prompts.modemRequests.at(0);
    EXPECT_EQ(request.Caption, "свойства модема");
    EXPECT_EQ(request.Fields.Imei, "333333333333333");
    EXPECT_TRUE(request.Fields.Disabled);
    EXPECT_TRUE(request.OwnerEditable);
    EXPECT_EQ(prompts.modemVerdicts, (std::vector<ModemVerdict>{ModemVerdict::DuplicateImei, ModemVerdict::Accept}));
    EXPECT_EQ(editor.ModemList().Rows[2].Texts,
              (std::array<std::string, 4>{"m3b", "333333333333333", "alpha", "выключен"}));
    EXPECT_EQ(editor.ModemList().SelectedRow, 2);
}

TEST_F(AccountEditorTest, DeletingAClientAsksWhatToDoWithItsModems) {
    Start();
    editor.FocusList(EditorList::Clients);
    editor.SelectClientRow(1);
    prompts.answers = {PromptAnswer::Cancel};
    editor.Delete();
    EXPECT_EQ(prompts.messages.at(0).Caption, "Удаление клиента");
    EXPECT_EQ(prompts.messages.at(0).Text, "Удалить также модемы,\rсвязанные с этим клиентом\rесли такие имеются?");
    EXPECT_EQ(prompts.messages.at(0).Buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(editor.CloseQuery());  // nothing changed

    editor.FocusList(EditorList::Modems);
    editor.SelectModemRow(0);  // one of beta's
    editor.FocusList(EditorList::Clients);
    prompts.answers = {PromptAnswer::Yes};
    editor.Delete();
    EXPECT_EQ(Slots(editor.ClientList()), (std::vector<int>{0, 2}));
    EXPECT_EQ(editor.ClientList().SelectedRow, -1);
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{1}));
    EXPECT_EQ(editor.ModemList().SelectedRow, -1);
}

TEST_F(AccountEditorTest, DeletingAModemNeedsOk) {
    Start();
    editor.FocusList(EditorList::Modems);
    editor.SelectModemRow(1);
    prompts.answers = {PromptAnswer::Cancel, PromptAnswer::Ok};
    editor.Delete();
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 1, 2}));
    editor.Delete();
    EXPECT_EQ(prompts.messages.at(1).Text, "Уверены?");
    EXPECT_EQ(prompts.messages.at(1).Caption, "Удаление модема");
    EXPECT_EQ(prompts.messages.at(1).Buttons, PromptButtons::OkCancel);
    EXPECT_EQ(Slots(editor.ModemList()), (std::vector<int>{0, 2}));
}

TEST_F(AccountEditorTest, DoubleClickChangesTheRowOrAddsBelowTheRows) {
    Start();
    prompts.clientDialogs = {{}, {}};
    editor.DoubleClick(EditorList::Clients, 2);
    EXPECT_EQ(editor.FocusedList(), EditorList::Clients);
    EXPECT_EQ(prompts.clientRequests.at(0).Caption, "свойства клиент");
    EXPECT_EQ(prompts.clientRequests.at(0).Fields.Id, "gamma");
    editor.DoubleClick(EditorList::Clients, -1);
    EXPECT_EQ(prompts.clientRequests.at(1).Caption, "новый клиент");

    prompts.modemDialogs = {{}};
    editor.DoubleClick(EditorList::Modems, -1);
    EXPECT_EQ(prompts.modemRequests.at(0).Caption, "новый модем");
    EXPECT_TRUE(editor.CloseQuery());
}

TEST_F(AccountEditorTest, PortIsReadStrictlyAndRangeChecked) {
    Start();
    prompts.portDialogs = {{}, {"70000"}, {"80x"}, {"8000"}, {"9000"}};
    editor.EditServerPort();  // closed with the close box
    editor.EditServerPort();
    EXPECT_EQ(prompts.portShown.at(1), "8000");
    EXPECT_EQ(prompts.messages.at(0).Text, "Порт должен быть в пределах 1024..65535");
    editor.EditServerPort();
    EXPECT_EQ(prompts.messages.at(1).Text, "'80x' is not a valid integer value");
    EXPECT_EQ(prompts.messages.at(1).Caption, "Редактирование ДЛК-сервера");
    editor.EditServerPort();  // unchanged
    EXPECT_TRUE(editor.CloseQuery());

    editor.EditServerPort();
    EXPECT_EQ(editor.PortItemCaption(), "порт сервера: 9000");
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x28, 0x23}));
}

TEST_F(AccountEditorTest, APortReadBelowTheRangeGoesBackAsReadButIsNotTyped) {
    folder.Write(kServerFileName, Bytes{0x5A, 0x90, 0x00});
    Start();
    prompts.portDialogs = {{"144"}, {"143", "1024"}};
    editor.EditServerPort();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(editor.CloseQuery());  // nothing changed: nothing asked
    editor.EditServerPort();           // the dialog refuses 143 and stays for 1024
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].Caption, "порт сервера");
    EXPECT_EQ(editor.PortItemCaption(), "порт сервера: 1024");
}

TEST_F(AccountEditorTest, ClosingAsksOnlyAfterChangesAndSavesOnlyOnYes) {
    Start();
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_TRUE(prompts.messages.empty());

    editor.FocusList(EditorList::Modems);
    prompts.answers = {PromptAnswer::Ok, PromptAnswer::Cancel, PromptAnswer::No};
    editor.Delete();
    EXPECT_FALSE(editor.CloseQuery());
    EXPECT_EQ(prompts.messages.at(1).Text, "Сохранить изменения?");
    EXPECT_EQ(prompts.messages.at(1).Caption, "Выход из программы");
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_EQ(folder.Read(kModemsFileName), Concat({modems[1], modems[2]}));
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
}

TEST_F(AccountEditorTest, FailedSaveKeepsTheWindowOpenForARetry) {
    Start();
    editor.FocusList(EditorList::Clients);
    prompts.answers = {PromptAnswer::No};
    editor.Delete();
    std::filesystem::remove(folder.path() / kUsersFileName);
    std::filesystem::create_directory(folder.path() / kUsersFileName);

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(editor.CloseQuery());
    EXPECT_EQ(prompts.messages.back().Text, NothingSaved(kUsersFileName));
    EXPECT_EQ(prompts.messages.back().Icon, PromptIcon::Error);
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));

    std::filesystem::remove(folder.path() / kUsersFileName);
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[1], clients[2]}));
}

// Saving is all or nothing: the client added here is not in the users file
// either, and the user must hear so before answering No to the next close.
TEST_F(AccountEditorTest, FailedModemsFileSaveSaysNothingWasSaved) {
    Start();
    editor.FocusList(EditorList::Clients);
    prompts.clientDialogs = {{{"delta", "Delta", "pd", false}}};
    editor.Add();
    std::filesystem::remove(folder.path() / kModemsFileName);
    std::filesystem::create_directory(folder.path() / kModemsFileName);
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(editor.CloseQuery());
    EXPECT_EQ(prompts.messages.back().Text, NothingSaved(kModemsFileName));
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
}

// The editor never creates the server file, so retrying cannot bring back one
// deleted while it ran: the save tells of it and still writes the others.
TEST_F(AccountEditorTest, ServerFileGoneBeforeTheSaveFailsAloneAndTheWindowCloses) {
    Start();
    editor.FocusList(EditorList::Clients);
    prompts.answers = {PromptAnswer::No};
    editor.Delete();
    std::filesystem::remove(folder.path() / kServerFileName);

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());
    EXPECT_EQ(prompts.messages.back().Text, "Ошибка сохранения DLK_server.dat");
    EXPECT_EQ(prompts.messages.back().Icon, PromptIcon::Error);
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[1], clients[2]}));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));
    EXPECT_FALSE(folder.Exists(kServerFileName));
}

TEST_F(AccountEditorTest, FullTableRefusesAnAddBeforeItsDialog) {
    std::vector<AccountRecordBytes> many;
    for (int i = 0; i < 255; ++i) {
        many.push_back(MakeClient(static_cast<std::uint8_t>(i), std::to_string(i), "c", "").Bytes);
    }
    folder.Write(kUsersFileName, Concat(many));
    Start();
    editor.FocusList(EditorList::Clients);
    editor.Add();
    EXPECT_TRUE(prompts.clientRequests.empty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].Text, "Добавить нельзя: в файле DLK_users.dat помещается не больше 255 клиентов.");
    EXPECT_EQ(prompts.messages[0].Caption, "новый клиент");
    EXPECT_TRUE(editor.CloseQuery());
}

// A users file that is there but cannot be read whole (a read error part way,
// or something that is not a file) must neither pass for an empty table nor
// be replaced by one at the save; the other files still save.
TEST(UnreadableFileTest, IsReportedAtStartAndNeverOverwrittenWhileTheOthersSave) {
    TempFolder folder;
    const Bytes users = Concat({MakeClient(1, "alpha", "Alpha", "pa").Bytes});
    const Bytes modems = Concat({MakeModem(4, *TextToImei("111111111111111"), "m1", "alpha").Bytes,
                                 MakeModem(5, *TextToImei("222222222222222"), "m2", "alpha").Bytes});
    folder.Write(kServerFileName, Bytes{0x5A, 0x40, 0x1F});
    folder.Write(kUsersFileName, users);
    folder.Write(kModemsFileName, modems);
    const FileReader failingUsers = [](const std::filesystem::path& path) {
        if (path.filename() != kUsersFileName) return ReadAccountFile(path);
        return FileBytes{ReadOutcome::Failed, {}, "Input/output error"};
    };

    ScriptedPrompts prompts;
    AccountEditor editor(folder.path(), prompts, failingUsers);
    editor.Start();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].Text.find("DLK_users.dat"), std::string::npos);
    EXPECT_NE(prompts.messages[0].Text.find("Input/output error"), std::string::npos);
    EXPECT_EQ(prompts.messages[0].Icon, PromptIcon::Error);
    EXPECT_TRUE(editor.ClientList().Rows.empty());

    // An added client and a deleted modem: only the modem file is written.
    editor.FocusList(EditorList::Clients);
    prompts.clientDialogs = {{ClientFields{"delta", "Delta", "pd", false}}};
    editor.Add();
    editor.FocusList(EditorList::Modems);
    editor.SelectModemRow(0);
    prompts.answers = {PromptAnswer::Ok, PromptAnswer::Yes};
    editor.Delete();
    EXPECT_TRUE(editor.CloseQuery());
    ASSERT_EQ(prompts.messages.size(), 4u);  // start, delete, save?, refusal
    EXPECT_NE(prompts.messages[3].Text.find("DLK_users.dat"), std::string::npos);
    EXPECT_EQ(prompts.messages[3].Caption, "Выход из программы");
    EXPECT_EQ(folder.Read(kUsersFileName), users);
    EXPECT_EQ(folder.Read(kModemsFileName), Bytes(modems.begin() + 64, modems.end()));

    // The same from the disk itself: a folder where the modem file should be.
    std::filesystem::remove(folder.path() / kModemsFileName);
    std::filesystem::create_directory(folder.path() / kModemsFileName);
    ScriptedPrompts again;
    AccountEditor second(folder.path(), again);
    second.Start();
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_NE(again.messages[0].Text.find("DLK_modems.dat"), std::string::npos);
    second.FocusList(EditorList::Clients);
    second.SelectClientRow(0);
    again.answers = {PromptAnswer::No, PromptAnswer::Yes};
    second.Delete();
    EXPECT_TRUE(second.CloseQuery());
    EXPECT_TRUE(folder.Read(kUsersFileName).empty());  // the one client deleted
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / kModemsFileName));
}

}  // namespace
}  // namespace dlk::server_edit
