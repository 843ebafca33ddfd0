#include "account_fixtures.h"
#include "core/account_files.h"
#include "core/replace_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dlk {
namespace {

using testing::Concat;
using testing::PatternBytes;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

TEST(RecordFile, WholeRecordsAreReadAndAPartialOneIsReportedNotRead) {
    Bytes bytes = Concat({PatternBytes(1), PatternBytes(2)});
    bytes.push_back(0xEE);
    bytes.push_back(0xFF);  // 130 bytes
    const RecordFileContents contents = ParseRecordFile(bytes);
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.records[0], PatternBytes(1));
    EXPECT_EQ(contents.records[1], PatternBytes(2));
    EXPECT_EQ(contents.trailingBytes, 2u);

    EXPECT_EQ(ParseRecordFile(Bytes(63, 1)).records.size(), 0u);
    EXPECT_EQ(ParseRecordFile(Bytes(63, 1)).trailingBytes, 63u);
    EXPECT_TRUE(ParseRecordFile(Bytes{}).records.empty());
}

TEST(RecordFile, MoreThan255RecordsAreAllRead) {
    std::vector<AccountRecordBytes> many;
    for (int i = 0; i < 300; ++i) many.push_back(PatternBytes(static_cast<std::uint8_t>(i)));
    const RecordFileContents contents = ParseRecordFile(Concat(many));
    ASSERT_EQ(contents.records.size(), 300u);
    EXPECT_EQ(contents.records[299], many[299]);
}

TEST(RecordFile, MissingFileAndFolderReadAsNotFound) {
    TempFolder folder;
    EXPECT_FALSE(ReadRecordFile(folder.path() / "DLK_users.dat").found);
    std::filesystem::create_directory(folder.path() / "DLK_users.dat");
    EXPECT_FALSE(ReadRecordFile(folder.path() / "DLK_users.dat").found);
    folder.Write("DLK_modems.dat", Concat({PatternBytes(4)}));
    const RecordFileContents modems = ReadRecordFile(folder.path() / "DLK_modems.dat");
    EXPECT_TRUE(modems.found);
    EXPECT_EQ(modems.records.size(), 1u);
}

TEST(ServerFile, PortIsAtOffsetOneAndMissingBytesCountAsZero) {
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39, 0x30}).port, 12345);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39, 0x30, 0x77}).port, 12345);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39}).port, 0x39);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA}).port, 0);
    const ServerFileContents empty = ParseServerFile(Bytes{});
    EXPECT_TRUE(empty.found);
    EXPECT_EQ(empty.port, 0);
}

TEST(ServerFile, PatchPutsThePortAtOffsetOneAndKeepsEveryOtherByte) {
    EXPECT_EQ(PatchServerFile(Bytes{}, 0x1F90), (Bytes{0x00, 0x90, 0x1F}));  // never at offset 0
    EXPECT_EQ(PatchServerFile(Bytes{0xAA}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F}));
    EXPECT_EQ(PatchServerFile(Bytes{0xAA, 0x39}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F}));
    EXPECT_EQ(PatchServerFile(Bytes{0xAA, 1, 2, 3, 4}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F, 3, 4}));
}

TEST(PendingFileReplace, OldFileStaysUntilCommitAndNoTemporaryIsLeft) {
    TempFolder folder;
    folder.Write("f.dat", Bytes{1, 2, 3});
    ::chmod((folder.path() / "f.dat").c_str(), 0640);
    {
        PendingFileReplace pending;
        ASSERT_TRUE(pending.Prepare(folder.path() / "f.dat", Bytes{9, 8}));
        EXPECT_EQ(folder.Read("f.dat"), (Bytes{1, 2, 3}));
        EXPECT_EQ(folder.Names().size(), 2u);
        ASSERT_TRUE(pending.Commit());
    }
    EXPECT_EQ(folder.Read("f.dat"), (Bytes{9, 8}));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f.dat"});
    struct stat info {};
    ASSERT_EQ(::stat((folder.path() / "f.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(PendingFileReplace, UncommittedOrFailedWritesLeaveNothingBehind) {
    TempFolder folder;
    folder.Write("f.dat", Bytes{1, 2, 3});
    {
        PendingFileReplace pending;
        ASSERT_TRUE(pending.Prepare(folder.path() / "f.dat", Bytes{9}));
    }
    EXPECT_EQ(folder.Read("f.dat"), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f.dat"});

    PendingFileReplace missingFolder;
    EXPECT_FALSE(missingFolder.Prepare(folder.path() / "nowhere" / "f.dat", Bytes{9}));
    EXPECT_FALSE(missingFolder.Commit());
}

TEST(PendingFileReplace, SymbolicLinkIsFollowedAndAFolderIsNeverReplaced) {
    TempFolder folder;
    folder.Write("real.dat", Bytes{1});
    std::filesystem::create_symlink(folder.path() / "real.dat", folder.path() / "link.dat");
    PendingFileReplace pending;
    ASSERT_TRUE(pending.Prepare(folder.path() / "link.dat", Bytes{7, 7}));
    ASSERT_TRUE(pending.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.dat"));
    EXPECT_EQ(folder.Read("real.dat"), (Bytes{7, 7}));

    std::filesystem::create_directory(folder.path() / "dir.dat");
    EXPECT_FALSE(pending.Prepare(folder.path() / "dir.dat", Bytes{1}));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "dir.dat"));
    EXPECT_EQ(folder.Names().size(), 3u);
}

TEST(PendingFileReplace, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes any file";
    TempFolder folder;
    folder.Write("f.dat", Bytes{1, 2, 3});
    ::chmod((folder.path() / "f.dat").c_str(), 0444);
    PendingFileReplace pending;
    EXPECT_FALSE(pending.Prepare(folder.path() / "f.dat", Bytes{9}));
    EXPECT_EQ(folder.Read("f.dat"), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace dlk
