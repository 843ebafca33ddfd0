// Code page 1251 has no character for byte 0x98: a dialog shows it as U+FFFD,
// which has no way back to the byte. A field the user leaves as shown must
// keep its bytes, or an edit of a client's password alone would change its
// ID, its modems' owner IDs and so its login value.
#include <gtest/gtest.h>

#include "server_edit/core/account_editor.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"
#include "server_edit/core/tests/scripted_prompts.h"

namespace dlk::server_edit {
namespace {

const std::string kShownId = "A\uFFFD";  // "A\x98" as the dialog shows it

// Client ID, name, password; modem owner ID and name, as stored after the user
// changed the client "A\x98" (or, given modem edits, its one modem) and saved;
// each edit is one press of OK, until the dialog takes one.
using Stored = std::array<std::string, 5>;

Stored EditAndSave(const std::vector<ClientFields>& clientEdits, const std::vector<ModemFields>& modemEdits) {
    dlk::testing::TempFolder folder;
    folder.Write(kServerFileName, {0x5A, 0x40, 0x1F});
    folder.Write(kUsersFileName, testing::Concat({testing::MakeClient(1, "A\x98", "N\x98", "p\x98").Bytes}));
    folder.Write(kModemsFileName,
                 testing::Concat({testing::MakeModem(2, *TextToImei("111111111111111"), "m\x98", "A\x98").Bytes}));
    testing::ScriptedPrompts prompts;
    AccountEditor editor(folder.path(), prompts);
    editor.Start();
    editor.FocusList(clientEdits.empty() ? EditorList::Modems : EditorList::Clients);
    editor.SelectModemRow(0);
    if (!clientEdits.empty()) prompts.clientDialogs = {clientEdits};
    if (!modemEdits.empty()) prompts.modemDialogs = {modemEdits};
    editor.Change();
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(editor.CloseQuery());

    ClientRecord client;
    ModemRecord modem;
    const auto users = folder.Read(kUsersFileName);
    const auto modems = folder.Read(kModemsFileName);
    std::copy_n(users.begin(), std::min(users.size(), kAccountRecordSize), client.Bytes.begin());
    std::copy_n(modems.begin(), std::min(modems.size(), kAccountRecordSize), modem.Bytes.begin());
    return {client.Id(), client.Name(), client.Password(), modem.OwnerId(), modem.Name()};
}

TEST(UnassignedByteTest, FieldsLeftAsShownKeepTheirBytes) {
    const std::string name = "N\uFFFD", password = "p\uFFFD", imei = "111111111111111";
    const struct {
        const char* what;
        std::vector<ClientFields> clientEdits;
        std::vector<ModemFields> modemEdits;
        Stored stored;
    } cases[] = {
        {"client password alone", {{kShownId, name, "new"}}, {}, {"A\x98", "N\x98", "new", "A\x98", "m\x98"}},
        // Code page 1251 has no "ë": that password is refused, not stored.
        {"client password refused, then typed anew",
         {{kShownId, name, "pë"}, {kShownId, name, "new"}},
         {},
         {"A\x98", "N\x98", "new", "A\x98", "m\x98"}},
        {"client name alone", {{kShownId, "Name", password}}, {}, {"A\x98", "Name", "p\x98", "A\x98", "m\x98"}},
        // A question mark typed in is a change like any other.
        {"client ID typed anew", {{"A?", name, password}}, {}, {"A?", "N\x98", "p\x98", "A?", "m\x98"}},
        {"modem name alone", {}, {{imei, "modem", kShownId}}, {"A\x98", "N\x98", "p\x98", "A\x98", "modem"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(EditAndSave(c.clientEdits, c.modemEdits), c.stored);
    }
}

// The client's unchanged ID is its stored bytes, not the "A?" a store of the
// shown text would make, so another client's "A?" is no clash.
TEST(UnassignedByteTest, AnUnchangedIdIsComparedAsStored) {
    AccountBook book;
    book.Clients = {{false, testing::MakeClient(1, "A\x98", "N", "p")},
                    {false, testing::MakeClient(2, "A?", "Q", "q")}};
    EXPECT_FALSE(book.ClientIdTaken(kShownId, 0));
    EXPECT_TRUE(book.ClientIdTaken("A?", 0));
}

// Under the filter the owner field shows the selected client's ID and cannot
// be edited: the new modem takes that ID's bytes and so belongs to the client.
TEST(UnassignedByteTest, AModemAddedUnderTheFilterTakesItsOwnersStoredId) {
    dlk::testing::TempFolder folder;
    folder.Write(kUsersFileName, testing::Concat({testing::MakeClient(1, "A\x98", "N", "p").Bytes}));
    testing::ScriptedPrompts prompts;
    AccountEditor editor(folder.path(), prompts);
    editor.Start();
    editor.ToggleShowAllModems();
    editor.FocusList(EditorList::Modems);
    prompts.modemDialogs = {{ModemFields{"111111111111111", "m", kShownId}}};
    editor.Add();
    EXPECT_EQ(editor.ModemList().Rows.size(), 1u);
}

}  // namespace
}  // namespace dlk::server_edit
