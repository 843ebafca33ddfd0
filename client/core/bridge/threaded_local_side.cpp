#include "client/core/bridge/threaded_local_side.h"

namespace dlk {

bool ThreadedLocalSide::Open() {
    Close();
    auto wake = std::make_unique<WakeEvent>();
    if (!wake->Valid() || !OpenDevice()) return false;
    wake_ = std::move(wake);
    terminated_ = false;
    open_ = true;
    return true;
}

void ThreadedLocalSide::StartReader(std::function<void(std::span<const std::uint8_t>)> forward) {
    if (!open_ || thread_.joinable()) return;
    forward_ = std::move(forward);
    thread_ = std::thread([this] { Execute(); });
}

void ThreadedLocalSide::Close() {
    terminated_ = true;
    if (wake_) wake_->Signal();
    if (thread_.joinable()) thread_.join();
    open_ = false;
    CloseDevice();
    wake_.reset();
    forward_ = nullptr;
}

}  // namespace dlk
