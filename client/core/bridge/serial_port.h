#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "core/bridge/local_block.h"
#include "core/bridge/wake_event.h"
#include "core/local_side.h"
#include "pty/pseudo_terminal.h"

namespace dlk {

inline constexpr const char* kDefaultPortLink = "CNCB0";  // in the current folder

// The local side as a serial line: a pseudo-terminal whose other end is
// published as linkPath (CNCB0 in the current folder), and the reader
// thread that hands what the local program writes to the modems.
class serial_port final : public LocalSide {
public:
    explicit serial_port(std::string linkPath = kDefaultPortLink) : linkPath_(std::move(linkPath)) {}
    ~serial_port() override { Close(); }

    bool Open() override;
    void StartReader(std::function<void(std::span<const std::uint8_t>)> forward) override;
    void Close() override;
    void Write(std::span<const std::uint8_t> bytes) override;
    bool IsOpen() const override { return open_.load(); }

    // Why the last Open failed, for the tests and the curious.
    PseudoTerminal::OpenResult LastOpenResult() const { return lastOpen_; }
    const std::string& LinkPath() const { return linkPath_; }
    bool ReaderRunning() const { return thread_.joinable(); }

private:
    void Execute();

    const std::string linkPath_;
    PseudoTerminal pty_;
    PseudoTerminal::OpenResult lastOpen_ = PseudoTerminal::OpenResult::Opened;
    std::atomic<bool> open_{false};
    std::mutex deviceLock_;  // the receiver's writes against Close
    std::unique_ptr<WakeEvent> wake_;
    std::atomic<bool> terminated_{false};
    std::function<void(std::span<const std::uint8_t>)> forward_;
    std::array<std::uint8_t, kLocalBlockSize> block_{};
    std::thread thread_;
};

}  // namespace dlk
