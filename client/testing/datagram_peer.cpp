#include "client/testing/datagram_peer.h"

#include <array>
#include <stdexcept>

namespace dlk::client::sim {

DatagramPeer::DatagramPeer(Handler handler) : handler_(std::move(handler)) {
    if (socket_.Open() != 0 || socket_.Bind(0) != 0) throw std::runtime_error("test peer: no UDP socket");
    port_ = socket_.LocalPort();
    thread_ = std::thread([this] { Run(); });
}

DatagramPeer::~DatagramPeer() {
    stop_ = true;
    socket_.Wake();
    thread_.join();
    socket_.Close();
}

void DatagramPeer::Run() {
    std::array<std::uint8_t, 65536> buffer{};
    while (!stop_) {
        const ReceiveResult r = socket_.Receive(buffer);
        if (r.Status != ReceiveStatus::Datagram) continue;
        const std::size_t kept = r.Length < buffer.size() ? r.Length : buffer.size();
        ReceivedDatagram datagram{
            std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept)), r.Source};
        if (handler_) handler_(datagram);
        {
            std::lock_guard lock(mutex_);
            received_.push_back(std::move(datagram));
        }
        arrived_.notify_all();
    }
}

std::optional<ReceivedDatagram> DatagramPeer::WaitForDatagram(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [this] { return received_.size() > taken_; })) return std::nullopt;
    return received_[taken_++];
}

bool DatagramPeer::WaitForCount(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
}

std::vector<ReceivedDatagram> DatagramPeer::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::size_t DatagramPeer::ReceivedCount() const {
    std::lock_guard lock(mutex_);
    return received_.size();
}

}  // namespace dlk::client::sim
