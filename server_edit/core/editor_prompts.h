#pragma once

#include <functional>
#include <optional>
#include <string>

#include "server_edit/core/account_book.h"

namespace dlk::server_edit {

enum class PromptButtons { Ok, OkCancel, YesNoCancel };
enum class PromptIcon { Warning, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// What the dialogs' OK buttons find; anything but Accept keeps the dialog
// open. A text the files' code page cannot hold is refused first, with a
// message naming its field (storing it would turn characters into "?"); a
// duplicate or a bad IMEI then shows the red note beside its field.
enum class ClientVerdict { Accept, DuplicateId, NameNotStorable, IdNotStorable, PasswordNotStorable };
enum class ModemVerdict { Accept, DuplicateImei, NotAnImei, NameNotStorable, OwnerIdNotStorable };

struct ClientDialogRequest {
    std::string Caption;
    ClientFields Fields;
    std::function<ClientVerdict(const ClientFields&)> check;
};

struct ModemDialogRequest {
    std::string Caption;
    ModemFields Fields;
    bool OwnerEditable = true;
    std::function<ModemVerdict(const ModemFields&)> check;
};

// What the port dialog's OK finds wrong with the text, said in a box over
// the dialog, which stays open; nothing: the text is taken.
struct PortRefusal {
    std::string Text;
    std::string Caption;
};

struct PortDialogRequest {
    std::string Text;
    std::function<std::optional<PortRefusal>(const std::string&)> check;
};

// The editor's dialogs and message boxes: the window answers with its modal
// dialogs, tests with scripted answers. A dialog returns its fields on OK and
// nothing on cancel.
class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;
    virtual std::optional<ClientFields> EditClient(const ClientDialogRequest& request) = 0;
    virtual std::optional<ModemFields> EditModem(const ModemDialogRequest& request) = 0;
    virtual std::optional<std::string> EditPort(const PortDialogRequest& request) = 0;
    virtual PromptAnswer Ask(const std::string& text, const std::string& caption, PromptButtons buttons,
                             PromptIcon icon) = 0;
};

}  // namespace dlk::server_edit
