#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "client/core/list/list_frame.h"
#include "client/core/settings/client_config_file.h"
#include "drawing/dib_surface.h"

namespace dlk::client {

inline constexpr TColor kSelectedRowColor = 0x800000;  // navy
inline constexpr TColor kSeparatorColor = 0xBBBBBB;
inline constexpr TColor kSelectedOfflineText = 0xC0C0C0;
inline constexpr TColor kOfflineText = 0xA0A0A0;
inline constexpr std::uint32_t kDottedLine = 0xAAAAAAAA;
inline constexpr int kRowContentLeft = 18;

// The list's font: "MS Sans Serif" 8 point, as the window's, drawn smoothed.
TFont ModemListFont();

// Paints frame on a new 24-bit surface of the frame's size: white ground,
// each row with its state picture, texts in the columns given by the header
// section widths, signal and battery pictures and a dotted separator.
std::unique_ptr<TDibSurface> RenderModemList(const ListFrame& frame,
                                             const std::array<int, kModemListColumns>& sectionWidths);

}  // namespace dlk::client
