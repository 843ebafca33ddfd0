#include "config/core/unit_discovery.h"

namespace dlk::config {

std::optional<UnitMode> UnitModeForIds(std::uint16_t vendor_id, std::uint16_t product_id) {
    if (vendor_id != kUnitVendorId) return std::nullopt;
    if (product_id == kUnitProductId) return UnitMode::Normal;
    if (product_id == kBootLoaderProductId) return UnitMode::BootLoader;
    return std::nullopt;
}

std::vector<UnitCandidate> FindUnitCandidates(const HidrawPaths& paths) {
    std::vector<UnitCandidate> candidates;
    for (HidrawNode& node : EnumerateHidraw(paths)) {
        if (const auto mode = UnitModeForIds(node.VendorId, node.ProductId))
            candidates.push_back({std::move(node), *mode});
    }
    return candidates;
}

std::optional<UnitCandidate> UnitCandidateForNode(const HidrawPaths& paths, std::string_view name) {
    auto node = ReadHidrawNode(paths, name);
    if (!node) return std::nullopt;
    const auto mode = UnitModeForIds(node->VendorId, node->ProductId);
    if (!mode) return std::nullopt;
    return UnitCandidate{std::move(*node), *mode};
}

}  // namespace dlk::config
