#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace dlk::client {

// The local program's end of the serial line: the pseudo-terminal or the local message socket.
class LocalSide {
public:
    virtual ~LocalSide() = default;
    virtual bool Open() = 0;  // false: the caller shows the message for this side's kind
    // The reader thread hands each block (<= 8192 bytes) to forward.
    virtual void StartReader(std::function<void(std::span<const std::uint8_t>)> forward) = 0;
    virtual void Close() = 0;  // stop flag, wake, join, then close; idempotent
    // Receiver thread; never blocks; failures ignored; never called with 0 bytes.
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
    // Receiver thread: what several datagrams brought, in order, each still a
    // block of its own (a message channel keeps them apart). Never blocks.
    virtual void WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) {
        for (const auto block : blocks) Write(block);
    }
    virtual bool IsOpen() const = 0;
};

}  // namespace dlk::client
