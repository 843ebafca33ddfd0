// Code page 1251 has no character for byte 0x98: a dialog shows it as U+FFFD,
// which has no way back to the byte. A field the user leaves as it was shown
// must keep its stored bytes, or an edit of a client's password alone would
// change its ID, its modems' owner IDs and so its login value.
#include <gtest/gtest.h>

#include "server_edit/core/account_editor.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"
#include "server_edit/core/tests/scripted_prompts.h"

namespace dlk {
namespace {

using testing::Concat;
using testing::MakeClient;
using testing::MakeModem;
using testing::ScriptedPrompts;
using testing::TempFolder;

const std::string kShownId = "A\uFFFD";  // "A" and 0x98 as the dialog shows them
const std::string kShownName = "N\uFFFD";
const std::string kShownPassword = "p\uFFFD";

// What each field holds after the save, as stored bytes.
struct Saved {
    std::string id, name, password, ownerId, modemName;
};

// Opens the editor over one client "A\x98" owning one modem, lets the user
// change that client (or, with modemEdit, its modem) in one dialog, saves
// and reads the stored fields back.
Saved EditAndSave(const std::optional<ClientFields>& clientEdit, const std::optional<ModemFields>& modemEdit) {
    TempFolder folder;
    folder.Write(kServerFileName, {0x5A, 0x40, 0x1F});
    folder.Write(kUsersFileName, Concat({MakeClient(1, "A\x98", "N\x98", "p\x98").bytes}));
    folder.Write(kModemsFileName, Concat({MakeModem(2, *TextToImei("111111111111111"), "m\x98", "A\x98").bytes}));
    ScriptedPrompts prompts;
    AccountEditor editor(folder.path(), prompts);
    editor.Start();
    if (clientEdit) {
        editor.FocusList(EditorList::Clients);
        prompts.clientDialogs = {{*clientEdit}};
    } else {
        editor.FocusList(EditorList::Modems);
        editor.SelectModemRow(0);
        prompts.modemDialogs = {{*modemEdit}};
    }
    editor.Change();
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());

    ClientRecord client;
    ModemRecord modem;
    const auto users = folder.Read(kUsersFileName);
    const auto modems = folder.Read(kModemsFileName);
    if (users.size() != kAccountRecordSize || modems.size() != kAccountRecordSize) {
        ADD_FAILURE() << "files of " << users.size() << " and " << modems.size() << " bytes";
        return {};
    }
    std::copy(users.begin(), users.end(), client.bytes.begin());
    std::copy(modems.begin(), modems.end(), modem.bytes.begin());
    return {client.Id(), client.Name(), client.Password(), modem.OwnerId(), modem.Name()};
}

TEST(UnassignedByteTest, FieldsLeftAsShownKeepTheirBytes) {
    struct Case {
        const char* what;
        std::optional<ClientFields> clientEdit;
        std::optional<ModemFields> modemEdit;
        Saved saved;
    };
    const Case cases[] = {
        {"client password alone",
         ClientFields{kShownId, kShownName, "new", false},
         {},
         {"A\x98", "N\x98", "new", "A\x98", "m\x98"}},
        {"client name alone",
         ClientFields{kShownId, "Name", kShownPassword, false},
         {},
         {"A\x98", "Name", "p\x98", "A\x98", "m\x98"}},
        {"client disabled alone",
         ClientFields{kShownId, kShownName, kShownPassword, true},
         {},
         {"A\x98", "N\x98", "p\x98", "A\x98", "m\x98"}},
        // A question mark typed in is a change like any other.
        {"client ID typed anew",
         ClientFields{"A?", kShownName, kShownPassword, false},
         {},
         {"A?", "N\x98", "p\x98", "A?", "m\x98"}},
        {"modem name alone",
         {},
         ModemFields{"111111111111111", "modem", kShownId, false},
         {"A\x98", "N\x98", "p\x98", "A\x98", "modem"}},
        {"modem disabled alone",
         {},
         ModemFields{"111111111111111", "m\uFFFD", kShownId, true},
         {"A\x98", "N\x98", "p\x98", "A\x98", "m\x98"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Saved saved = EditAndSave(c.clientEdit, c.modemEdit);
        EXPECT_EQ(saved.id, c.saved.id);
        EXPECT_EQ(saved.name, c.saved.name);
        EXPECT_EQ(saved.password, c.saved.password);
        EXPECT_EQ(saved.ownerId, c.saved.ownerId);
        EXPECT_EQ(saved.modemName, c.saved.modemName);
    }
}

// The client's own unchanged ID is its stored bytes, not the "A?" a store of
// the shown text would make, so another client's "A?" is no clash.
TEST(UnassignedByteTest, AnUnchangedIdIsComparedAsStored) {
    AccountBook book;
    book.Clients = {{false, MakeClient(1, "A\x98", "N", "p")}, {false, MakeClient(2, "A?", "Q", "q")}};
    EXPECT_FALSE(book.ClientIdTaken(kShownId, 0));
    EXPECT_TRUE(book.ClientIdTaken("A?", 0));
}

}  // namespace
}  // namespace dlk
