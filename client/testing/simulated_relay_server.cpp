#include "client/testing/simulated_relay_server.h"

#include <cstring>

#include "client/core/link/credential_crc.h"
#include "client/core/link/packets.h"

namespace dlk::client::sim {

SimulatedRelayServer::SimulatedRelayServer() : peer_([this](const ReceivedDatagram& d) { OnDatagram(d); }) {}

void SimulatedRelayServer::AddAccount(std::uint32_t credential_crc) {
    std::lock_guard lock(mutex_);
    accounts_.insert(credential_crc);
}

void SimulatedRelayServer::AddAccount(std::string_view client_id, std::string_view password) {
    AddAccount(CredentialCrc(MakeShortString<8>(client_id), MakeShortString<8>(password)));
}

void SimulatedRelayServer::SetAnswerPings(bool answer) {
    std::lock_guard lock(mutex_);
    answer_pings_ = answer;
}

std::optional<UdpEndpoint> SimulatedRelayServer::LoggedInClient() const {
    std::lock_guard lock(mutex_);
    return client_;
}

void SimulatedRelayServer::SendToClient(std::span<const std::uint8_t> datagram) {
    if (const auto client = LoggedInClient()) peer_.SendTo(datagram, *client);
}

void SimulatedRelayServer::SendHey() {
    SendToClient(kHeyPacket);
}
void SimulatedRelayServer::SendBye() {
    SendToClient(kByePacket);
}

void SimulatedRelayServer::OnDatagram(const ReceivedDatagram& datagram) {
    const std::vector<std::uint8_t>& bytes = datagram.Bytes;
    if (bytes.empty()) return;

    if (bytes[0] < kRelayed) {
        std::vector<std::uint8_t> relayed = bytes;
        relayed[0] |= kRelayed;
        const auto trailer = ModemAddressTrailer(datagram.Source);
        relayed.insert(relayed.end(), trailer.begin(), trailer.end());
        SendToClient(relayed);
        return;
    }

    bool answer_hey = false;
    {
        std::lock_guard lock(mutex_);
        from_client_.push_back(bytes);
        if (bytes.size() == 6 && (bytes[0] == kPingKind || bytes[0] == kLogoffKind)) {
            std::uint32_t crc = 0;
            for (int i = 3; i >= 0; --i) crc = (crc << 8) | bytes[2 + static_cast<std::size_t>(i)];
            if (accounts_.count(crc) != 0) {
                if (bytes[0] == kPingKind) {
                    client_ = datagram.Source;
                    answer_hey = answer_pings_;
                } else {
                    client_.reset();
                }
            }
        }
    }
    client_arrived_.notify_all();

    if (answer_hey) {
        SendHey();
    } else if (bytes[0] == kRelayed && bytes.size() >= 1 + kModemAddressTrailerSize) {
        const std::size_t chunk_end = bytes.size() - kModemAddressTrailerSize;
        const UdpEndpoint modem =
            ReadModemAddressTrailer(std::span(bytes).subspan(chunk_end).first<kModemAddressTrailerSize>());
        peer_.SendTo(std::span(bytes).subspan(1, chunk_end - 1), modem);
    }
}

std::optional<std::vector<std::uint8_t>> SimulatedRelayServer::WaitForClientDatagram(
    std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!client_arrived_.wait_for(lock, timeout, [this] { return from_client_.size() > taken_; })) return std::nullopt;
    return from_client_[taken_++];
}

bool SimulatedRelayServer::WaitForClientCount(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return client_arrived_.wait_for(lock, timeout, [&] { return from_client_.size() >= count; });
}

std::vector<std::vector<std::uint8_t>> SimulatedRelayServer::ClientDatagrams() const {
    std::lock_guard lock(mutex_);
    return from_client_;
}

}  // namespace dlk::client::sim
