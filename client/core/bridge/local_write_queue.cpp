#include "client/core/bridge/local_write_queue.h"

#include <algorithm>
#include <cstring>

namespace dlk::client {

void LocalWriteQueue::Push(std::span<const std::uint8_t> block) {
    if (block.empty()) return;
    if (block.size() > capacity_ - size_) {
        ++dropped_blocks_;
        dropped_bytes_ += block.size();
        return;
    }
    if (ring_.empty()) ring_.resize(capacity_);
    const std::size_t tail = (head_ + size_) % capacity_;
    const std::size_t first = std::min(block.size(), capacity_ - tail);
    std::memcpy(ring_.data() + tail, block.data(), first);
    std::memcpy(ring_.data(), block.data() + first, block.size() - first);
    size_ += block.size();
    block_lengths_.push_back(block.size());
}

std::size_t LocalWriteQueue::Parts(std::size_t length, std::array<std::span<const std::uint8_t>, 2>& parts) const {
    if (length == 0) return 0;
    const std::size_t first = std::min(length, capacity_ - head_);
    parts[0] = {ring_.data() + head_, first};
    if (first == length) return 1;
    parts[1] = {ring_.data(), length - first};
    return 2;
}

std::size_t LocalWriteQueue::Waiting(std::array<std::span<const std::uint8_t>, 2>& parts) const {
    return Parts(size_, parts);
}

std::size_t LocalWriteQueue::FrontBlock(std::array<std::span<const std::uint8_t>, 2>& parts) const {
    return Parts(block_lengths_.empty() ? 0 : block_lengths_.front(), parts);
}

void LocalWriteQueue::Consume(std::size_t bytes) {
    bytes = std::min(bytes, size_);
    head_ = (head_ + bytes) % capacity_;
    size_ -= bytes;
    while (bytes > 0) {
        std::size_t& front = block_lengths_.front();
        const std::size_t taken = std::min(bytes, front);
        front -= taken;
        bytes -= taken;
        if (front == 0) block_lengths_.pop_front();
    }
    if (size_ == 0) head_ = 0;
}

void LocalWriteQueue::Clear() {
    head_ = 0;
    size_ = 0;
    block_lengths_.clear();
}

}  // namespace dlk::client
