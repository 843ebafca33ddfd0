#pragma once

#include <filesystem>
#include <vector>

#include "framework/controls/form.h"
#include "framework/controls/list_view.h"
#include "framework/controls/menus.h"
#include "framework/controls/splitter.h"
#include "server_edit/core/account_editor.h"
#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit {

class TForm2;
class TForm3;
class TForm4;

// The main window: the client list above, the modem list below. What the
// menu and the lists do lives in AccountEditor; the window shows its lists
// and menu state after every action and answers its questions with the three
// dialogs and message boxes.
class TForm1 : public TForm, private EditorPrompts {
    DLK_COMPONENT(TForm1)
public:
    // folder: where the three account files are (the current folder in the
    // program, a temporary one in tests).
    explicit TForm1(TComponent* owner, std::filesystem::path folder = ".");
    ~TForm1() override;

    TListView* ListView1;  // clients
    TSplitter* Splitter1;
    TListView* ListView2;  // modems
    TMainMenu* MainMenu1;
    TMenuItem* N1;  // добавить
    TMenuItem* N3;  // изменить
    TMenuItem* N2;  // удалить
    TMenuItem* N4;  // ешё
    TMenuItem* N6;  // порт сервера
    TMenuItem* N7;  // показать все модемы
    TMenuItem* N5;  // выход

    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void N1Click(TObject* sender);
    void N3Click(TObject* sender);
    void N2Click(TObject* sender);
    void N5Click(TObject* sender);
    void N6Click(TObject* sender);
    void N7Click(TObject* sender);
    void ListView1SelectItem(TObject* sender, TListItem* item, bool selected);
    void ListView2SelectItem(TObject* sender, TListItem* item, bool selected);
    void ListView1DblClick(TObject* sender);
    void ListView2DblClick(TObject* sender);

    const AccountEditor& Editor() const { return editor_; }

private:
    std::optional<ClientFields> EditClient(const ClientDialogRequest& request) override;
    std::optional<ModemFields> EditModem(const ModemDialogRequest& request) override;
    std::optional<std::string> EditPort(const PortDialogRequest& request) override;
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptButtons buttons,
                     PromptIcon icon) override;

    // Shows the editor's state: the rows (refilled only when they changed,
    // so a click keeps the scroll position), the selections and the menu.
    void ShowState();
    void ShowList(TListView& view, const ListState& state, std::vector<ListRow>& shown);
    int RowUnderCursor(TListView& view) const;

    AccountEditor editor_;
    std::vector<ListRow> shown_clients_;
    std::vector<ListRow> shown_modems_;
    bool showing_ = false;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
};

}  // namespace dlk::server_edit
