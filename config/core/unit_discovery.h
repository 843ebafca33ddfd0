#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/hid/hidraw_enumeration.h"

namespace dlk::config {

inline constexpr std::uint16_t kUnitVendorId = 0x03EB;
inline constexpr std::uint16_t kUnitProductId = 0x2018;
inline constexpr std::uint16_t kBootLoaderProductId = 0x2019;

// How a found device is opened: the unit itself, or its boot loader (which
// only takes firmware).
enum class UnitMode { Normal, BootLoader };

std::optional<UnitMode> UnitModeForIds(std::uint16_t vendor_id, std::uint16_t product_id);

struct UnitCandidate {
    HidrawNode Node;
    UnitMode Mode;
};

// Every present unit or boot loader, in the order they are to be tried.
std::vector<UnitCandidate> FindUnitCandidates(const HidrawPaths& paths);

// The node named in an arrival notice, when it is a unit or boot loader.
std::optional<UnitCandidate> UnitCandidateForNode(const HidrawPaths& paths, std::string_view name);

}  // namespace dlk::config
