#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "client/core/local_side.h"

namespace dlk::client::sim {

using namespace std::chrono_literals;

// A local side in memory: records what the receiver writes and lets a test
// play the reader thread by feeding blocks.
class FakeLocalSide : public LocalSide {
public:
    void SetOpenResult(bool ok) { open_result_ = ok; }

    bool Open() override;
    void StartReader(std::function<void(std::span<const std::uint8_t>)> forward) override;
    void Close() override;
    void Write(std::span<const std::uint8_t> bytes) override;
    bool IsOpen() const override;

    // Hands a block to the link as the reader thread would.
    void Feed(std::span<const std::uint8_t> block);

    std::vector<std::vector<std::uint8_t>> Writes() const;
    std::vector<std::uint8_t> WrittenBytes() const;  // all writes joined
    std::size_t EmptyWrites() const;
    bool WaitForWrites(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    int OpenCalls() const;
    int CloseCalls() const;
    bool ReaderStarted() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable written_;
    bool open_result_ = true;
    bool open_ = false;
    int open_calls_ = 0;
    int close_calls_ = 0;
    std::function<void(std::span<const std::uint8_t>)> forward_;
    std::vector<std::vector<std::uint8_t>> writes_;
    std::size_t empty_writes_ = 0;
};

}  // namespace dlk::client::sim
