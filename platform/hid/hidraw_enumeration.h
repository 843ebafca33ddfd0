#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dlk {

// Where the system keeps hidraw devices; tests point these at a temporary
// tree laid out the same way.
struct HidrawPaths {
    std::string SysfsClassDir = "/sys/class/hidraw";  // holds hidrawN/device/uevent
    std::string DevDir = "/dev";                      // holds the hidrawN nodes
};

struct HidrawNode {
    std::string Name;  // "hidraw3"
    std::string Path;  // dev_dir + "/hidraw3", the node to open
    std::uint16_t VendorId = 0;
    std::uint16_t ProductId = 0;
};

struct HidIds {
    std::uint16_t VendorId = 0;
    std::uint16_t ProductId = 0;
};

// The ids of a HID device's uevent text (its "HID_ID=bus:vendor:product"
// line, all hexadecimal); nothing when the line is missing or malformed.
std::optional<HidIds> ParseHidIdFromUevent(std::string_view uevent);

// True for "hidraw" followed by decimal digits only.
bool IsHidrawName(std::string_view name);

// One node by name, read from its sysfs entry; nothing when the entry or its
// ids cannot be read.
std::optional<HidrawNode> ReadHidrawNode(const HidrawPaths& paths, std::string_view name);

// Every hidraw device whose ids can be read, ordered by node number so that
// "the first one found" means the same from one search to the next.
std::vector<HidrawNode> EnumerateHidraw(const HidrawPaths& paths);

}  // namespace dlk
