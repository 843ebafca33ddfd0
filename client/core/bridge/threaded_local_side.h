#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <thread>

#include "client/core/bridge/wake_event.h"
#include "client/core/local_side.h"

namespace dlk {

// What both local sides share: the reader thread, the flag that ends its
// loop and the wake event that ends its wait. A side opens, reads and closes
// its own device; the reader is always stopped and joined before the device
// closes. Each side's destructor calls Close while its device still exists.
class ThreadedLocalSide : public LocalSide {
public:
    bool Open() final;
    void StartReader(std::function<void(std::span<const std::uint8_t>)> forward) final;
    void Close() final;
    bool IsOpen() const final { return open_.load(); }

    bool ReaderRunning() const { return thread_.joinable(); }

protected:
    // The device alone: the reader is not running during either call.
    virtual bool OpenDevice() = 0;
    virtual void CloseDevice() = 0;
    // The reader thread's loop; it returns once StopRequested().
    virtual void Execute() = 0;

    bool StopRequested() const { return terminated_.load(); }
    const WakeEvent& Wake() const { return *wake_; }
    void Forward(std::span<const std::uint8_t> block) const { forward_(block); }

private:
    std::atomic<bool> open_{false};
    std::unique_ptr<WakeEvent> wake_;
    std::atomic<bool> terminated_{false};
    std::function<void(std::span<const std::uint8_t>)> forward_;
    std::thread thread_;
};

}  // namespace dlk
