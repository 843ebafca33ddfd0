#include "client/core/settings/modems_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "client/core/table/seeded_hash.h"
#include "platform/files/file_replace.h"
#include "platform/files/whole_file.h"

namespace dlk::client {
namespace {

// 65535 modems at most fit the table; a longer file is not ours.
constexpr std::size_t kMaxModemsFileSize = kModemRecordSize * 65536;
constexpr std::size_t kSettingsOffset = 8;

std::uint8_t Flag(std::uint8_t byte) {
    return byte != 0 ? 1 : 0;
}

// Offset of imei's whole record, or nothing.
std::optional<std::size_t> FindRecord(std::span<const std::uint8_t> file, const ImeiBcd& imei) {
    const std::size_t whole = file.size() / kModemRecordSize;
    for (std::size_t r = 0; r < whole; ++r) {
        const std::size_t at = r * kModemRecordSize;
        if (std::equal(imei.begin(), imei.end(), file.begin() + static_cast<std::ptrdiff_t>(at))) return at;
    }
    return std::nullopt;
}

}  // namespace

std::array<std::uint8_t, kModemSettingsSize> EncodeModemSettings(const ModemUserSettings& settings) {
    std::array<std::uint8_t, kModemSettingsSize> out{};
    const std::size_t length = settings.Name.Length();
    out[0] = static_cast<std::uint8_t>(length);
    std::copy_n(settings.Name.bytes.begin() + 1, length, out.begin() + 1);
    out[32] = settings.PausedAtStart;
    out[33] = settings.Modbus;
    out[34] = settings.ModbusLo;
    out[35] = settings.ModbusHi;
    return out;
}

ModemUserSettings DecodeModemSettings(std::span<const std::uint8_t, kModemSettingsSize> bytes) {
    ModemUserSettings s;
    std::copy_n(bytes.begin(), s.Name.bytes.size(), s.Name.bytes.begin());
    s.Name.bytes[0] = static_cast<std::uint8_t>(s.Name.Length());
    s.PausedAtStart = Flag(bytes[32]);
    s.Modbus = Flag(bytes[33]);
    s.ModbusLo = bytes[34];
    s.ModbusHi = bytes[35];
    return s;
}

std::optional<ModemUserSettings> FindModemSettings(const std::filesystem::path& path, const ImeiBcd& imei) {
    return FindModemSettings(path, std::span(&imei, 1)).front();
}

std::vector<std::optional<ModemUserSettings>> FindModemSettings(const std::filesystem::path& path,
                                                                std::span<const ImeiBcd> imeis) {
    std::vector<std::optional<ModemUserSettings>> found(imeis.size());
    if (imeis.empty()) return found;
    const auto file = ReadWholeFile(path, kMaxModemsFileSize);
    if (!file) return found;
    // Where each wanted IMEI's first record lies: one walk of the file
    // however many modems are asked about.
    std::unordered_map<std::uint64_t, std::size_t, SeededHash> wanted;
    wanted.reserve(imeis.size());
    constexpr std::size_t kNotFound = ~std::size_t{0};
    for (const ImeiBcd& imei : imeis) wanted.emplace(ImeiKey(imei.data()), kNotFound);
    for (std::size_t at = 0; at + kModemRecordSize <= file->size(); at += kModemRecordSize) {
        const auto slot = wanted.find(ImeiKey(file->data() + at));
        if (slot != wanted.end() && slot->second == kNotFound) slot->second = at;
    }
    for (std::size_t i = 0; i < imeis.size(); ++i) {
        const std::size_t at = wanted[ImeiKey(imeis[i].data())];
        if (at == kNotFound) continue;
        found[i] = DecodeModemSettings(
            std::span<const std::uint8_t, kModemSettingsSize>(file->data() + at + kSettingsOffset, kModemSettingsSize));
    }
    return found;
}

bool StoreModemSettings(const std::filesystem::path& path, const ImeiBcd& imei, const ModemUserSettings& settings,
                        std::string* error) {
    // An unreadable or oversized file is left alone: rewriting it from what
    // could be read would drop the records of other modems.
    int readError = 0;
    auto read = ReadWholeFile(path, kMaxModemsFileSize + 1, &readError);
    if (!read && readError != ENOENT) {
        if (error) *error = std::string("не удаётся прочитать ") + path.string() + ": " + std::strerror(readError);
        return false;
    }
    std::vector<std::uint8_t> file = read ? std::move(*read) : std::vector<std::uint8_t>{};
    if (file.size() > kMaxModemsFileSize) {
        if (error) *error = std::string("слишком большой файл ") + path.string();
        return false;
    }
    file.resize(file.size() / kModemRecordSize * kModemRecordSize);

    std::size_t at = 0;
    if (const auto found = FindRecord(file, imei)) {
        at = *found;
    } else {
        at = file.size();
        file.resize(at + kModemRecordSize, 0);
        std::copy(imei.begin(), imei.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    }
    const auto encoded = EncodeModemSettings(settings);
    std::copy(encoded.begin(), encoded.end(), file.begin() + static_cast<std::ptrdiff_t>(at + kSettingsOffset));
    return WriteFileAtomically(path, file, 0644, error);
}

}  // namespace dlk::client
