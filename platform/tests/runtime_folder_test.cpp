#include "platform/runtime_folder/runtime_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/testing/temp_folder.h"

namespace dlk {
namespace {

using testing::TempFolder;

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(RuntimeFolder, APrivateXdgFolderIsUsedAndAnythingElseFallsBackToOurOwn) {
    const bool root = ::geteuid() == 0;
    struct Case {
        const char* what;
        bool needsRoot;
        void (*arrange)(const std::filesystem::path& xdg);
        bool xdgUsed;
    };
    const Case cases[] = {
        {"private", false, [](const auto&) {}, true},
        {"group-writable", false, [](const auto& xdg) { ::chmod(xdg.c_str(), 0770); }, false},
        {"other-writable", false, [](const auto& xdg) { ::chmod(xdg.c_str(), 0707); }, false},
        {"a stranger's", true, [](const auto& xdg) { (void)!::chown(xdg.c_str(), 65534, 65534); }, false},
        {"missing", false, [](const auto& xdg) { std::filesystem::remove(xdg); }, false},
        {"a link to a private folder", false,
         [](const auto& xdg) {
             std::filesystem::rename(xdg, xdg.string() + ".real");
             std::filesystem::create_directory_symlink(xdg.string() + ".real", xdg);
         },
         false},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && !root) continue;
        TempFolder temp;
        const auto xdg = temp / "xdg";
        std::filesystem::create_directory(xdg);
        ::chmod(xdg.c_str(), 0700);
        c.arrange(xdg);
        const auto own = temp / ("dlk-" + std::to_string(::geteuid()));
        const auto chosen = ChooseRuntimeFolder(xdg.c_str(), temp.path());
        EXPECT_EQ(chosen, c.xdgUsed ? xdg : own) << c.what;
        if (!c.xdgUsed) {
            EXPECT_EQ(ModeOf(own), 0700u) << c.what;
        }
    }

    TempFolder temp;
    const auto own = temp / ("dlk-" + std::to_string(::geteuid()));
    EXPECT_EQ(ChooseRuntimeFolder(nullptr, temp.path()), own);
    EXPECT_EQ(ChooseRuntimeFolder("relative/xdg", temp.path()), own);
}

TEST(RuntimeFolder, OurOwnFolderIsRefusedWhenAStrangerCouldHaveMadeOrChangedIt) {
    struct Case {
        const char* what;
        bool needsRoot;
        void (*arrange)(const std::filesystem::path& own);
    };
    const Case cases[] = {
        {"writable by others", false,
         [](const auto& own) {
             std::filesystem::create_directory(own);
             ::chmod(own.c_str(), 0777);
         }},
        {"a stranger's", true,
         [](const auto& own) {
             std::filesystem::create_directory(own);
             (void)!::chown(own.c_str(), 65534, 65534);
         }},
        {"a link", false,
         [](const auto& own) {
             std::filesystem::create_directory(own.string() + ".real");
             ::chmod((own.string() + ".real").c_str(), 0700);
             std::filesystem::create_directory_symlink(own.string() + ".real", own);
         }},
        {"a file", false, [](const auto& own) { std::ofstream(own) << 'x'; }},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && ::geteuid() != 0) continue;
        TempFolder temp;
        const auto own = temp / ("dlk-" + std::to_string(::geteuid()));
        c.arrange(own);
        EXPECT_EQ(ChooseRuntimeFolder(nullptr, temp.path()), std::nullopt) << c.what;
    }
}

TEST(RuntimeFolder, BareNamesGoIntoTheFolderAndPathsStayAsTheyAre) {
    const auto folder = UserRuntimeFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(InRuntimeFolder("dlk_pipe"), *folder / "dlk_pipe");
    EXPECT_EQ(InRuntimeFolder("/tmp/x/dlk_pipe"), "/tmp/x/dlk_pipe");
    EXPECT_EQ(InRuntimeFolder("./dlk_pipe"), "./dlk_pipe");
    EXPECT_EQ(InRuntimeFolder(""), "");
}

}  // namespace
}  // namespace dlk
