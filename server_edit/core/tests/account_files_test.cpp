#include "server_edit/core/account_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::TempFolder;
using testing::Concat;
using testing::PatternBytes;
using Bytes = std::vector<std::uint8_t>;

TEST(RecordFile, WholeRecordsAreReadAndAPartialOneIsReportedNotRead) {
    Bytes bytes = Concat({PatternBytes(1), PatternBytes(2)});
    bytes.push_back(0xEE);
    bytes.push_back(0xFF);  // 130 bytes
    const RecordFileContents contents = ParseRecordFile(bytes);
    ASSERT_EQ(contents.Records.size(), 2u);
    EXPECT_EQ(contents.Records[0], PatternBytes(1));
    EXPECT_EQ(contents.Records[1], PatternBytes(2));
    EXPECT_EQ(contents.TrailingBytes, 2u);

    EXPECT_EQ(ParseRecordFile(Bytes(63, 1)).Records.size(), 0u);
    EXPECT_EQ(ParseRecordFile(Bytes(63, 1)).TrailingBytes, 63u);
    EXPECT_TRUE(ParseRecordFile(Bytes{}).Records.empty());
}

TEST(RecordFile, MoreThan255RecordsAreAllRead) {
    std::vector<AccountRecordBytes> many;
    for (int i = 0; i < 300; ++i) many.push_back(PatternBytes(static_cast<std::uint8_t>(i)));
    const RecordFileContents contents = ParseRecordFile(Concat(many));
    ASSERT_EQ(contents.Records.size(), 300u);
    EXPECT_EQ(contents.Records[299], many[299]);
}

TEST(RecordFile, MissingFileAndFolderReadAsNotFound) {
    TempFolder folder;
    EXPECT_FALSE(ReadRecordFile(folder.path() / "DLK_users.dat").Found);
    std::filesystem::create_directory(folder.path() / "DLK_users.dat");
    EXPECT_FALSE(ReadRecordFile(folder.path() / "DLK_users.dat").Found);
    folder.Write("DLK_modems.dat", Concat({PatternBytes(4)}));
    const RecordFileContents modems = ReadRecordFile(folder.path() / "DLK_modems.dat");
    EXPECT_TRUE(modems.Found);
    EXPECT_EQ(modems.Records.size(), 1u);
}

TEST(ServerFile, PortIsAtOffsetOneAndMissingBytesCountAsZero) {
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39, 0x30}).Port, 12345);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39, 0x30, 0x77}).Port, 12345);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA, 0x39}).Port, 0x39);
    EXPECT_EQ(ParseServerFile(Bytes{0xAA}).Port, 0);
    const ServerFileContents empty = ParseServerFile(Bytes{});
    EXPECT_TRUE(empty.Found);
    EXPECT_EQ(empty.Port, 0);
}

TEST(ServerFile, PatchPutsThePortAtOffsetOneAndKeepsEveryOtherByte) {
    EXPECT_EQ(PatchServerFile(Bytes{}, 0x1F90), (Bytes{0x00, 0x90, 0x1F}));  // never at offset 0
    EXPECT_EQ(PatchServerFile(Bytes{0xAA}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F}));
    EXPECT_EQ(PatchServerFile(Bytes{0xAA, 0x39}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F}));
    EXPECT_EQ(PatchServerFile(Bytes{0xAA, 1, 2, 3, 4}, 0x1F90), (Bytes{0xAA, 0x90, 0x1F, 3, 4}));
}

}  // namespace
}  // namespace dlk::server_edit
