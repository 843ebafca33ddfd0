// Schedule files on disk: round trips, the forced extension and damaged files.
#include "config/core/grf_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/temp_folder.h"

namespace dlk::config {
namespace {

ScheduleTable TableWith(int points) {
    ScheduleTable table;
    for (int i = 0; i < points; ++i)
        table.Points[i] = {static_cast<std::uint16_t>(i * 79), static_cast<std::uint8_t>(i % 2), 0};
    // Records past the count are kept as they are, and so are their bytes.
    for (std::size_t i = points; i < kScheduleRecords; ++i)
        table.Points[i] = {static_cast<std::uint16_t>(0xBEEF), 7, 1};
    table.PointCount = static_cast<std::uint8_t>(points);
    return table;
}

TEST(GrfFile, SavedSchedulesOpenAgainByteForByte) {
    dlk::testing::TempFolder folder;
    for (int points : {0, 1, 127}) {
        const ScheduleTable table = TableWith(points);
        const auto path = folder / ("week" + std::to_string(points) + ".grf");
        ASSERT_TRUE(WriteGrfFile(path, table));
        const std::vector<std::uint8_t> bytes = folder.Read(path.filename());
        ASSERT_EQ(bytes.size(), kGrfFileSize);
        EXPECT_EQ(bytes[1], points);

        ScheduleTable read;
        ASSERT_TRUE(ReadGrfFile(path, read));
        EXPECT_EQ(read.PointCount, points);
        EXPECT_EQ(read.Points, table.Points);
        const auto again = folder / "again.grf";
        ASSERT_TRUE(WriteGrfFile(again, read));
        EXPECT_EQ(folder.Read("again.grf"), bytes);
    }
}

TEST(GrfFile, TheNameAlwaysEndsInGrf) {
    EXPECT_EQ(GrfFileName("/tmp/x.txt"), "/tmp/x.grf");
    EXPECT_EQ(GrfFileName("week"), "week.grf");
    EXPECT_EQ(GrfFileName("a.b.txt"), "a.b.grf");
    EXPECT_EQ(GrfFileName("ready.grf"), "ready.grf");
}

TEST(GrfFile, DamagedFilesAreCutOrRefused) {
    struct Case {
        const char* What;
        std::vector<std::uint8_t> Bytes;
        bool Taken;
        int Count;
    };
    std::vector<std::uint8_t> full(kGrfFileSize, 0);
    auto with = [&](std::size_t size, std::uint8_t count, std::size_t at = 0, std::uint8_t value = 0) {
        std::vector<std::uint8_t> bytes = full;
        bytes.resize(size, 0);
        bytes[1] = count;
        if (at != 0) bytes[at] = value;
        return bytes;
    };
    const Case cases[] = {
        {"700 bytes read as 514", with(700, 3, 600, 0xFF), true, 3},
        {"count 128", with(kGrfFileSize, 128), true, 127},
        {"count 255", with(kGrfFileSize, 255), true, 127},
        {"100 bytes hold 24 records", with(100, 100), true, 24},
        {"a record cut short", with(2 + 4 * 5 + 3, 6), true, 5},
        {"empty", {}, true, 0},
        {"minute 12000 in use", with(kGrfFileSize, 3, 2 + 4 * 2 + 1, 12000 >> 8), false, 0},
        {"on flag 2 in use", with(kGrfFileSize, 3, 2 + 4 * 1 + 2, 2), false, 0},
        {"minute 12000 past the count", with(kGrfFileSize, 1, 2 + 4 * 2 + 1, 12000 >> 8), true, 1},
    };
    for (const Case& c : cases) {
        ScheduleTable table = TableWith(9);
        const ScheduleTable before = table;
        EXPECT_EQ(DecodeGrfFile(c.Bytes, table), c.Taken) << c.What;
        if (c.Taken) {
            EXPECT_EQ(table.PointCount, c.Count) << c.What;
            // What the file does not hold whole is left as it was.
            const std::size_t whole = c.Bytes.size() < 2 ? 0 : std::min<std::size_t>((c.Bytes.size() - 2) / 4, 128);
            for (std::size_t k = whole; k < kScheduleRecords; ++k) ASSERT_EQ(table.Points[k], before.Points[k]);
        } else {
            EXPECT_EQ(table.Points, before.Points) << c.What;
            EXPECT_EQ(table.PointCount, 9) << c.What;
        }
    }

    dlk::testing::TempFolder folder;
    ScheduleTable table = TableWith(2);
    EXPECT_FALSE(ReadGrfFile(folder / "missing.grf", table));
    EXPECT_FALSE(WriteGrfFile(folder / "no" / "such" / "folder.grf", table));
    EXPECT_EQ(table.PointCount, 2);
}

}  // namespace
}  // namespace dlk::config
