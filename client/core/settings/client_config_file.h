#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "client/core/link_settings.h"

namespace dlk::client {

inline constexpr const char* kClientConfigFileName = "DLK_client_config.dat";
inline constexpr std::size_t kClientConfigSize = 53;
inline constexpr std::size_t kModemListColumns = 7;
inline constexpr std::array<std::uint16_t, kModemListColumns> kDefaultColumnWidths = {150, 120, 60, 60, 60, 60, 120};
inline constexpr int kDefaultWindowWidth = 704;
inline constexpr int kDefaultWindowHeight = 229;

// The main window's outer rectangle. The file keeps 16 bits of each value;
// left and top are read back signed, so a window that stood beyond the left
// or top screen edge comes back near it instead of 65000 pixels away (and
// KeptOnScreen then brings it wholly onto the screen).
struct WindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = kDefaultWindowWidth;
    int Height = kDefaultWindowHeight;
    bool operator==(const WindowPlacement&) const = default;
};

// The part of the desktop a window may take.
struct ScreenArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The window moved and shrunk as little as it takes to lie wholly on the
// screen, so a damaged or stale placement (another monitor, a 65535 x 65535
// window) never leaves it out of reach. An empty area changes nothing.
WindowPlacement KeptOnScreen(const WindowPlacement& window, const ScreenArea& screen);

// Everything DLK_client_config.dat holds.
struct ClientConfig {
    WindowPlacement Window;
    std::array<std::uint16_t, kModemListColumns> ColumnWidths = kDefaultColumnWidths;
    LinkSettings Link;
};

// A first start: the window in the bottom right corner, above the taskbar.
ClientConfig DefaultClientConfig(int screenWidth, int screenHeight, int taskbarHeight);

std::array<std::uint8_t, kClientConfigSize> EncodeClientConfig(const ClientConfig& config);

// Fields wholly inside bytes replace those of defaults; the rest keep the
// defaults. Length bytes are clamped to their fields, flags become 0 or 1,
// and a ping period, port or window size the program could not have saved
// is replaced by the default, so a damaged file yields usable settings.
ClientConfig DecodeClientConfig(std::span<const std::uint8_t> bytes, const ClientConfig& defaults);

// defaults when the file is missing or unreadable (no message, as on a first start).
ClientConfig ReadClientConfig(const std::filesystem::path& path, const ClientConfig& defaults);

// Replaces the file whole or leaves the old one; on failure error holds the
// text to show the user.
bool SaveClientConfig(const std::filesystem::path& path, const ClientConfig& config, std::string* error);

}  // namespace dlk::client
