#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace dlk::testing {

// A FIFO where a program expects a data file. A reader that opens it
// blocking would wait for ever, so after the grace time the FIFO is opened
// for writing and closed again, which lets such a reader go on (it reads an
// empty file): a test then fails on ReaderWasStuck() instead of hanging.
class FifoInPlace {
public:
    explicit FifoInPlace(std::filesystem::path path, std::chrono::milliseconds grace = std::chrono::milliseconds(2000));
    ~FifoInPlace();
    FifoInPlace(const FifoInPlace&) = delete;
    FifoInPlace& operator=(const FifoInPlace&) = delete;

    bool ReaderWasStuck() const { return stuck_; }

private:
    std::filesystem::path path_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> stuck_ = false;
    std::thread releaser_;
};

}  // namespace dlk::testing
