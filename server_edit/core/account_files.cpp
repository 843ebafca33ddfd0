#include "server_edit/core/account_files.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <system_error>

#include "platform/files/whole_file.h"

namespace dlk::server_edit {

RecordFileContents ParseRecordFile(std::span<const std::uint8_t> bytes) {
    RecordFileContents contents;
    contents.Found = true;
    const std::size_t whole = bytes.size() / kAccountRecordSize;
    contents.Records.resize(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        std::copy_n(bytes.begin() + i * kAccountRecordSize, kAccountRecordSize, contents.Records[i].begin());
    }
    contents.TrailingBytes = bytes.size() % kAccountRecordSize;
    return contents;
}

ServerFileContents ParseServerFile(std::span<const std::uint8_t> bytes) {
    ServerFileContents contents;
    contents.Found = true;
    if (bytes.size() > kServerPortOffset) contents.Port = bytes[kServerPortOffset];
    if (bytes.size() > kServerPortOffset + 1) {
        contents.Port = static_cast<std::uint16_t>(contents.Port | (bytes[kServerPortOffset + 1] << 8));
    }
    return contents;
}

std::vector<std::uint8_t> PatchServerFile(std::span<const std::uint8_t> old, std::uint16_t port) {
    std::vector<std::uint8_t> bytes(old.begin(), old.end());
    if (bytes.size() < kServerFileSize) bytes.resize(kServerFileSize, 0);
    bytes[kServerPortOffset] = static_cast<std::uint8_t>(port & 0xFF);
    bytes[kServerPortOffset + 1] = static_cast<std::uint8_t>(port >> 8);
    return bytes;
}

FileBytes ReadAccountFile(const std::filesystem::path& path) {
    FileBytes file;
    int error = 0;
    auto bytes = ReadWholeFile(path, std::numeric_limits<std::size_t>::max(), &error);
    if (!bytes) {
        if (error != ENOENT) {
            file.Outcome = ReadOutcome::Failed;
            file.Error = std::generic_category().message(error);
        }
        return file;
    }
    file.Outcome = ReadOutcome::Read;
    file.Bytes = std::move(*bytes);
    return file;
}

RecordFileContents ReadRecordFile(const std::filesystem::path& path, const FileReader& read) {
    const FileBytes file = read(path);
    if (file.Outcome == ReadOutcome::Read) return ParseRecordFile(file.Bytes);
    RecordFileContents contents;
    contents.Unreadable = file.Outcome == ReadOutcome::Failed;
    contents.Error = file.Error;
    return contents;
}

ServerFileContents ReadServerFile(const std::filesystem::path& path, const FileReader& read) {
    const FileBytes file = read(path);
    if (file.Outcome == ReadOutcome::Read) return ParseServerFile(file.Bytes);
    ServerFileContents contents;
    contents.Unreadable = file.Outcome == ReadOutcome::Failed;
    contents.Error = file.Error;
    return contents;
}

}  // namespace dlk::server_edit
