#include "config/core/grf_file.h"

#include <algorithm>

#include "platform/files/file_replace.h"
#include "platform/files/whole_file.h"

namespace dlk::config {
namespace {

constexpr std::size_t kRecordSize = 4;

}  // namespace

std::array<std::uint8_t, kGrfFileSize> EncodeGrfFile(const ScheduleTable& table) {
    std::array<std::uint8_t, kGrfFileSize> bytes{};
    bytes[1] = table.PointCount & kMaxSchedulePoints;
    for (std::size_t k = 0; k < kScheduleRecords; ++k) {
        const SchedulePoint& point = table.Points[k];
        std::uint8_t* record = bytes.data() + 2 + kRecordSize * k;
        // A unit may hold minutes past the week's end; a point in use is
        // kept as the chart names it, so that the file opens again.
        const std::uint16_t minute = k < bytes[1] ? static_cast<std::uint16_t>(WeekMinute(point.Minute)) : point.Minute;
        record[0] = static_cast<std::uint8_t>(minute & 0xFF);
        record[1] = static_cast<std::uint8_t>(minute >> 8);
        record[2] = point.On;
        record[3] = point.Highlighted;
    }
    return bytes;
}

bool DecodeGrfFile(std::span<const std::uint8_t> bytes, ScheduleTable& table) {
    bytes = bytes.first(std::min(bytes.size(), kGrfFileSize));
    const std::size_t whole_records = bytes.size() < 2 ? 0 : (bytes.size() - 2) / kRecordSize;
    const std::size_t stated = bytes.size() < 2 ? 0 : bytes[1];
    const std::size_t count = std::min({stated, std::size_t{kMaxSchedulePoints}, whole_records});

    std::array<SchedulePoint, kScheduleRecords> points = table.Points;
    for (std::size_t k = 0; k < whole_records; ++k) {
        const std::uint8_t* record = bytes.data() + 2 + kRecordSize * k;
        points[k] = {static_cast<std::uint16_t>(record[0] | (record[1] << 8)), record[2], record[3]};
        if (k < count && (points[k].Minute >= kMinutesPerWeek || points[k].On > 1)) return false;
    }
    table.Points = points;
    table.PointCount = static_cast<std::uint8_t>(count);
    table.Highlighted = false;
    return true;
}

std::filesystem::path GrfFileName(const std::filesystem::path& chosen) {
    std::filesystem::path name = chosen;
    name.replace_extension(".grf");
    return name;
}

bool ReadGrfFile(const std::filesystem::path& path, ScheduleTable& table) {
    const auto bytes = ReadWholeFile(path, kGrfFileSize);
    return bytes && DecodeGrfFile(*bytes, table);
}

bool WriteGrfFile(const std::filesystem::path& path, const ScheduleTable& table) {
    const auto bytes = EncodeGrfFile(table);
    return WriteFileAtomically(path, bytes, 0644, nullptr);
}

}  // namespace dlk::config
