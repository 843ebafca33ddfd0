#include "platform/runtime_folder/runtime_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/temp_folder.h"

namespace dlk {
namespace {

namespace fs = std::filesystem;

// A private $XDG_RUNTIME_DIR is used; anything else falls back to a folder
// of our own, and that one only while it is private too.
TEST(RuntimeFolder, OnlyAFolderNoOtherUserCouldHaveMadeOrChangedIsUsed) {
    struct Case {
        const char* what;
        void (*spoil)(const fs::path& folder);  // applied to $XDG_RUNTIME_DIR, then to our own
        bool rootOnly;
    };
    const Case cases[] = {
        {"private", [](const fs::path&) {}, false},
        {"group-writable", [](const fs::path& f) { fs::permissions(f, fs::perms::group_write, fs::perm_options::add); },
         false},
        {"a stranger's", [](const fs::path& f) { (void)!::chown(f.c_str(), 65534, 65534); }, true},
        {"a link",
         [](const fs::path& f) {
             fs::rename(f, f.string() + ".real"), fs::create_directory_symlink(f.string() + ".real", f);
         },
         false},
        {"a file", [](const fs::path& f) { fs::remove(f), void(std::ofstream(f) << 'x'); }, false},
    };
    for (const Case& c : cases) {
        if (c.rootOnly && ::geteuid() != 0) continue;
        testing::TempFolder temp;
        const fs::path xdg = temp / "xdg", own = temp / ("dlk-" + std::to_string(::geteuid()));
        fs::create_directory(xdg);
        fs::permissions(xdg, fs::perms::owner_all);
        c.spoil(xdg);
        const bool usable = std::string(c.what) == "private";
        EXPECT_EQ(ChooseRuntimeFolder(xdg.c_str(), temp.path()), usable ? xdg : own) << c.what;
        EXPECT_TRUE(usable || fs::status(own).permissions() == fs::perms::owner_all) << c.what;
        fs::remove(own);
        fs::create_directory(own);
        fs::permissions(own, fs::perms::owner_all);
        c.spoil(own);
        EXPECT_EQ(ChooseRuntimeFolder(nullptr, temp.path()), usable ? std::optional(own) : std::nullopt) << c.what;
    }
    testing::TempFolder temp;
    EXPECT_EQ(ChooseRuntimeFolder("relative", temp.path()), temp / ("dlk-" + std::to_string(::geteuid())));
    EXPECT_EQ(InRuntimeFolder("dlk_pipe"), *UserRuntimeFolder() / "dlk_pipe");
    EXPECT_EQ(InRuntimeFolder("./dlk_pipe"), "./dlk_pipe");
}

}  // namespace
}  // namespace dlk
