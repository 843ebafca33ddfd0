#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "client/core/bridge/local_block.h"
#include "client/core/bridge/threaded_local_side.h"
#include "platform/pty/pseudo_terminal.h"

namespace dlk::client {

inline constexpr const char* kDefaultPortLink = "CNCB0";  // in the current folder

// The local side as a serial line: a pseudo-terminal whose other end is
// published as linkPath (CNCB0 in the current folder), and the reader
// thread that hands what the local program writes to the modems.
class serial_port final : public ThreadedLocalSide {
public:
    explicit serial_port(std::string linkPath = kDefaultPortLink)
        : ThreadedLocalSide("serial_port"), link_path_(std::move(linkPath)) {}
    ~serial_port() override { Close(); }

    // The bytes of a batch go on as one stream: one write while the queue is
    // empty, and the rest queued. Nothing is written or queued while no
    // program has the port open.
    void WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) override;

    // Why the last Open failed, for the tests and the curious.
    PseudoTerminal::OpenResult LastOpenResult() const { return last_open_; }
    const std::string& LinkPath() const { return link_path_; }

private:
    bool OpenDevice() override;
    void CloseDevice() override;
    void Execute() override;
    // The watch has something: a program opened or closed the port. Holds io_lock_.
    void TakeOpenEvents();
    // As much of the queue as the pseudo-terminal takes now. Holds io_lock_.
    void WriteQueued();

    const std::string link_path_;
    PseudoTerminal pty_;
    PseudoTerminal::OpenResult last_open_ = PseudoTerminal::OpenResult::Opened;
    std::array<std::uint8_t, kLocalBlockSize> block_{};
};

}  // namespace dlk::client
