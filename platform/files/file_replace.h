#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace dlk {

// Replaces a file without ever leaving it half written: the new bytes go to a
// temporary file beside it, every write is checked and flushed to disk, and
// only then is the temporary renamed over the old file. A file that is never
// committed leaves nothing behind. Several files can be prepared first and
// committed together, so a failure in any leaves all of them as they were.
class PendingFileReplace {
public:
    PendingFileReplace() = default;
    PendingFileReplace(const PendingFileReplace&) = delete;
    PendingFileReplace& operator=(const PendingFileReplace&) = delete;
    ~PendingFileReplace() { Discard(); }

    // Writes the temporary file; false (with nothing left behind, and the
    // cause in *error) on failure. A symbolic link is followed, so the file
    // it names is replaced (or made, when it is missing) and the link
    // stays. Something other than a file, or a file the user may not write,
    // is never replaced. The new file keeps the old one's permissions, or
    // gets newMode when there is none.
    bool Prepare(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, mode_t newMode = 0644,
                 std::string* error = nullptr);

    // Renames the prepared file over the target; false when that fails.
    bool Commit(std::string* error = nullptr);

    void Discard();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

// One file prepared and committed at once.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, mode_t newMode,
                         std::string* error);

}  // namespace dlk
