#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace dlk {

// The folder for the user's local socket and instance locks: names there
// cannot be taken or read by another user, unlike the abstract socket
// namespace every user shares. $XDG_RUNTIME_DIR when it is private;
// otherwise a folder of our own, dlk-<uid> in /tmp, made 0700. Nothing when
// neither can be had, for instance when another user already holds the
// /tmp name: then the caller runs without the name rather than in a folder
// a stranger controls.
std::optional<std::filesystem::path> UserRuntimeFolder();

// The same choice from the given values, for tests.
std::optional<std::filesystem::path> ChooseRuntimeFolder(const char* xdgRuntimeDir,
                                                         const std::filesystem::path& fallbackParent);

// A bare name ("dlk_pipe") is placed in the runtime folder; a name holding
// a '/' is a path already and stays as it is. Empty when there is no folder.
std::filesystem::path InRuntimeFolder(std::string_view name);

}  // namespace dlk
