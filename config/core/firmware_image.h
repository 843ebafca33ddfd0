#pragma once

#include <filesystem>

#include "config/core/reports.h"

namespace dlk::config {

// Reads a controller image into `image`: the file's first 32768 bytes, the
// rest of the buffer zero, so a short file never carries bytes of an image
// read earlier. False, with the buffer untouched, when the file cannot be read.
bool LoadFirmwareImage(const std::filesystem::path& path, FirmwareBytes& image);

}  // namespace dlk::config
