#pragma once

#include <cstddef>

namespace dlk::client {

// The most a reader hands to the modems at once; a longer write or message
// from the local program goes on as several blocks.
inline constexpr std::size_t kLocalBlockSize = 8192;

}  // namespace dlk::client
