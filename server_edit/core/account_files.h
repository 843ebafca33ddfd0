#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "server_edit/core/account_records.h"

namespace dlk::server_edit {

inline constexpr char kServerFileName[] = "DLK_server.dat";
inline constexpr char kUsersFileName[] = "DLK_users.dat";
inline constexpr char kModemsFileName[] = "DLK_modems.dat";

// The port lies at offset 1; byte 0 belongs to the relay server.
inline constexpr std::size_t kServerPortOffset = 1;
inline constexpr std::size_t kServerFileSize = 3;

// A whole file as read from disk. Missing: there is no such file (a records
// file then starts empty and a save creates it). Failed: the file is there
// but could not be read whole, so what it holds is unknown and it must never
// be replaced.
enum class ReadOutcome { Read, Missing, Failed };

struct FileBytes {
    ReadOutcome Outcome = ReadOutcome::Missing;
    std::vector<std::uint8_t> Bytes;  // empty unless Read
    std::string Error;                // the system's reason when Failed
};

FileBytes ReadAccountFile(const std::filesystem::path& path);

// Where the files are read from: the disk, or a stand-in that fails on cue.
using FileReader = std::function<FileBytes(const std::filesystem::path&)>;

// A records file's bytes cut into whole 64-byte records. A partial record at
// the end is not a record: its size is reported so the user can be told that
// the next save drops it.
struct RecordFileContents {
    bool Found = false;       // the file was read whole
    bool Unreadable = false;  // the file is there but was not read whole
    std::string Error;        // why, when unreadable
    std::vector<AccountRecordBytes> Records;
    std::size_t TrailingBytes = 0;  // bytes of a partial last record
};

RecordFileContents ParseRecordFile(std::span<const std::uint8_t> bytes);

struct ServerFileContents {
    bool Found = false;
    bool Unreadable = false;
    std::string Error;
    std::uint16_t Port = 0;  // bytes missing from a short file count as 0
};

ServerFileContents ParseServerFile(std::span<const std::uint8_t> bytes);

// The server file as it should be written: the old bytes with the port at
// offset 1, grown to at least 3 bytes (a grown byte 0 is 0).
std::vector<std::uint8_t> PatchServerFile(std::span<const std::uint8_t> old, std::uint16_t port);

// Whole-file reads; a file that is missing or cannot be read whole reads as
// not found, the latter also as unreadable.
RecordFileContents ReadRecordFile(const std::filesystem::path& path, const FileReader& read = ReadAccountFile);
ServerFileContents ReadServerFile(const std::filesystem::path& path, const FileReader& read = ReadAccountFile);

}  // namespace dlk::server_edit
