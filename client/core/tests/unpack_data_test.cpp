#include "client/core/link/unpack_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace dlk::client {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Unpack(const Bytes& payload) {
    UnpackArea area;
    const std::size_t n = UnpackData(payload, area);
    EXPECT_LE(n, UnpackArea::kOutputSize);
    return Bytes(area.Output.begin(), area.Output.begin() + static_cast<std::ptrdiff_t>(n));
}

TEST(UnpackData, WorkedExampleRepeatsARunThroughOverlappingCopies) {
    EXPECT_EQ(Unpack({0x41, 0x42, 0x00, 0x02, 0x03}), (Bytes{0x41, 0x42, 0x41, 0x42, 0x41, 0x42, 0x41}));
}

TEST(UnpackData, GroupingOfItemsAndFlagBytes) {
    EXPECT_EQ(Unpack({}), Bytes{});
    EXPECT_EQ(Unpack({0x41}), Bytes{});
    // Two bytes: one item, flag in bit 0 (here a literal; bits above are not looked at).
    EXPECT_EQ(Unpack({0x41, 0xFE}), Bytes{0x41});
    // A full group of eight literals with flag byte 0 comes out unchanged.
    EXPECT_EQ(Unpack({1, 2, 3, 4, 5, 6, 7, 8, 0x00}), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    // A single byte left after a full group is ignored.
    EXPECT_EQ(Unpack({1, 2, 3, 4, 5, 6, 7, 8, 0x00, 0x99}), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    // Item 0 of a full group uses bit 7: a copy as first item names no phrase, so nothing decodes.
    EXPECT_EQ(Unpack({0, 2, 3, 4, 5, 6, 7, 8, 0x80}), Bytes{});
    // Item 7 uses bit 0: copy of phrase 0, made by the first literal (1, 2).
    EXPECT_EQ(Unpack({1, 2, 3, 4, 5, 6, 7, 0, 0x01}), (Bytes{1, 2, 3, 4, 5, 6, 7, 1, 2}));
}

TEST(UnpackData, TailFlagsAreRightAligned) {
    // 17 bytes: one full group, then seven items whose flags are bits 6..0.
    // Last tail item copies phrase 8 (the tail's first literal 'a' and the byte after it).
    const Bytes payload = {1, 2, 3, 4, 5, 6, 7, 8, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 8, 0x01};
    EXPECT_EQ(Unpack(payload), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 'a', 'b', 'c', 'd', 'e', 'f', 'a', 'b'}));
    // Bit 7 of a tail's flag byte is not used: the same with 0x81 decodes alike.
    Bytes high = payload;
    high.back() = 0x81;
    EXPECT_EQ(Unpack(high), Unpack(payload));
    // 18 bytes are two full groups.
    EXPECT_EQ(Unpack({1, 2, 3, 4, 5, 6, 7, 8, 0, 9, 10, 11, 12, 13, 14, 15, 16, 0}).size(), 16u);
}

TEST(UnpackData, PhrasesAreCountedOverThePacketNotPerGroup) {
    // Group 1: eight literals make phrases 0..7. Group 2's first item copies
    // phrase 7 ((7, 2): bytes 8 and the next output byte, 'x').
    const Bytes payload = {1, 2, 3, 4, 5, 6, 7, 8, 0x00, 'x', 7, 0x01};
    EXPECT_EQ(Unpack(payload), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 'x', 8, 'x'}));
}

TEST(UnpackData, CopyOfAPhraseNotYetMadeStopsAndKeepsWhatCameBefore) {
    // Item 2 names phrase 5 while only phrases 0 and 1 exist.
    EXPECT_EQ(Unpack({0x41, 0x42, 0x05, 0x43, 0x02}), (Bytes{0x41, 0x42}));
    // Naming the phrase the same item would make is just as invalid.
    EXPECT_EQ(Unpack({0x41, 0x01, 0x01}), Bytes{0x41});
}

// Packs items given as (byte, is_copy) into full groups and a tail.
Bytes Pack(const std::vector<std::pair<std::uint8_t, bool>>& items) {
    Bytes packed;
    std::size_t i = 0;
    while (i < items.size()) {
        const std::size_t count = std::min<std::size_t>(8, items.size() - i);
        std::uint8_t flags = 0;
        for (std::size_t j = 0; j < count; ++j) {
            packed.push_back(items[i + j].first);
            if (items[i + j].second) flags |= static_cast<std::uint8_t>(1u << (count - 1 - j));
        }
        packed.push_back(flags);
        i += count;
    }
    return packed;
}

TEST(UnpackData, PhraseTableHoldsFourHundredFortyEightPhrases) {
    std::vector<std::pair<std::uint8_t, bool>> items;
    for (int k = 0; k < 900; ++k) items.push_back({static_cast<std::uint8_t>(k), false});
    EXPECT_EQ(Unpack(Pack(items)).size(), 448u);
}

TEST(UnpackData, OutputStopsAtFiveHundredTwelveBytes) {
    // 'A', then each item copies the phrase of the item before it: runs of
    // 2, 3, ... 31 bytes of 'A' (496 in all), then literals up to 512.
    std::vector<std::pair<std::uint8_t, bool>> items = {{'A', false}};
    for (int k = 0; k < 30; ++k) items.push_back({static_cast<std::uint8_t>(k), true});
    for (int k = 0; k < 16; ++k) items.push_back({'B', false});
    items.push_back({'C', false});  // would be byte 512
    items.push_back({0, true});
    const Bytes out = Unpack(Pack(items));
    ASSERT_EQ(out.size(), 512u);
    for (std::size_t b = 0; b < 496; ++b) ASSERT_EQ(out[b], 'A') << b;
    for (std::size_t b = 496; b < 512; ++b) ASSERT_EQ(out[b], 'B') << b;

    // A copy that would cross 512 is not started: the next run (32) does not fit.
    items.resize(31);
    items.push_back({30, true});
    EXPECT_EQ(Unpack(Pack(items)).size(), 496u);
}

}  // namespace
}  // namespace dlk::client
