#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace dlk::client {

// Several seconds of every modem at once; what a program that stops reading
// for good costs at most.
inline constexpr std::size_t kLocalWriteQueueSize = 1 << 20;

// What the local program has not taken yet, in arrival order, block by
// block. Bounded: a block that does not fit whole is dropped and counted, so
// the receiver never waits for the program. The storage is a ring, taken
// only once something has to wait.
class LocalWriteQueue {
public:
    explicit LocalWriteQueue(std::size_t capacity = kLocalWriteQueueSize) : capacity_(capacity) {}

    bool Empty() const { return size_ == 0; }
    std::size_t Size() const { return size_; }

    // The whole block, or nothing and a counted drop. An empty block is no block.
    void Push(std::span<const std::uint8_t> block);

    // Every waiting byte, for a stream: one part, or two where the ring wraps.
    // Returns the number of parts.
    std::size_t Waiting(std::array<std::span<const std::uint8_t>, 2>& parts) const;
    // What is left of the front block, for a message channel.
    std::size_t FrontBlock(std::array<std::span<const std::uint8_t>, 2>& parts) const;
    // Bytes taken from the front, across block boundaries.
    void Consume(std::size_t bytes);
    // The program has gone: what it did not take is no loss to count.
    void Clear();

    std::uint64_t DroppedBlocks() const { return dropped_blocks_; }
    std::uint64_t DroppedBytes() const { return dropped_bytes_; }

private:
    std::size_t Parts(std::size_t length, std::array<std::span<const std::uint8_t>, 2>& parts) const;

    const std::size_t capacity_;
    std::vector<std::uint8_t> ring_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::deque<std::size_t> block_lengths_;  // what is left of each, front first
    std::uint64_t dropped_blocks_ = 0;
    std::uint64_t dropped_bytes_ = 0;
};

}  // namespace dlk::client
