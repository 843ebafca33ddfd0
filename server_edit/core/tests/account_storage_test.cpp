#include "server_edit/core/account_storage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::TempFolder;
using testing::Concat;
using testing::MakeClient;
using testing::MakeModem;
using testing::PatternBytes;
using Bytes = std::vector<std::uint8_t>;

class AccountStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        clients = {MakeClient(1, "alpha", "Alpha", "pa").Bytes, MakeClient(2, "beta", "Beta", "pb").Bytes,
                   MakeClient(3, "gamma", "Gamma", "pc", true).Bytes};
        modems = {MakeModem(4, *TextToImei("111111111111111"), "m1", "beta").Bytes,
                  MakeModem(5, *TextToImei("222222222222222"), "m2", "alpha").Bytes};
        folder.Write(kServerFileName, Bytes{0x5A, 0x40, 0x1F});
        folder.Write(kUsersFileName, Concat(clients));
        folder.Write(kModemsFileName, Concat(modems));
    }

    TempFolder folder;
    std::vector<AccountRecordBytes> clients;
    std::vector<AccountRecordBytes> modems;
};

TEST_F(AccountStorageTest, UneditedFilesAreWrittenBackByteForByte) {
    LoadedAccounts loaded = LoadAccounts(folder.path());
    EXPECT_TRUE(loaded.Notices.empty());
    EXPECT_TRUE(loaded.Book.ServerFileFound);
    EXPECT_EQ(loaded.Book.ServerPort, 0x1F40);
    EXPECT_EQ(loaded.Book.ClientCount(), 3);
    EXPECT_EQ(loaded.Book.ModemCount(), 2);

    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x40, 0x1F}));
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));
    EXPECT_EQ(folder.Names().size(), 3u);  // no temporaries left
}

TEST_F(AccountStorageTest, EditsLandInPlaceAndDeletedRecordsDrop) {
    LoadedAccounts loaded = LoadAccounts(folder.path());
    AccountBook& book = loaded.Book;
    book.DeleteClient(1, false);
    book.ChangeModem(0, {"111111111111111", "x", "beta", true});
    book.SetServerPort(9000);
    ASSERT_TRUE(SaveAccounts(book, folder.path()).Ok());

    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[0], clients[2]}));
    AccountRecordBytes changed = modems[0];
    changed[8] = 1;
    changed[9] = 'x';
    changed[40] = 1;
    EXPECT_EQ(folder.Read(kModemsFileName), Concat({changed, modems[1]}));
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x28, 0x23}));
}

TEST_F(AccountStorageTest, ReusedSlotKeepsItsPlaceAndTheDeletedRecordsBytes) {
    LoadedAccounts loaded = LoadAccounts(folder.path());
    loaded.Book.DeleteClient(1, false);
    ASSERT_EQ(loaded.Book.AddClient({"new", "N", "p", false}), 1);
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());

    const Bytes users = folder.Read(kUsersFileName);
    ASSERT_EQ(users.size(), 192u);
    AccountRecordBytes expected = clients[1];
    ClientRecord r{expected};
    r.SetId("new");
    r.SetName("N");
    r.SetPassword("p");
    r.SetDisabled(false);
    EXPECT_EQ(Bytes(users.begin() + 64, users.begin() + 128), Bytes(r.Bytes.begin(), r.Bytes.end()));
    EXPECT_EQ(Bytes(users.begin() + 128, users.end()), Bytes(clients[2].begin(), clients[2].end()));
}

TEST_F(AccountStorageTest, PartialRecordsAreReportedAndDroppedBySaving) {
    Bytes users = Concat({clients[0], clients[1]});
    users.push_back(1);
    users.push_back(2);  // 130 bytes
    folder.Write(kUsersFileName, users);
    LoadedAccounts loaded = LoadAccounts(folder.path());
    ASSERT_EQ(loaded.Notices.size(), 1u);
    EXPECT_EQ(loaded.Notices[0].FileName, kUsersFileName);
    EXPECT_EQ(loaded.Notices[0].TrailingBytes, 2u);
    EXPECT_EQ(loaded.Book.ClientCount(), 2);
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Read(kUsersFileName).size(), 128u);
}

