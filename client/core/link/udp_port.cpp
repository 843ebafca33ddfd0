#include "client/core/link/udp_port.h"

namespace dlk {

void UDP_port::Start() {
    if (thread_.joinable()) return;
    terminated_ = false;
    thread_ = std::thread([this] { Execute(); });
}

void UDP_port::Stop() {
    if (!thread_.joinable()) return;
    terminated_ = true;
    socket_.Wake();
    thread_.join();
}

void UDP_port::Execute() {
    while (!terminated_) {
        const ReceiveResult r = socket_.Receive(buffer_);
        if (r.Status == ReceiveStatus::Woken) continue;  // the loop condition decides
        if (r.Status != ReceiveStatus::Datagram) continue;
        // Larger than the buffer: only part of it was read. The handler
        // drops what is longer than the protocol allows.
        if (r.Truncated) continue;
        handler_.Handle(std::span<const std::uint8_t>(buffer_.data(), r.Length), r.Source);
    }
}

}  // namespace dlk
