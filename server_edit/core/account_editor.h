#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "server_edit/core/account_book.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit {

struct ListRow {
    int Slot = -1;
    std::array<std::string, 4> Texts;
};

// One list as the window shows it: its rows and the selected row (-1: none).
struct ListState {
    std::vector<ListRow> Rows;
    int SelectedRow = -1;
    int SelectedSlot() const { return SelectedRow < 0 ? -1 : Rows[SelectedRow].Slot; }
};

enum class EditorList { None, Clients, Modems };

// The main window's behaviour without the window: the two lists, the menu
// actions on the list that has the focus, the filter by client, the port and
// the save at exit. The window mirrors ClientList(), ModemList() and the menu
// state after every call, and reports what the user does to its lists.
class AccountEditor {
public:
    // read: where the files come from (the disk unless a test stands in).
    AccountEditor(std::filesystem::path folder, EditorPrompts& prompts, FileReader read = ReadAccountFile);

    // Loads the files (telling the user of partial records and of files that
    // could not be read) and fills both lists.
    void Start();
    // Whether the window may close: asks to save when anything changed and
    // saves on Yes; a failed save keeps the window open with every edit. A
    // file that was not read whole at start is never written; the user is
    // told so.
    bool CloseQuery();

    // What the user did to the lists.
    void FocusList(EditorList list) { focused_ = list; }
    void SelectClientRow(int row);
    void SelectModemRow(int row);
    void ClearClientSelection() { clients_.SelectedRow = -1; }
    void ClearModemSelection() { modems_.SelectedRow = -1; }
    // A double-click: rowUnderCursor is -1 below the last row.
    void DoubleClick(EditorList list, int rowUnderCursor);

    // Menu actions.
    void Add();
    void Change();
    void Delete();
    void EditServerPort();
    void ToggleShowAllModems();

    const ListState& ClientList() const { return clients_; }
    const ListState& ModemList() const { return modems_; }
    bool ShowAllModems() const { return show_all_modems_; }
    bool PortItemEnabled() const { return book_.ServerFileFound; }
    std::string PortItemCaption() const;
    EditorList FocusedList() const { return focused_; }
    const AccountBook& Book() const { return book_; }

private:
    void FillClientList();
    void FillModemList();
    void OnClientRowSelected(int slot);
    int SelectedClientRowSlot() const { return clients_.SelectedSlot(); }

    void AddClient();
    void AddModem();
    void ChangeClient(int slot);
    void ChangeModem(int slot);
    void DeleteClient(int slot);
    void DeleteModem(int slot);
    bool TellIfFull(bool full, const char* caption, const char* fileName, const char* what);

    // shown: the fields as the dialog opened with them.
    ClientVerdict CheckClient(const ClientFields& fields, const ClientFields& shown) const;
    ModemVerdict CheckModem(const ModemFields& fields, const ModemFields& shown) const;

    std::filesystem::path folder_;
    EditorPrompts& prompts_;
    FileReader read_;
    std::vector<std::string> unread_files_;
    AccountBook book_;
    ListState clients_;
    ListState modems_;
    EditorList focused_ = EditorList::None;
    bool show_all_modems_ = true;

    int EditMode = 0;  // 0 add, 1 change
    int EditIndex = -1;
    int SelectedClient = 0;
    int SelectedModem = 0;
};

}  // namespace dlk::server_edit
