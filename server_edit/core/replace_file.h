#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace dlk {

// Replaces a file without ever leaving it half written: the new bytes go to a
// temporary file beside it, every write is checked and flushed to disk, and
// only then is the temporary renamed over the old file. A file that is never
// committed leaves nothing behind.
class PendingFileReplace {
   public:
    PendingFileReplace() = default;
    PendingFileReplace(const PendingFileReplace&) = delete;
    PendingFileReplace& operator=(const PendingFileReplace&) = delete;
    ~PendingFileReplace() { Discard(); }

    // Writes the temporary file; false (with nothing left behind) on failure.
    // The new file takes the old one's permissions when there is an old one.
    bool Prepare(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

    // Renames the prepared file over the target; false when that fails.
    bool Commit();

    void Discard();

   private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

}  // namespace dlk
