#include "platform/files/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/files/whole_file.h"
#include "platform/testing/fifo_in_place.h"
#include "platform/testing/temp_folder.h"

namespace dlk {
namespace {

using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

TEST(WholeFile, ReadsUpToTheLimitAndTellsAMissingFileFromAFolder) {
    TempFolder folder;
    folder.Write("f.dat", Bytes{1, 2, 3, 4});
    EXPECT_EQ(ReadWholeFile(folder.path() / "f.dat", 100), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(ReadWholeFile(folder.path() / "f.dat", 2), (Bytes{1, 2}));

    int error = 0;
    EXPECT_FALSE(ReadWholeFile(folder.path() / "none.dat", 100, &error));
    EXPECT_EQ(error, ENOENT);
    std::filesystem::create_directory(folder.path() / "dir.dat");
    EXPECT_FALSE(ReadWholeFile(folder.path() / "dir.dat", 100, &error));
    EXPECT_EQ(error, EISDIR);
}

TEST(WholeFile, SpecialFilesAreRefusedWithoutWaiting) {
    TempFolder folder;
    testing::FifoInPlace fifo(folder.path() / "fifo.dat");
    const std::filesystem::path specials[] = {folder.path() / "fifo.dat", "/dev/zero", "/dev/null"};
    for (const auto& path : specials) {
        int error = 0;
        EXPECT_FALSE(ReadWholeFile(path, 100, &error)) << path;
        EXPECT_EQ(error, EINVAL) << path;
    }
    EXPECT_FALSE(fifo.ReaderWasStuck());
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

TEST(PendingFileReplace, WriteFileAtomicallyGivesANewFileItsModeAndSaysWhyItFailed) {
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder.path() / "new.dat", Bytes{5}, 0600, &error));
    struct stat info {};
    ASSERT_EQ(::stat((folder.path() / "new.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    std::filesystem::create_directory(folder.path() / "dir.dat");
    EXPECT_FALSE(WriteFileAtomically(folder.path() / "dir.dat", Bytes{5}, 0600, &error));
    EXPECT_NE(error.find("dir.dat"), std::string::npos);
}

TEST(PendingFileReplace, ALinkToAMissingFileMakesThatFileAndStays) {
    // f.dat -> target; each case's bytes end up in the named file.
    const std::pair<std::string, std::string> cases[] = {
        {"real.dat", "real.dat"}, {"sub/real.dat", "sub/real.dat"}, {"middle.dat", "real.dat"}};
    for (const auto& [target, written] : cases) {
        TempFolder folder;
        std::filesystem::create_directory(folder / "sub");
        std::filesystem::create_symlink("sub/../real.dat", folder / "middle.dat");  // a chain
        std::filesystem::create_symlink(target, folder / "f.dat");
        ASSERT_TRUE(WriteFileAtomically(folder / "f.dat", Bytes{4, 2}, 0600, nullptr)) << target;
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "f.dat")) << target;
        EXPECT_EQ(folder.Read(written), (Bytes{4, 2})) << target;
        EXPECT_EQ(std::filesystem::status(folder / written).permissions(), std::filesystem::perms(0600)) << target;
    }
}

TEST(PendingFileReplace, WhatStandsInAFilesPlaceIsNamedForWhatItIs) {
    TempFolder folder;
    testing::FifoInPlace fifo(folder / "fifo.dat");
    std::filesystem::create_directory(folder / "dir.dat");
    std::filesystem::create_symlink("loop.dat", folder / "loop.dat");
    const std::string notAFile = "не обычный файл: ";
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {"/dev/zero", notAFile + "/dev/zero"},
        {folder / "fifo.dat", notAFile + (folder / "fifo.dat").string()},
        {folder / "dir.dat", notAFile + (folder / "dir.dat").string() + ": " + std::strerror(EISDIR)},
        {folder / "loop.dat", "не удаётся найти " + (folder / "loop.dat").string() + ": " + std::strerror(ELOOP)},
    };
    for (const auto& [path, message] : cases) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, Bytes{1}, 0600, &error)) << path;
        EXPECT_EQ(error, message);
    }
    EXPECT_FALSE(fifo.ReaderWasStuck());
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"dir.dat", "fifo.dat", "loop.dat"}));
}

TEST(PendingFileReplace, NamesAtTheLengthLimitAreSavedAndReplaced) {
    TempFolder folder;
    for (const std::size_t length : {248u, 249u, 252u, 255u}) {
        const std::string name(length, 'n');
        ASSERT_TRUE(WriteFileAtomically(folder / name, Bytes{1}, 0600, nullptr)) << length;
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(folder / name, Bytes{2, 3}, 0600, &error)) << length << ": " << error;
        EXPECT_EQ(folder.Read(name), (Bytes{2, 3})) << length;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{name}) << length;
        std::filesystem::remove(folder / name);
    }
}

}  // namespace
}  // namespace dlk
