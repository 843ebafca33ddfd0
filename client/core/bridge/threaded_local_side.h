#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "client/core/bridge/local_write_queue.h"
#include "client/core/bridge/wake_event.h"
#include "client/core/local_side.h"
#include "platform/thread/thread.h"

namespace dlk::client {

// What both local sides share: the reader thread, the wake event that ends
// its wait, and the queue of what the local program has not taken yet. A
// side opens, reads and closes its own device; the reader is always stopped
// and joined before the device closes. Each side's destructor calls Close
// while its device still exists.
//
// The receiver writes straight to the device while nothing waits; what the
// device does not take goes to the queue, and the reader thread, kicked,
// writes it as the device takes it. So the receiver never waits for the
// local program, and a program that reads slowly still gets every byte.
class ThreadedLocalSide : public LocalSide, private TThread {
public:
    bool Open() final;
    void StartReader(std::function<void(std::span<const std::uint8_t>)> forward) final;
    void Close() final;
    bool IsOpen() const final { return open_.load(); }
    void Write(std::span<const std::uint8_t> bytes) final { WriteBatch({&bytes, 1}); }

    bool ReaderRunning() const { return Running(); }
    // Blocks dropped because the queue was full while a program had the
    // side open; what it loses while nobody holds it is not counted.
    std::uint64_t DroppedBlocks() const;
    std::uint64_t DroppedBytes() const;
    std::size_t QueuedBytes() const;

protected:
    explicit ThreadedLocalSide(std::string threadName) : TThread(std::move(threadName)) {}

    // The device alone: the reader is not running during either call.
    virtual bool OpenDevice() = 0;
    virtual void CloseDevice() = 0;
    // The reader thread's loop (TThread's Execute); it returns once StopRequested().

    bool StopRequested() const { return Terminated(); }
    const WakeEvent& Wake() const { return *wake_; }
    // Signalled when the queue stops being empty; the reader clears it.
    const WakeEvent& Kick() const { return *kick_; }
    void Forward(std::span<const std::uint8_t> block) const { forward_(block); }
    // After the receiver has queued something: the reader must look.
    void KickIfQueued(bool wasEmpty) const {
        if (wasEmpty && !queue_.Empty()) kick_->Signal();
    }
    bool HasQueued() const;

    // The device and the queue, against the receiver, the reader and Close.
    mutable std::mutex io_lock_;
    LocalWriteQueue queue_;

private:
    void WakeUp() final {
        if (wake_) wake_->Signal();
    }

    std::atomic<bool> open_{false};
    std::unique_ptr<WakeEvent> wake_;
    std::unique_ptr<WakeEvent> kick_;
    std::function<void(std::span<const std::uint8_t>)> forward_;
};

}  // namespace dlk::client
