#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "config/core/schedule_table.h"

namespace dlk::config {

// A weekly schedule on disk (`GrfFile`, *.grf): a byte nobody reads, the
// point count, then all 128 records of four bytes (minute u16 little-endian,
// on flag, highlighted flag) as the table holds them, the minutes of the
// points in use taken into the week.
inline constexpr std::size_t kGrfFileSize = 2 + 4 * kScheduleRecords;

std::array<std::uint8_t, kGrfFileSize> EncodeGrfFile(const ScheduleTable& table);

// Takes a file's bytes into the table: the count is cut to 127 and to the
// records the file holds whole, and only those records are taken; bytes past
// 514 are ignored. A record in use with a minute outside the week or an on
// flag other than 0 or 1 refuses the file: false, and the table is untouched.
bool DecodeGrfFile(std::span<const std::uint8_t> bytes, ScheduleTable& table);

// The name a schedule is saved under: the chosen one with its extension
// replaced by ".grf".
std::filesystem::path GrfFileName(const std::filesystem::path& chosen);

// False when the file cannot be read or is refused; the table is then untouched.
bool ReadGrfFile(const std::filesystem::path& path, ScheduleTable& table);
// Replaces the file at `path` as it is given (GrfFileName makes the name)
// only once all its bytes are safely written; false when that fails.
bool WriteGrfFile(const std::filesystem::path& path, const ScheduleTable& table);

}  // namespace dlk::config
