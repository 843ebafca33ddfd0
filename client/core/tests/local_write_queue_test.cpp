#include "client/core/bridge/local_write_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dlk::client {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Joined(const std::array<std::span<const std::uint8_t>, 2>& parts, std::size_t count) {
    Bytes all;
    for (std::size_t i = 0; i < count; ++i) all.insert(all.end(), parts[i].begin(), parts[i].end());
    return all;
}

// A queue of ten bytes, worked through steps: "+text" pushes a block,
// "-n" consumes n bytes; after each step the waiting bytes, the front block
// and the drop counters are as listed.
TEST(LocalWriteQueue, KeepsOrderAcrossTheWrapAndDropsWhatDoesNotFitWhole) {
    struct Step {
        std::string op;
        std::string waiting;
        std::string front;
        std::uint64_t droppedBlocks;
        std::uint64_t droppedBytes;
    };
    const std::vector<Step> steps = {
        {"+abc", "abc", "abc", 0, 0},
        {"+defg", "abcdefg", "abc", 0, 0},
        {"+hijk", "abcdefg", "abc", 1, 4},  // 11 bytes would not fit: dropped whole
        {"+hij", "abcdefghij", "abc", 1, 4},
        {"-2", "cdefghij", "c", 1, 4},  // a stream may take part of a block
        {"-1", "defghij", "defg", 1, 4},
        {"+klm", "defghijklm", "defg", 1, 4},  // wraps round the end of the storage
        {"+n", "defghijklm", "defg", 2, 5},
        {"-7", "klm", "klm", 2, 5},
        {"-3", "", "", 2, 5},
        {"+", "", "", 2, 5},  // an empty block is no block
        {"+0123456789", "0123456789", "0123456789", 2, 5},
    };
    LocalWriteQueue queue(10);
    for (const Step& step : steps) {
        if (step.op[0] == '+') {
            queue.Push(Of(step.op.substr(1)));
        } else {
            queue.Consume(std::stoul(step.op.substr(1)));
        }
        std::array<std::span<const std::uint8_t>, 2> parts;
        std::size_t count = queue.Waiting(parts);
        EXPECT_EQ(Joined(parts, count), Of(step.waiting)) << step.op;
        EXPECT_EQ(queue.Size(), step.waiting.size()) << step.op;
        EXPECT_EQ(queue.Empty(), step.waiting.empty()) << step.op;
        count = queue.FrontBlock(parts);
        EXPECT_EQ(Joined(parts, count), Of(step.front)) << step.op;
        EXPECT_EQ(queue.DroppedBlocks(), step.droppedBlocks) << step.op;
        EXPECT_EQ(queue.DroppedBytes(), step.droppedBytes) << step.op;
    }
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.DroppedBlocks(), 2u);  // a program that left is no loss
}

}  // namespace
}  // namespace dlk::client
