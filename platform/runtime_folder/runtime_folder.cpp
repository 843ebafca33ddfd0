#include "platform/runtime_folder/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace dlk {
namespace {

// A real folder (not a symbolic link) owned by this user that neither the
// group nor others may write.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::optional<std::filesystem::path> ChooseRuntimeFolder(const char* xdgRuntimeDir,
                                                         const std::filesystem::path& fallbackParent) {
    // Relative values are to be ignored, as the desktop's rules say.
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/' && IsPrivateFolder(xdgRuntimeDir)) {
        return std::filesystem::path(xdgRuntimeDir);
    }
    // Without it (su, cron, a bare console) the folder is ours to make. One
    // made earlier is used again only when it is still private: a folder a
    // stranger made or may write is never trusted.
    const std::filesystem::path own = fallbackParent / ("dlk-" + std::to_string(::geteuid()));
    // Made exactly 0700 whatever the umask, so that we can use it ourselves.
    if (::mkdir(own.c_str(), 0700) == 0) ::chmod(own.c_str(), 0700);
    if (!IsPrivateFolder(own)) return std::nullopt;
    return own;
}

std::optional<std::filesystem::path> UserRuntimeFolder() {
    return ChooseRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp");
}

std::filesystem::path InRuntimeFolder(std::string_view name) {
    if (name.find('/') != std::string_view::npos) return std::filesystem::path(name);
    const auto folder = UserRuntimeFolder();
    if (!folder || name.empty()) return {};
    return *folder / name;
}

}  // namespace dlk
