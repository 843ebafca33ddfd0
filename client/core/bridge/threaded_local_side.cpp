#include "client/core/bridge/threaded_local_side.h"

namespace dlk::client {

bool ThreadedLocalSide::Open() {
    Close();
    auto wake = std::make_unique<WakeEvent>();
    auto kick = std::make_unique<WakeEvent>();
    if (!wake->Valid() || !kick->Valid() || !OpenDevice()) return false;
    wake_ = std::move(wake);
    kick_ = std::move(kick);
    open_ = true;
    return true;
}

void ThreadedLocalSide::StartReader(std::function<void(std::span<const std::uint8_t>)> forward) {
    if (!open_ || Running()) return;
    forward_ = std::move(forward);
    SetPriority(TThreadPriority::tpNormal);
    Resume();
}

void ThreadedLocalSide::Close() {
    Stop();
    open_ = false;
    CloseDevice();
    {
        std::lock_guard lock(io_lock_);
        queue_.Clear();
    }
    wake_.reset();
    kick_.reset();
    forward_ = nullptr;
}

bool ThreadedLocalSide::HasQueued() const {
    std::lock_guard lock(io_lock_);
    return !queue_.Empty();
}

std::uint64_t ThreadedLocalSide::DroppedBlocks() const {
    std::lock_guard lock(io_lock_);
    return queue_.DroppedBlocks();
}

std::uint64_t ThreadedLocalSide::DroppedBytes() const {
    std::lock_guard lock(io_lock_);
    return queue_.DroppedBytes();
}

std::size_t ThreadedLocalSide::QueuedBytes() const {
    std::lock_guard lock(io_lock_);
    return queue_.Size();
}

}  // namespace dlk::client
