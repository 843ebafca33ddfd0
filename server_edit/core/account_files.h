#pragma once

#include "core/account_records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace dlk {

inline constexpr char kServerFileName[] = "DLK_server.dat";
inline constexpr char kUsersFileName[] = "DLK_users.dat";
inline constexpr char kModemsFileName[] = "DLK_modems.dat";

// The port lies at offset 1; byte 0 belongs to the relay server.
inline constexpr std::size_t kServerPortOffset = 1;
inline constexpr std::size_t kServerFileSize = 3;

// A records file's bytes cut into whole 64-byte records. A partial record at
// the end is not a record: its size is reported so the user can be told that
// the next save drops it.
struct RecordFileContents {
    bool found = false;                // the file could be opened and read
    std::vector<AccountRecordBytes> records;
    std::size_t trailingBytes = 0;     // bytes of a partial last record
};

RecordFileContents ParseRecordFile(std::span<const std::uint8_t> bytes);

struct ServerFileContents {
    bool found = false;
    std::uint16_t port = 0;  // bytes missing from a short file count as 0
};

ServerFileContents ParseServerFile(std::span<const std::uint8_t> bytes);

// The server file as it should be written: the old bytes with the port at
// offset 1, grown to at least 3 bytes (a grown byte 0 is 0).
std::vector<std::uint8_t> PatchServerFile(std::span<const std::uint8_t> old, std::uint16_t port);

// Whole-file reads; a missing or unreadable file reads as not found.
RecordFileContents ReadRecordFile(const std::filesystem::path& path);
ServerFileContents ReadServerFile(const std::filesystem::path& path);

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

}  // namespace dlk
