#include "server_edit/core/account_editor.h"

#include "framework/core/str_to_int.h"
#include "platform/encoding/cp1251.h"
#include "platform/encoding/imei_bcd.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/account_storage.h"
#include "server_edit/core/editor_texts.h"
#include "server_edit/core/port_text.h"

namespace dlk::server_edit {

namespace texts = editor_texts;

namespace {

std::string NoticeText(const LoadNotice& notice) {
    if (notice.Unreadable) {
        return "Файл " + notice.FileName + " прочитать не удалось (" + notice.Error +
               ").\rЕго записи не загружены, и сохранять этот файл программа не будет.";
    }
    return "В конце файла " + notice.FileName + " неполная запись (байтов: " + std::to_string(notice.TrailingBytes) +
           "). Она не загружена и при сохранении будет отброшена.";
}

std::string Joined(const std::vector<std::string>& fileNames) {
    std::string text;
    for (const std::string& fileName : fileNames) text += (text.empty() ? "" : ", ") + fileName;
    return text;
}

// A failed save writes nothing, unless a file failed only as it was renamed
// into place after others: the user must know which edits are still unsaved
// before answering the next question to save.
std::string SaveFailureText(const SaveResult& result) {
    const std::string failed = texts::kSaveErrorPrefix + Joined(result.FailedFiles);
    if (result.WrittenFiles.empty()) return failed + texts::kNothingSaved;
    return failed + texts::kSavedOnlyPrefix + Joined(result.WrittenFiles) + ".";
}

// A field left as the dialog shows it keeps its stored bytes, so only a text
// the user entered has to fit the code page.
bool Storable(const std::string& text, const std::string& shown) {
    return text == shown || FitsCp1251(text);
}

}  // namespace

AccountEditor::AccountEditor(std::filesystem::path folder, EditorPrompts& prompts, FileReader read)
    : folder_(std::move(folder)), prompts_(prompts), read_(std::move(read)) {}

void AccountEditor::Start() {
    LoadedAccounts loaded = LoadAccounts(folder_, read_);
    book_ = std::move(loaded.Book);
    unread_files_ = std::move(loaded.UnreadFiles);
    for (const LoadNotice& notice : loaded.Notices) {
        const PromptIcon icon = notice.Unreadable ? PromptIcon::Error : PromptIcon::Warning;
        prompts_.Ask(NoticeText(notice), texts::kTitle, PromptButtons::Ok, icon);
    }
    FillClientList();
    FillModemList();
}

bool AccountEditor::CloseQuery() {
    if (!book_.Modified) return true;
    const PromptAnswer answer =
        prompts_.Ask(texts::kSaveQuestion, texts::kExitCaption, PromptButtons::YesNoCancel, PromptIcon::Warning);
    if (answer == PromptAnswer::No) return true;
    if (answer != PromptAnswer::Yes) return false;
    const SaveResult result = SaveAccounts(book_, folder_, unread_files_);
    for (const std::string& fileName : result.LostFiles) {
        prompts_.Ask(texts::kSaveErrorPrefix + fileName, texts::kExitCaption, PromptButtons::Ok, PromptIcon::Error);
    }
    for (const std::string& fileName : result.RefusedFiles) {
        prompts_.Ask(texts::kNotSavedUnreadPrefix + fileName + texts::kNotSavedUnreadReason, texts::kExitCaption,
                     PromptButtons::Ok, PromptIcon::Error);
    }
    if (!result.Ok()) prompts_.Ask(SaveFailureText(result), texts::kExitCaption, PromptButtons::Ok, PromptIcon::Error);
    return result.Ok();
}

std::string AccountEditor::PortItemCaption() const {
    if (!book_.ServerFileFound) return texts::kPortItemNoFile;
    return texts::kPortItemPrefix + std::to_string(book_.ServerPort);
}

// Selecting a row, by the user or by a refill, raises the same event, so the
// modem list follows whichever client row becomes selected.
void AccountEditor::FillClientList() {
    clients_.Rows.clear();
    clients_.SelectedRow = -1;
    for (int slot : book_.ListedClients()) clients_.Rows.push_back({slot, book_.ClientRowTexts(slot)});
    for (int row = 0; row < static_cast<int>(clients_.Rows.size()); ++row) {
        if (clients_.Rows[row].Slot == SelectedClient) {
            SelectClientRow(row);
            break;
        }
    }
}

void AccountEditor::FillModemList() {
    modems_.Rows.clear();
    modems_.SelectedRow = -1;
    for (int slot : book_.ListedModems(show_all_modems_, SelectedClientRowSlot())) {
        modems_.Rows.push_back({slot, book_.ModemRowTexts(slot)});
    }
    for (int row = 0; row < static_cast<int>(modems_.Rows.size()); ++row) {
        if (modems_.Rows[row].Slot == SelectedModem) {
            SelectModemRow(row);
            break;
        }
    }
}

void AccountEditor::SelectClientRow(int row) {
    if (row < 0 || row >= static_cast<int>(clients_.Rows.size()) || row == clients_.SelectedRow) return;
    clients_.SelectedRow = row;
    OnClientRowSelected(clients_.Rows[row].Slot);
}

void AccountEditor::OnClientRowSelected(int slot) {
    if (!show_all_modems_) FillModemList();
    SelectedClient = slot;
}

void AccountEditor::SelectModemRow(int row) {
    if (row < 0 || row >= static_cast<int>(modems_.Rows.size()) || row == modems_.SelectedRow) return;
    modems_.SelectedRow = row;
    SelectedModem = modems_.Rows[row].Slot;
}

void AccountEditor::DoubleClick(EditorList list, int rowUnderCursor) {
    FocusList(list);
    if (rowUnderCursor < 0) {
        Add();
        return;
    }
    if (list == EditorList::Clients) SelectClientRow(rowUnderCursor);
    if (list == EditorList::Modems) SelectModemRow(rowUnderCursor);
    Change();
}

void AccountEditor::Add() {
    if (focused_ == EditorList::Clients) AddClient();
    if (focused_ == EditorList::Modems) AddModem();
}

void AccountEditor::Change() {
    if (focused_ == EditorList::Clients && clients_.SelectedRow >= 0) ChangeClient(clients_.SelectedSlot());
    if (focused_ == EditorList::Modems && modems_.SelectedRow >= 0) ChangeModem(modems_.SelectedSlot());
}

void AccountEditor::Delete() {
    if (focused_ == EditorList::Clients && clients_.SelectedRow >= 0) DeleteClient(clients_.SelectedSlot());
    if (focused_ == EditorList::Modems && modems_.SelectedRow >= 0) DeleteModem(modems_.SelectedSlot());
}

// The relay server's files count records in one byte: rather than wrap, an
// add that would need a slot beyond that is refused before its dialog opens.
bool AccountEditor::TellIfFull(bool full, const char* caption, const char* fileName, const char* what) {
    if (!full) return false;
    const std::string text = std::string("Добавить нельзя: в файле ") + fileName + " помещается не больше " +
                             std::to_string(kMaxRecordsPerTable) + " " + what + ".";
    prompts_.Ask(text, caption, PromptButtons::Ok, PromptIcon::Error);
    return true;
}

void AccountEditor::AddClient() {
    EditMode = 0;
    if (TellIfFull(!book_.NextClientSlot(), texts::kNewClientCaption, kUsersFileName, "клиентов")) return;
    const std::optional<ClientFields> fields = prompts_.EditClient(
        {texts::kNewClientCaption, {}, [this](const ClientFields& f) { return CheckClient(f, {}); }});
    if (!fields) return;
    const std::optional<int> slot = book_.AddClient(*fields);
    if (!slot) return;
    SelectedClient = *slot;
    FillClientList();
}

void AccountEditor::AddModem() {
    const int ownerSlot = SelectedClientRowSlot();
    if (!show_all_modems_ && ownerSlot < 0) return;
    EditMode = 0;
    if (TellIfFull(!book_.NextModemSlot(), texts::kNewModemCaption, kModemsFileName, "модемов")) return;
    ModemDialogRequest request{texts::kNewModemCaption, {}, show_all_modems_, {}};
    if (!show_all_modems_) request.Fields.OwnerId = book_.ClientAt(ownerSlot).Id;
    request.check = [this, shown = request.Fields](const ModemFields& f) { return CheckModem(f, shown); };
    const std::optional<ModemFields> fields = prompts_.EditModem(request);
    if (!fields) return;
    const std::optional<int> slot =
        book_.AddModem(*fields, show_all_modems_ ? std::string() : book_.Clients[ownerSlot].Record.Id());
    if (!slot) return;
    SelectedModem = *slot;
    FillModemList();
}

void AccountEditor::ChangeClient(int slot) {
    EditMode = 1;
    EditIndex = slot;
    const ClientFields shown = book_.ClientAt(slot);
    const std::optional<ClientFields> fields =
        prompts_.EditClient({texts::kClientPropertiesCaption, shown,
                             [this, shown](const ClientFields& f) { return CheckClient(f, shown); }});
    if (!fields) return;
    book_.ChangeClient(slot, *fields);
    SelectedClient = slot;
    FillClientList();
    FillModemList();
}

// The owner stays editable here: moving a modem to another client is an
// ordinary edit, and it is not carried anywhere else.
void AccountEditor::ChangeModem(int slot) {
    EditMode = 1;
    EditIndex = slot;
    const ModemFields shown = book_.ModemAt(slot);
    const std::optional<ModemFields> fields =
        prompts_.EditModem({texts::kModemPropertiesCaption, shown, true,
                            [this, shown](const ModemFields& f) { return CheckModem(f, shown); }});
    if (!fields) return;
    if (!book_.ChangeModem(slot, *fields)) return;
    SelectedModem = slot;
    FillModemList();
}

void AccountEditor::DeleteClient(int slot) {
    const PromptAnswer answer = prompts_.Ask(texts::kDeleteClientQuestion, texts::kDeleteClientCaption,
                                             PromptButtons::YesNoCancel, PromptIcon::Warning);
    if (answer != PromptAnswer::Yes && answer != PromptAnswer::No) return;
    const std::vector<int> modems = book_.DeleteClient(slot, answer == PromptAnswer::Yes);
    if (answer == PromptAnswer::Yes) {
        for (int m : modems) {
            if (m == SelectedModem) SelectedModem = -1;
        }
        FillModemList();
    }
    SelectedClient = -1;
    FillClientList();
}

void AccountEditor::DeleteModem(int slot) {
    const PromptAnswer answer = prompts_.Ask(texts::kDeleteModemQuestion, texts::kDeleteModemCaption,
                                             PromptButtons::OkCancel, PromptIcon::Warning);
    if (answer != PromptAnswer::Ok) return;
    book_.DeleteModem(slot);
    SelectedModem = -1;
    FillModemList();
}

void AccountEditor::EditServerPort() {
    if (!book_.ServerFileFound) return;
    const std::string shown = std::to_string(book_.ServerPort);
    // A port left as read goes back as read, even one the dialog would not
    // take as typed (below 1024, from an older file).
    const auto check = [&shown](const std::string& text) -> std::optional<PortRefusal> {
        if (text == shown) return std::nullopt;
        try {
            if (!IsServerPort(StrToInt(text))) return PortRefusal{texts::kPortOutOfRange, texts::kPortDialogCaption};
        } catch (const EConvertError& error) {
            return PortRefusal{error.what(), texts::kTitle};
        }
        return std::nullopt;
    };
    const std::optional<std::string> text = prompts_.EditPort({shown, check});
    if (!text || *text == shown) return;
    book_.SetServerPort(static_cast<std::uint16_t>(StrToInt(*text)));
}

void AccountEditor::ToggleShowAllModems() {
    show_all_modems_ = !show_all_modems_;
    SelectedModem = -1;
    FillModemList();
}

ClientVerdict AccountEditor::CheckClient(const ClientFields& fields, const ClientFields& shown) const {
    if (!Storable(fields.Name, shown.Name)) return ClientVerdict::NameNotStorable;
    if (!Storable(fields.Id, shown.Id)) return ClientVerdict::IdNotStorable;
    if (!Storable(fields.Password, shown.Password)) return ClientVerdict::PasswordNotStorable;
    const int except = EditMode == 1 ? EditIndex : -1;
    return book_.ClientIdTaken(fields.Id, except) ? ClientVerdict::DuplicateId : ClientVerdict::Accept;
}

// A changed modem may keep an IMEI that is no longer a valid one (a damaged
// record): its bytes are then left as they are.
ModemVerdict AccountEditor::CheckModem(const ModemFields& fields, const ModemFields& shown) const {
    if (!Storable(fields.Name, shown.Name)) return ModemVerdict::NameNotStorable;
    if (!Storable(fields.OwnerId, shown.OwnerId)) return ModemVerdict::OwnerIdNotStorable;
    const bool keepsOwnImei = EditMode == 1 && book_.ModemAt(EditIndex).Imei == fields.Imei;
    if (!IsImeiText(fields.Imei) && !keepsOwnImei) return ModemVerdict::NotAnImei;
    const int except = EditMode == 1 ? EditIndex : -1;
    return book_.ImeiTaken(fields.Imei, except) ? ModemVerdict::DuplicateImei : ModemVerdict::Accept;
}

}  // namespace dlk::server_edit
