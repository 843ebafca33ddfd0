#include "client/testing/fake_local_side.h"

namespace dlk::client::sim {

bool FakeLocalSide::Open() {
    std::lock_guard lock(mutex_);
    ++open_calls_;
    open_ = open_result_;
    return open_;
}

void FakeLocalSide::StartReader(std::function<void(std::span<const std::uint8_t>)> forward) {
    std::lock_guard lock(mutex_);
    forward_ = std::move(forward);
}

void FakeLocalSide::Close() {
    std::lock_guard lock(mutex_);
    if (open_) ++close_calls_;
    open_ = false;
    forward_ = nullptr;
}

void FakeLocalSide::Write(std::span<const std::uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        if (bytes.empty()) ++empty_writes_;
        writes_.emplace_back(bytes.begin(), bytes.end());
    }
    written_.notify_all();
}

bool FakeLocalSide::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void FakeLocalSide::Feed(std::span<const std::uint8_t> block) {
    std::function<void(std::span<const std::uint8_t>)> forward;
    {
        std::lock_guard lock(mutex_);
        forward = forward_;
    }
    if (forward) forward(block);
}

std::vector<std::vector<std::uint8_t>> FakeLocalSide::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::vector<std::uint8_t> FakeLocalSide::WrittenBytes() const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> all;
    for (const auto& w : writes_) all.insert(all.end(), w.begin(), w.end());
    return all;
}

std::size_t FakeLocalSide::EmptyWrites() const {
    std::lock_guard lock(mutex_);
    return empty_writes_;
}

bool FakeLocalSide::WaitForWrites(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return written_.wait_for(lock, timeout, [&] { return writes_.size() >= count; });
}

int FakeLocalSide::OpenCalls() const {
    std::lock_guard lock(mutex_);
    return open_calls_;
}

int FakeLocalSide::CloseCalls() const {
    std::lock_guard lock(mutex_);
    return close_calls_;
}

bool FakeLocalSide::ReaderStarted() const {
    std::lock_guard lock(mutex_);
    return static_cast<bool>(forward_);
}

}  // namespace dlk::client::sim
