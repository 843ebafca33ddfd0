#include "client/testing/simulated_modem.h"

namespace dlk::client::sim {

SimulatedModem::SimulatedModem(const ImeiBcd& imei, const UdpEndpoint& target)
    : imei_(imei), target_(target), peer_([this](const ReceivedDatagram& d) { OnChunk(d); }) {}

void SimulatedModem::SetTarget(const UdpEndpoint& target) {
    std::lock_guard lock(mutex_);
    target_ = target;
}

UdpEndpoint SimulatedModem::Target() const {
    std::lock_guard lock(mutex_);
    return target_;
}

void SimulatedModem::Send(std::uint8_t kind, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> datagram;
    datagram.reserve(body.size() + 1);
    datagram.push_back(kind);
    datagram.insert(datagram.end(), body.begin(), body.end());
    peer_.SendTo(datagram, Target());
}

void SimulatedModem::SendOn(std::uint8_t status) {
    std::vector<std::uint8_t> body{status};
    body.insert(body.end(), imei_.begin(), imei_.end());
    Send(0x02, body);
}

void SimulatedModem::SendOff(std::uint8_t status) {
    std::vector<std::uint8_t> body{status};
    body.insert(body.end(), imei_.begin(), imei_.end());
    Send(0x03, body);
}

void SimulatedModem::SendData(std::span<const std::uint8_t> payload) {
    Send(0x00, payload);
}
void SimulatedModem::SendPacked(std::span<const std::uint8_t> payload) {
    Send(0x01, payload);
}
void SimulatedModem::SendRaw(std::span<const std::uint8_t> datagram) {
    peer_.SendTo(datagram, Target());
}

void SimulatedModem::SetAnswer(std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> answer) {
    std::lock_guard lock(mutex_);
    answer_ = std::move(answer);
}

void SimulatedModem::OnChunk(const ReceivedDatagram& datagram) {
    std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> answer;
    {
        std::lock_guard lock(mutex_);
        answer = answer_;
    }
    if (!answer) return;
    const std::vector<std::uint8_t> reply = answer(datagram.Bytes);
    if (!reply.empty()) SendData(reply);
}

std::optional<std::vector<std::uint8_t>> SimulatedModem::WaitForChunk(std::chrono::milliseconds timeout) {
    auto datagram = peer_.WaitForDatagram(timeout);
    if (!datagram) return std::nullopt;
    return std::move(datagram->Bytes);
}

bool SimulatedModem::WaitForChunkCount(std::size_t count, std::chrono::milliseconds timeout) const {
    return peer_.WaitForCount(count, timeout);
}

std::vector<std::vector<std::uint8_t>> SimulatedModem::Chunks() const {
    std::vector<std::vector<std::uint8_t>> chunks;
    for (auto& d : peer_.Received()) chunks.push_back(std::move(d.Bytes));
    return chunks;
}

}  // namespace dlk::client::sim