TEST_F(AccountStorageTest, ShortServerFileGrowsToThreeBytes) {
    folder.Write(kServerFileName, Bytes{0x11, 0x22});
    LoadedAccounts loaded = LoadAccounts(folder.path());
    EXPECT_EQ(loaded.Book.ServerPort, 0x22);
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x11, 0x22, 0x00}));

    folder.Write(kServerFileName, Bytes{});
    loaded = LoadAccounts(folder.path());
    EXPECT_TRUE(loaded.Book.ServerFileFound);
    loaded.Book.SetServerPort(5000);
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x00, 0x88, 0x13}));
}

TEST(AccountStorage, MissingFilesGiveEmptyTablesAndNoServerFileIsCreated) {
    TempFolder folder;
    LoadedAccounts loaded = LoadAccounts(folder.path());
    EXPECT_FALSE(loaded.Book.ServerFileFound);
    EXPECT_EQ(loaded.Book.ServerPort, 0);
    EXPECT_EQ(loaded.Book.ClientCount(), 0);
    loaded.Book.AddClient({"a", "A", "", false});
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{kModemsFileName, kUsersFileName}));
    EXPECT_EQ(folder.Read(kUsersFileName).size(), 64u);
    EXPECT_TRUE(folder.Read(kModemsFileName).empty());
}

TEST(AccountStorage, MoreThan255RecordsSurviveASave) {
    TempFolder folder;
    std::vector<AccountRecordBytes> many;
    for (int i = 0; i < 300; ++i) many.push_back(PatternBytes(static_cast<std::uint8_t>(i)));
    folder.Write(kModemsFileName, Concat(many));
    LoadedAccounts loaded = LoadAccounts(folder.path());
    EXPECT_EQ(loaded.Book.ModemCount(), 300);
    ASSERT_TRUE(SaveAccounts(loaded.Book, folder.path()).Ok());
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(many));
}

TEST_F(AccountStorageTest, ServerFileGoneAtSaveIsReportedAndNotRecreated) {
    LoadedAccounts loaded = LoadAccounts(folder.path());
    std::filesystem::remove(folder.path() / kServerFileName);
    loaded.Book.DeleteClient(0, false);
    const SaveResult result = SaveAccounts(loaded.Book, folder.path());
    EXPECT_EQ(result.LostFiles, std::vector<std::string>{kServerFileName});
    EXPECT_TRUE(result.Ok());
    EXPECT_FALSE(folder.Exists(kServerFileName));
    // A retry could not bring it back, so the others are saved without it.
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[1], clients[2]}));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat(modems));
}

TEST_F(AccountStorageTest, AFailedFileLeavesEveryOldFileAndTheEditsForARetry) {
    LoadedAccounts loaded = LoadAccounts(folder.path());
    loaded.Book.DeleteClient(0, false);
    loaded.Book.DeleteModem(0);
    // Something that is not a file where the modems file should be.
    std::filesystem::remove(folder.path() / kModemsFileName);
    std::filesystem::create_directory(folder.path() / kModemsFileName);

    SaveResult result = SaveAccounts(loaded.Book, folder.path());
    EXPECT_EQ(result.FailedFiles, std::vector<std::string>{kModemsFileName});
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
    EXPECT_EQ(folder.Read(kServerFileName), (Bytes{0x5A, 0x40, 0x1F}));
    EXPECT_EQ(folder.Names().size(), 3u);

    std::filesystem::remove(folder.path() / kModemsFileName);
    result = SaveAccounts(loaded.Book, folder.path());
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(folder.Read(kUsersFileName), Concat({clients[1], clients[2]}));
    EXPECT_EQ(folder.Read(kModemsFileName), Concat({modems[1]}));
}

TEST_F(AccountStorageTest, UnwritableFolderReportsEveryFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes any folder";
    LoadedAccounts loaded = LoadAccounts(folder.path());
    ::chmod(folder.path().c_str(), 0555);
    const SaveResult result = SaveAccounts(loaded.Book, folder.path());
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(result.FailedFiles, (std::vector<std::string>{kServerFileName, kUsersFileName, kModemsFileName}));
    EXPECT_EQ(folder.Read(kUsersFileName), Concat(clients));
}

}  // namespace
}  // namespace dlk::server_edit
