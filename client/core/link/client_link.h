#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "client/core/link/link_observer.h"
#include "client/core/link/packet_handler.h"
#include "client/core/link/packets.h"
#include "client/core/link/udp_port.h"
#include "client/core/link_settings.h"
#include "client/core/local_side.h"
#include "client/core/table/modem_table.h"
#include "platform/net/udp_socket.h"

namespace dlk::client {

enum class OpenFailure : std::uint8_t {
    None,
    LocalSide,  // nothing else was opened
    Socket,     // the application is asked to end
    Bind,       // the local side stays open; no threads, no timer
};

struct OpenResult {
    OpenFailure Failure = OpenFailure::None;
    std::string Message;          // UTF-8, for a message box captioned kProgramCaption with the error icon
    bool EndApplication = false;  // the socket could not be created
    bool Ok() const { return Failure == OpenFailure::None; }
};

// The client's link: the local side, the UDP socket, the receiver and reader
// threads, and the one-second duties. No Qt: the window reaches it through
// calls on the window thread and hears from it through LinkObserver.
class ClientLink {
public:
    ClientLink(ModemTable& table, LinkObserver& observer) : table_(table), observer_(observer) {}
    // Stops and closes without telling the window, which may be gone already.
    ~ClientLink() { StopEverything(); }
    ClientLink(const ClientLink&) = delete;
    ClientLink& operator=(const ClientLink&) = delete;

    // Window thread. Opens the local side (its kind by settings.NullModemMode),
    // the socket and the threads, in that order; an open link is closed first.
    // An opened local side must outlive the link, or CloseLink come before its
    // end; one whose Open failed is forgotten at once.
    OpenResult OpenLink(const LinkSettings& settings, LocalSide& local);
    // Window thread. Joins every thread before closing what it waited on;
    // logs off a connected server. Idempotent.
    void CloseLink();

    // Window thread, every tick of Timer1.
    void LinkTimerTick();

    // Window thread, in answer to a posted server-state message.
    void HandleServerState(std::uint32_t generation);

    // A settings change of the ping period without a restart.
    void SetPingPeriod(std::uint8_t ping_period);

    // Posted messages carry the generation of the link that posted them;
    // a message from an earlier link must be dropped.
    bool IsCurrentGeneration(std::uint32_t generation) const { return generation == generation_.load(); }
    std::uint32_t Generation() const { return generation_.load(); }
    // A posted modem-state message still names an entry of this link's table.
    bool IsCurrentModemState(std::uint32_t generation, std::uint16_t index) const;

    bool IsOpen() const { return socket_.IsOpen(); }
    bool LocalSideOpen() const { return local_ != nullptr && local_->IsOpen(); }
    std::uint16_t BoundPort() const { return socket_.LocalPort(); }
    LinkMode Mode() const { return mode_; }
    const LinkSettings& Settings() const { return settings_; }
    std::uint32_t CredentialValue() const { return credential_crc_; }
    UdpEndpoint ServerEndpoint() const { return server_; }
    UdpSocket& Socket() { return socket_; }
    ModemTable& Table() { return table_; }
    std::uint8_t PingCountdown() const { return ping_countdown_; }

private:
    // The reader thread's block from the local program.
    void OnLocalBlock(std::span<const std::uint8_t> block);
    void SendToServer(std::span<const std::uint8_t> datagram);
    void StopEverything();

    ModemTable& table_;
    LinkObserver& observer_;
    LocalSide* local_ = nullptr;
    LinkSettings settings_{};
    LinkMode mode_ = LinkMode::Direct;
    std::uint32_t credential_crc_ = 0;
    UdpEndpoint server_{};
    std::atomic<std::uint32_t> generation_{0};
    std::uint8_t ping_countdown_ = 1;
    UdpSocket socket_;
    std::unique_ptr<PacketHandler> handler_;
    std::unique_ptr<UDP_port> receiver_;
};

}  // namespace dlk::client
