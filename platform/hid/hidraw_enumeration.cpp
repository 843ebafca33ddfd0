#include "platform/hid/hidraw_enumeration.h"

#include <dirent.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace dlk {
namespace {

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

unsigned long NodeNumber(std::string_view name) {
    unsigned long number = 0;
    const std::string_view digits = name.substr(6);
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

}  // namespace

std::optional<HidIds> ParseHidIdFromUevent(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    std::size_t start = 0;
    while (start < uevent.size()) {
        std::size_t end = uevent.find('\n', start);
        if (end == std::string_view::npos) end = uevent.size();
        const std::string_view line = uevent.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(kKey)) continue;
        // bus:vendor:product, e.g. 0003:000003EB:00002018
        const std::string_view value = line.substr(kKey.size());
        const std::size_t first = value.find(':');
        const std::size_t second = first == std::string_view::npos ? first : value.find(':', first + 1);
        if (second == std::string_view::npos) return std::nullopt;
        const auto bus = ParseHex(value.substr(0, first));
        const auto vendor = ParseHex(value.substr(first + 1, second - first - 1));
        const auto product = ParseHex(value.substr(second + 1));
        if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
        return HidIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
    }
    return std::nullopt;
}

bool IsHidrawName(std::string_view name) {
    constexpr std::string_view kPrefix = "hidraw";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size() || name.size() > kPrefix.size() + 9) return false;
    return std::all_of(name.begin() + kPrefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<HidrawNode> ReadHidrawNode(const HidrawPaths& paths, std::string_view name) {
    if (!IsHidrawName(name)) return std::nullopt;
    const std::string node_name(name);
    std::ifstream file(paths.SysfsClassDir + "/" + node_name + "/device/uevent");
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    const auto ids = ParseHidIdFromUevent(text.str());
    if (!ids) return std::nullopt;
    return HidrawNode{node_name, paths.DevDir + "/" + node_name, ids->VendorId, ids->ProductId};
}

std::vector<HidrawNode> EnumerateHidraw(const HidrawPaths& paths) {
    std::vector<HidrawNode> nodes;
    DIR* dir = ::opendir(paths.SysfsClassDir.c_str());
    if (dir == nullptr) return nodes;
    while (const dirent* entry = ::readdir(dir)) {
        if (auto node = ReadHidrawNode(paths, entry->d_name)) nodes.push_back(std::move(*node));
    }
    ::closedir(dir);
    std::sort(nodes.begin(), nodes.end(),
              [](const HidrawNode& a, const HidrawNode& b) { return NodeNumber(a.Name) < NodeNumber(b.Name); });
    return nodes;
}

}  // namespace dlk
