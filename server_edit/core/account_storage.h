#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "server_edit/core/account_book.h"
#include "server_edit/core/account_files.h"

namespace dlk::server_edit {

// What the load noticed and the user should hear of: a partial record at the
// end of a records file, which the next save drops, or a file that is there
// but could not be read whole.
struct LoadNotice {
    std::string FileName;
    std::size_t TrailingBytes = 0;
    bool Unreadable = false;
    std::string Error;  // why, when unreadable
};

struct LoadedAccounts {
    AccountBook Book;
    std::vector<LoadNotice> Notices;
    // Files that are there but were not read whole: their tables start empty
    // and the files must not be replaced.
    std::vector<std::string> UnreadFiles;
};

// Reads the three files from the folder. A missing records file gives an empty
// table; a missing or unreadable server file leaves the port uneditable.
LoadedAccounts LoadAccounts(const std::filesystem::path& folder, const FileReader& read = ReadAccountFile);

// Which files could not be saved (failed), which were not written because
// they were not read whole at start (refused), which were there at start
// but are gone (lost: only the server file, which is never created), and
// which were replaced (written); Ok when nothing failed.
struct SaveResult {
    std::vector<std::string> FailedFiles;
    std::vector<std::string> RefusedFiles;
    std::vector<std::string> LostFiles;
    std::vector<std::string> WrittenFiles;
    bool Ok() const { return FailedFiles.empty(); }
};

// Writes the live records of both tables and, when the server file was found
// at start, the port into it; the unread files are left as they are. Every
// file is first written beside its old one; only when all are written are they
// renamed into place, so a failure leaves the old files as they were and the
// caller can keep the edits and retry; only a rename that fails after others
// were made leaves some files written. A lost server file is no such failure:
// no retry could bring it back, so the others are saved without it.
SaveResult SaveAccounts(const AccountBook& book, const std::filesystem::path& folder,
                        const std::vector<std::string>& unreadFiles = {});

// The bytes a records file gets: the live slots, in slot order.
std::vector<std::uint8_t> ClientFileBytes(const AccountBook& book);
std::vector<std::uint8_t> ModemFileBytes(const AccountBook& book);

}  // namespace dlk::server_edit
