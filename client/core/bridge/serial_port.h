#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "client/core/bridge/local_block.h"
#include "client/core/bridge/threaded_local_side.h"
#include "platform/pty/pseudo_terminal.h"

namespace dlk {

inline constexpr const char* kDefaultPortLink = "CNCB0";  // in the current folder

// The local side as a serial line: a pseudo-terminal whose other end is
// published as linkPath (CNCB0 in the current folder), and the reader
// thread that hands what the local program writes to the modems.
class serial_port final : public ThreadedLocalSide {
public:
    explicit serial_port(std::string linkPath = kDefaultPortLink) : linkPath_(std::move(linkPath)) {}
    ~serial_port() override { Close(); }

    void Write(std::span<const std::uint8_t> bytes) override;

    // Why the last Open failed, for the tests and the curious.
    PseudoTerminal::OpenResult LastOpenResult() const { return lastOpen_; }
    const std::string& LinkPath() const { return linkPath_; }

private:
    bool OpenDevice() override;
    void CloseDevice() override;
    void Execute() override;

    const std::string linkPath_;
    PseudoTerminal pty_;
    PseudoTerminal::OpenResult lastOpen_ = PseudoTerminal::OpenResult::Opened;
    std::mutex deviceLock_;  // the receiver's writes against Close
    std::array<std::uint8_t, kLocalBlockSize> block_{};
};

}  // namespace dlk
