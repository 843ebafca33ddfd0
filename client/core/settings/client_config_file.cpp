#include "client/core/settings/client_config_file.h"

#include <algorithm>

#include "platform/files/file_replace.h"
#include "platform/files/whole_file.h"

namespace dlk::client {
namespace {

constexpr std::uint8_t kMinPingPeriod = 1;
constexpr std::uint8_t kMaxPingPeriod = 60;
// The ports the settings dialog accepts; 0 would bind a random port.
constexpr std::uint16_t kMinPort = 1024;

void PutU16(std::uint8_t* at, unsigned value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

std::uint16_t GetU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// Only the counted characters: what an older, longer text left behind in the
// field (part of an old password, say) never reaches the file.
template <std::size_t N>
void PutShortString(std::uint8_t* at, const ShortString<N>& s) {
    const std::size_t length = s.Length();
    at[0] = static_cast<std::uint8_t>(length);
    std::copy_n(s.bytes.begin() + 1, length, at + 1);
    std::fill(at + 1 + length, at + 1 + N, std::uint8_t{0});
}

template <std::size_t N>
ShortString<N> GetShortString(const std::uint8_t* at) {
    ShortString<N> s;
    std::copy_n(at, s.bytes.size(), s.bytes.begin());
    s.bytes[0] = static_cast<std::uint8_t>(s.Length());
    return s;
}

std::uint8_t Flag(std::uint8_t byte) {
    return byte != 0 ? 1 : 0;
}

// Offsets of the fields in the file.
enum : std::size_t {
    kLeft = 1,
    kTop = 3,
    kWidth = 5,
    kHeight = 7,
    kColumns = 9,
    kLocalPort = 23,
    kClientMode = 25,
    kClientId = 26,
    kClientPassword = 35,
    kServerAddress = 44,
    kServerPort = 48,
    kPingPeriod = 50,
    kNullModemMode = 51,
    kOneModemActive = 52,
};

}  // namespace

ClientConfig DefaultClientConfig(int screenWidth, int screenHeight, int taskbarHeight) {
    ClientConfig config;
    config.Window.Left = screenWidth - config.Window.Width;
    config.Window.Top = screenHeight - config.Window.Height - taskbarHeight;
    return config;
}

std::array<std::uint8_t, kClientConfigSize> EncodeClientConfig(const ClientConfig& config) {
    std::array<std::uint8_t, kClientConfigSize> out{};
    std::uint8_t* b = out.data();
    PutU16(b + kLeft, static_cast<unsigned>(config.Window.Left));
    PutU16(b + kTop, static_cast<unsigned>(config.Window.Top));
    PutU16(b + kWidth, static_cast<unsigned>(config.Window.Width));
    PutU16(b + kHeight, static_cast<unsigned>(config.Window.Height));
    for (std::size_t i = 0; i < kModemListColumns; ++i) PutU16(b + kColumns + 2 * i, config.ColumnWidths[i]);
    const LinkSettings& link = config.Link;
    PutU16(b + kLocalPort, link.LocalPort);
    b[kClientMode] = link.ClientMode;
    PutShortString(b + kClientId, link.ClientId);
    PutShortString(b + kClientPassword, link.ClientPassword);
    std::copy(link.ServerAddress.begin(), link.ServerAddress.end(), b + kServerAddress);
    PutU16(b + kServerPort, link.ServerPort);
    b[kPingPeriod] = link.PingPeriod;
    b[kNullModemMode] = link.NullModemMode;
    b[kOneModemActive] = link.OneModemActive;
    return out;
}

ClientConfig DecodeClientConfig(std::span<const std::uint8_t> bytes, const ClientConfig& defaults) {
    ClientConfig c = defaults;
    const std::uint8_t* b = bytes.data();
    auto has = [&](std::size_t offset, std::size_t size) { return offset + size <= bytes.size(); };

    if (has(kLeft, 2)) c.Window.Left = static_cast<std::int16_t>(GetU16(b + kLeft));
    if (has(kTop, 2)) c.Window.Top = static_cast<std::int16_t>(GetU16(b + kTop));
    // A window of no width or height could never be found again.
    if (has(kWidth, 2) && GetU16(b + kWidth) != 0) c.Window.Width = GetU16(b + kWidth);
    if (has(kHeight, 2) && GetU16(b + kHeight) != 0) c.Window.Height = GetU16(b + kHeight);
    for (std::size_t i = 0; i < kModemListColumns; ++i) {
        if (has(kColumns + 2 * i, 2)) c.ColumnWidths[i] = GetU16(b + kColumns + 2 * i);
    }
    LinkSettings& link = c.Link;
    if (has(kLocalPort, 2) && GetU16(b + kLocalPort) >= kMinPort) link.LocalPort = GetU16(b + kLocalPort);
    if (has(kClientMode, 1)) link.ClientMode = Flag(b[kClientMode]);
    if (has(kClientId, 9)) link.ClientId = GetShortString<8>(b + kClientId);
    if (has(kClientPassword, 9)) link.ClientPassword = GetShortString<8>(b + kClientPassword);
    if (has(kServerAddress, 4)) std::copy_n(b + kServerAddress, 4, link.ServerAddress.begin());
    if (has(kServerPort, 2) && GetU16(b + kServerPort) >= kMinPort) link.ServerPort = GetU16(b + kServerPort);
    if (has(kPingPeriod, 1) && b[kPingPeriod] >= kMinPingPeriod && b[kPingPeriod] <= kMaxPingPeriod) {
        link.PingPeriod = b[kPingPeriod];
    }
    if (has(kNullModemMode, 1)) link.NullModemMode = Flag(b[kNullModemMode]);
    if (has(kOneModemActive, 1)) link.OneModemActive = Flag(b[kOneModemActive]);
    return c;
}

WindowPlacement KeptOnScreen(const WindowPlacement& window, const ScreenArea& screen) {
    if (screen.Width <= 0 || screen.Height <= 0) return window;
    WindowPlacement kept = window;
    kept.Width = std::min(kept.Width, screen.Width);
    kept.Height = std::min(kept.Height, screen.Height);
    kept.Left = std::clamp(kept.Left, screen.Left, screen.Left + screen.Width - kept.Width);
    kept.Top = std::clamp(kept.Top, screen.Top, screen.Top + screen.Height - kept.Height);
    return kept;
}

ClientConfig ReadClientConfig(const std::filesystem::path& path, const ClientConfig& defaults) {
    const auto bytes = ReadWholeFile(path, kClientConfigSize);
    if (!bytes) return defaults;
    return DecodeClientConfig(*bytes, defaults);
}

bool SaveClientConfig(const std::filesystem::path& path, const ClientConfig& config, std::string* error) {
    const auto bytes = EncodeClientConfig(config);
    // The file holds the relay password in plain text: readable by its owner only.
    return WriteFileAtomically(path, bytes, 0600, error);
}

}  // namespace dlk::client
