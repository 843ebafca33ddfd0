#pragma once

#include "core/account_book.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace dlk {

// What the load noticed and the user should hear of: a partial record at the
// end of a records file, which the next save drops.
struct LoadNotice {
    std::string fileName;
    std::size_t trailingBytes = 0;
};

struct LoadedAccounts {
    AccountBook book;
    std::vector<LoadNotice> notices;
};

// Reads the three files from the folder. A missing or unreadable records file
// gives an empty table; a missing server file leaves the port uneditable.
LoadedAccounts LoadAccounts(const std::filesystem::path& folder);

// Which files could not be saved; empty when all were.
struct SaveResult {
    std::vector<std::string> failedFiles;
    bool Ok() const { return failedFiles.empty(); }
};

// Writes the live records of both tables and, when the server file was found
// at start, the port into it. Every file is first written beside its old one;
// only when all are written are they renamed into place, so a failure leaves
// the old files as they were and the caller can keep the edits and retry.
SaveResult SaveAccounts(const AccountBook& book, const std::filesystem::path& folder);

// The bytes a records file gets: the live slots, in slot order.
std::vector<std::uint8_t> ClientFileBytes(const AccountBook& book);
std::vector<std::uint8_t> ModemFileBytes(const AccountBook& book);

}  // namespace dlk
