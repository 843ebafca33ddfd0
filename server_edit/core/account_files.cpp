#include "core/account_files.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dlk {

RecordFileContents ParseRecordFile(std::span<const std::uint8_t> bytes) {
    RecordFileContents contents;
    contents.found = true;
    const std::size_t whole = bytes.size() / kAccountRecordSize;
    contents.records.resize(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        std::copy_n(bytes.begin() + i * kAccountRecordSize, kAccountRecordSize, contents.records[i].begin());
    }
    contents.trailingBytes = bytes.size() % kAccountRecordSize;
    return contents;
}

ServerFileContents ParseServerFile(std::span<const std::uint8_t> bytes) {
    ServerFileContents contents;
    contents.found = true;
    if (bytes.size() > kServerPortOffset) contents.port = bytes[kServerPortOffset];
    if (bytes.size() > kServerPortOffset + 1) {
        contents.port = static_cast<std::uint16_t>(contents.port | (bytes[kServerPortOffset + 1] << 8));
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

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::uint8_t block[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        out.insert(out.end(), block, block + n);
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

RecordFileContents ReadRecordFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return {};
    return ParseRecordFile(bytes);
}

ServerFileContents ReadServerFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return {};
    return ParseServerFile(bytes);
}

}  // namespace dlk
