#include "server_edit/core/account_book.h"

#include <gtest/gtest.h>

#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using testing::MakeClient;
using testing::MakeModem;
using testing::PatternBytes;

ImeiBcd Imei(const char* digits) {
    return *TextToImei(digits);
}

// Three clients and four modems, as a relay server's files might hold them.
class AccountBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Clients = {{false, MakeClient(1, "alpha", "Alpha Ltd", "pa")},
                        {false, MakeClient(2, "beta", "Beta", "pb", true)},
                        {false, MakeClient(3, "gamma", "Gamma", "pc")}};
        book.Modems = {{false, MakeModem(11, Imei("111111111111111"), "m1", "beta")},
                       {false, MakeModem(12, Imei("222222222222222"), "m2", "alpha")},
                       {false, MakeModem(13, Imei("333333333333333"), "m3", "beta")},
                       {false, MakeModem(14, Imei("444444444444444"), "m4", "nobody", true)}};
    }

    AccountBook book;
};

TEST_F(AccountBookTest, RowsShowLiveRecordsInSlotOrder) {
    book.Clients[1].Deleted = true;
    EXPECT_EQ(book.ListedClients(), (std::vector<int>{0, 2}));
    EXPECT_EQ(book.ClientRowTexts(0), (std::array<std::string, 4>{"Alpha Ltd", "alpha", "pa", "работает"}));
    EXPECT_EQ(book.ClientRowTexts(1)[3], "выключен");
    EXPECT_EQ(book.ModemRowTexts(3), (std::array<std::string, 4>{"m4", "444444444444444", "nobody", "выключен"}));
    EXPECT_EQ(book.ListedModems(true, -1), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(AccountBookTest, FilterShowsOnlyTheSelectedClientsLiveModems) {
    EXPECT_EQ(book.ListedModems(false, 1), (std::vector<int>{0, 2}));
    EXPECT_EQ(book.ListedModems(false, 0), (std::vector<int>{1}));
    EXPECT_TRUE(book.ListedModems(false, 2).empty());
    EXPECT_TRUE(book.ListedModems(false, -1).empty());  // no client selected
    book.Modems[2].Deleted = true;
    EXPECT_EQ(book.ListedModems(false, 1), (std::vector<int>{0}));
    // A client listed after a deleted one still finds exactly its own modems.
    book.Clients[0].Deleted = true;
    EXPECT_EQ(book.ListedModems(false, 1), (std::vector<int>{0}));
}

TEST_F(AccountBookTest, AddAppendsZeroedSlotsAndReusesTheFirstDeletedOne) {
    const std::optional<int> appended = book.AddClient({"delta", "Дельта", "pd", true});
    ASSERT_EQ(appended, 3);
    AccountRecordBytes expected{};
    expected[0] = 5;
    std::copy_n("delta", 5, expected.begin() + 1);
    expected[9] = 6;
    const std::uint8_t delta[] = {0xC4, 0xE5, 0xEB, 0xFC, 0xF2, 0xE0};  // Дельта
    std::copy_n(delta, 6, expected.begin() + 10);
    expected[41] = 1;
    expected[42] = 2;
    expected[43] = 'p';
    expected[44] = 'd';
    EXPECT_EQ(book.Clients[3].Record.Bytes, expected);
    EXPECT_TRUE(book.Modified);

    book.DeleteClient(2, false);
    book.DeleteClient(0, false);
    const std::optional<int> reused = book.AddClient({"eps", "E", "", false});
    ASSERT_EQ(reused, 0);
    EXPECT_FALSE(book.Clients[0].Deleted);
    // The deleted record's bytes stay wherever the new one does not write.
    const AccountRecordBytes old = MakeClient(1, "alpha", "Alpha Ltd", "pa").Bytes;
    EXPECT_EQ(book.Clients[0].Record.Id(), "eps");
    EXPECT_EQ(book.Clients[0].Record.Bytes[4], old[4]);    // "alpha" tail past "eps"
    EXPECT_EQ(book.Clients[0].Record.Bytes[11], old[11]);  // name tail
    for (std::size_t i = 51; i < 64; ++i) EXPECT_EQ(book.Clients[0].Record.Bytes[i], old[i]);
    EXPECT_EQ(book.NextClientSlot(), 2);
}

TEST_F(AccountBookTest, TablesStopAt255RecordsUnlessASlotIsFree) {
    book.Clients.resize(kMaxRecordsPerTable);
    EXPECT_FALSE(book.NextClientSlot());
    book.Modified = false;
    EXPECT_FALSE(book.AddClient({"x", "x", "x", false}));
    EXPECT_EQ(book.ClientCount(), 255);
    EXPECT_FALSE(book.Modified);
    book.Clients[200].Deleted = true;
    EXPECT_EQ(book.AddClient({"x", "x", "x", false}), 200);

    // A longer file, loaded whole, keeps all its records and takes no more.
    book.Modems.resize(300);
    EXPECT_FALSE(book.AddModem({"555555555555555", "m", "", false}));
    EXPECT_EQ(book.ModemCount(), 300);
}

TEST_F(AccountBookTest, ModemAddAndChangeNeedFifteenDigits) {
    book.Modified = false;
    for (const char* bad : {"", "12345678901234", "1234567890123456", "12345678901234a", "12345 789012345"}) {
        EXPECT_FALSE(book.AddModem({bad, "m", "", false})) << bad;
        EXPECT_FALSE(book.ChangeModem(0, {bad, "m", "", false})) << bad;
    }
    EXPECT_FALSE(book.Modified);
    EXPECT_EQ(book.ModemCount(), 4);
    EXPECT_EQ(book.ModemAt(0).Imei, "111111111111111");

    const std::optional<int> slot = book.AddModem({"123456789012345", "new", "gamma", false});
    ASSERT_EQ(slot, 4);
    EXPECT_EQ(book.Modems[4].Record.Imei(), (ImeiBcd{0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x50}));
    EXPECT_EQ(book.ListedModems(false, 2), (std::vector<int>{4}));
}

TEST_F(AccountBookTest, DamagedImeiMayBeKeptAsItIsButNotTyped) {
    book.Modems[0].Record.SetImei({0xAB, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F});
    const std::string shown = book.ModemAt(0).Imei;
    EXPECT_EQ(shown, ":;1111111111111");
    ASSERT_TRUE(book.ChangeModem(0, {shown, "renamed", "beta", false}));
    EXPECT_EQ(book.Modems[0].Record.Imei(), (ImeiBcd{0xAB, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F}));
    EXPECT_FALSE(book.ChangeModem(1, {shown, "m2", "alpha", false}));  // not its own
    EXPECT_FALSE(book.AddModem({shown, "m", "", false}));
}

TEST_F(AccountBookTest, ChangedClientIdFollowsToAllItsModemsDeletedOnesToo) {
    book.Modems[2].Deleted = true;
    book.ChangeClient(1, {"BETA2", "Beta", "pb", true});
    EXPECT_EQ(book.Clients[1].Record.Id(), "BETA2");
    EXPECT_EQ(book.Modems[0].Record.OwnerId(), "BETA2");
    EXPECT_EQ(book.Modems[2].Record.OwnerId(), "BETA2");
    EXPECT_EQ(book.Modems[1].Record.OwnerId(), "alpha");
    EXPECT_EQ(book.Modems[3].Record.OwnerId(), "nobody");
    EXPECT_EQ(book.ListedModems(false, 1), (std::vector<int>{0}));
    EXPECT_TRUE(book.Modified);
}

TEST_F(AccountBookTest, ChangeWithTheSameIdLeavesTheIdFieldAndModemsUntouched) {
    book.Clients[1].Record.Bytes[0] = 200;  // a corrupt length: "beta" and its tail
    const AccountRecordBytes before = book.Clients[1].Record.Bytes;
    const ClientFields shown = book.ClientAt(1);
    book.ChangeClient(1, {shown.Id, "Новое имя", "newpass", false});
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(book.Clients[1].Record.Bytes[i], before[i]);
    EXPECT_EQ(book.ClientAt(1).Name, "Новое имя");
    EXPECT_EQ(book.ClientAt(1).Password, "newpass");
    EXPECT_FALSE(book.ClientAt(1).Disabled);
    EXPECT_EQ(book.Modems[0].Record.OwnerId(), "beta");
}

TEST_F(AccountBookTest, ModemChangeStoresAllFieldsWithoutCascading) {
    ASSERT_TRUE(book.ChangeModem(3, {"999999999999990", "renamed", "alpha", true}));
    EXPECT_EQ(book.ModemAt(3).Imei, "999999999999990");
    EXPECT_EQ(book.ModemAt(3).Name, "renamed");
    EXPECT_TRUE(book.ModemAt(3).Disabled);
    EXPECT_EQ(book.ListedModems(false, 0), (std::vector<int>{1, 3}));
    EXPECT_EQ(book.Clients[0].Record.Id(), "alpha");
}

TEST_F(AccountBookTest, DeleteClientWithOrWithoutItsModems) {
    book.Modems[2].Deleted = true;
    std::vector<int> marked = book.DeleteClient(1, true);
    EXPECT_EQ(marked, (std::vector<int>{0}));  // the deleted one is not counted again
    EXPECT_TRUE(book.Modems[0].Deleted);
    EXPECT_FALSE(book.Modems[1].Deleted);
    EXPECT_TRUE(book.Clients[1].Deleted);

    marked = book.DeleteClient(0, false);
    EXPECT_TRUE(marked.empty());
    EXPECT_FALSE(book.Modems[1].Deleted);
    EXPECT_EQ(book.Modems[1].Record.OwnerId(), "alpha");
    EXPECT_EQ(book.ListedModems(true, -1), (std::vector<int>{1, 3}));

    book.DeleteModem(3);
    EXPECT_EQ(book.ListedModems(true, -1), (std::vector<int>{1}));
}

TEST_F(AccountBookTest, DuplicateIdsAreExactAndSkipDeletedAndSelf) {
    EXPECT_TRUE(book.ClientIdTaken("beta", -1));
    EXPECT_FALSE(book.ClientIdTaken("Beta", -1));  // case counts
    EXPECT_FALSE(book.ClientIdTaken("beta", 1));   // a client keeps its own ID
    EXPECT_TRUE(book.ClientIdTaken("gamma", 1));   // but not another's
    book.Clients[2].Deleted = true;
    EXPECT_FALSE(book.ClientIdTaken("gamma", -1));  // only a deleted client had it

    book.AddClient({"", "empty", "", false});
    EXPECT_TRUE(book.ClientIdTaken("", -1));  // a second empty ID is refused

    // The comparison sees what would be stored: at most 8 characters.
    book.AddClient({"12345678", "long", "", false});
    EXPECT_TRUE(book.ClientIdTaken("123456789", -1));
}

TEST_F(AccountBookTest, DuplicateImeisCompareTheShownText) {
    EXPECT_TRUE(book.ImeiTaken("222222222222222", -1));
    EXPECT_FALSE(book.ImeiTaken("222222222222222", 1));
    book.Modems[1].Deleted = true;
    EXPECT_FALSE(book.ImeiTaken("222222222222222", -1));
    book.Modems[0].Record.Bytes[7] = 0x1F;  // a stray last nibble is not part of the IMEI
    EXPECT_TRUE(book.ImeiTaken("111111111111111", -1));
}

TEST_F(AccountBookTest, PortChangesOnlyWhenDifferent) {
    book.ServerPort = 8000;
    EXPECT_FALSE(book.SetServerPort(8000));
    EXPECT_FALSE(book.Modified);
    EXPECT_TRUE(book.SetServerPort(8001));
    EXPECT_EQ(book.ServerPort, 8001);
    EXPECT_TRUE(book.Modified);
}

TEST(AccountBook, CyrillicTextsAreStoredOneByteACharacterAndCut) {
    AccountBook book;
    book.AddClient({"ИДклиент9", std::string("Я") + std::string(40, 'x'), "пароль", false});
    const ClientFields f = book.ClientAt(0);
    EXPECT_EQ(f.Id, "ИДклиент");
    EXPECT_EQ(f.Name, "Я" + std::string(30, 'x'));
    EXPECT_EQ(f.Password, "пароль");
    EXPECT_EQ(book.Clients[0].Record.Bytes[0], 8);
}

}  // namespace
}  // namespace dlk::server_edit
