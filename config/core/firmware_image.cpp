#include "config/core/firmware_image.h"

#include <algorithm>

#include "platform/files/whole_file.h"

namespace dlk::config {

bool LoadFirmwareImage(const std::filesystem::path& path, FirmwareBytes& image) {
    const auto bytes = ReadWholeFile(path, kFirmwareImageSize);
    if (!bytes) return false;
    image.fill(0);
    std::copy_n(bytes->begin(), std::min(bytes->size(), image.size()), image.begin());
    return true;
}

}  // namespace dlk::config
