#include "client/core/link/client_link.h"

#include <cerrno>
#include <mutex>

#include "client/core/link/credential_crc.h"
#include "client/core/link/forward_to_modems.h"
#include "client/core/link/link_messages.h"

namespace dlk::client {
namespace {

constexpr int kLinkReceiveBuffer = 4 << 20;

}  // namespace

OpenResult ClientLink::OpenLink(const LinkSettings& settings, LocalSide& local) {
    if (local_ != nullptr || socket_.IsOpen()) CloseLink();

    // Messages still queued from an earlier link must not reach this one's entries.
    const std::uint32_t generation = ++generation_;
    settings_ = settings;
    mode_ = settings.ClientMode == 1 ? LinkMode::Client : LinkMode::Direct;
    credential_crc_ = CredentialCrc(settings.ClientId, settings.ClientPassword);
    server_ = MakeEndpoint(settings.ServerAddress[0], settings.ServerAddress[1], settings.ServerAddress[2],
                           settings.ServerAddress[3], settings.ServerPort);
    {
        // A new link starts unconnected, whatever the last one ended with.
        std::lock_guard lock(table_.TableLock);
        table_.ServerConnected = 0;
        table_.ServerSilenceCountdown = ServerSilenceTicks(settings.PingPeriod);
    }

    // A side that would not open is not kept: the caller may replace or free
    // it at once, and a later open or close must not reach it.
    if (!local.Open()) {
        return {OpenFailure::LocalSide, settings.NullModemMode == 1 ? kComPortOpenFailed : kPipeCreateFailed, false};
    }
    local_ = &local;
    if (const int error = socket_.Open(); error != 0) {
        return {OpenFailure::Socket, SocketErrorText(error), true};
    }
    if (const int error = socket_.Bind(settings.LocalPort); error != 0) {
        socket_.Close();
        return {OpenFailure::Bind, error == EADDRINUSE ? PortInUseText(settings.LocalPort) : BindErrorText(error),
                false};
    }

    // Many modems answering at once must not overflow the socket while the
    // receiver is busy with the last batch; the system's default holds a
    // few hundred short datagrams. Less room than asked is no reason to fail.
    socket_.SetReceiveBuffer(kLinkReceiveBuffer);

    handler_ = std::make_unique<PacketHandler>(table_, observer_, local, mode_, settings.PingPeriod, generation);
    // A relay client hears only its server: anyone could send it a relayed
    // packet or a Bye.
    receiver_ = std::make_unique<UDP_port>(socket_, *handler_,
                                           mode_ == LinkMode::Client ? std::optional(server_) : std::nullopt);
    receiver_->SetPriority(TThreadPriority::tpNormal);
    receiver_->Resume();
    local.StartReader([this](std::span<const std::uint8_t> block) { OnLocalBlock(block); });

    ping_countdown_ = 1;
    observer_.SetLinkTimer(true);
    if (mode_ == LinkMode::Direct) observer_.SetIcon(TrayIcon::COLOR);
    return {};
}

void ClientLink::StopEverything() {
    if (socket_.IsOpen()) {
        // Both threads end before the socket and the local side they use go.
        if (receiver_) receiver_->Stop();
        if (local_ != nullptr) local_->Close();
        bool log_off = false;
        {
            std::lock_guard lock(table_.TableLock);
            if (table_.ServerConnected == 1) {
                table_.ServerConnected = 0;
                log_off = true;
            }
        }
        if (log_off) SendToServer(LogoffPacket(EffectivePingPeriod(settings_.PingPeriod), credential_crc_));
        socket_.Close();
        receiver_.reset();
        handler_.reset();
    }
    if (local_ != nullptr) local_->Close();
    local_ = nullptr;
}

void ClientLink::CloseLink() {
    const bool was_running = socket_.IsOpen();
    if (was_running) observer_.SetLinkTimer(false);
    StopEverything();
    ++generation_;
    observer_.SetIcon(TrayIcon::MAINICON);
    observer_.SetTip(OnlineTip(0));
}

void ClientLink::LinkTimerTick() {
    if (!socket_.IsOpen()) return;
    if (mode_ == LinkMode::Client) {
        if (--ping_countdown_ == 0) {
            const std::uint8_t period = EffectivePingPeriod(settings_.PingPeriod);
            ping_countdown_ = period;
            SendToServer(PingPacket(period, credential_crc_));
        }
    }

    const double now = observer_.TimeOfDay();
    bool server_lost = false;
    bool went_offline = false;
    bool repaint = false;
    std::uint16_t online = 0;
    {
        std::lock_guard lock(table_.TableLock);
        bool count_modems = true;
        if (mode_ == LinkMode::Client) {
            if (table_.ServerConnected == 0) {
                count_modems = false;
            } else if (--table_.ServerSilenceCountdown == 0) {
                table_.ServerConnected = 0;
                table_.AllOffline();
                table_.RepaintNeeded = true;
                server_lost = true;
                count_modems = false;
            }
        }
        if (count_modems) went_offline = table_.CountDownKeepAlive(now);
        online = table_.OnlineCount;
    }

    if (server_lost) {
        observer_.SetIcon(TrayIcon::MAINICON);
        observer_.ShowBalloon(kServerLostBalloon, BalloonIcon::Error);
    }
    if (went_offline) observer_.SortModems();
    {
        std::lock_guard lock(table_.TableLock);
        repaint = table_.RepaintNeeded;
    }
    if (repaint) observer_.PaintList();
    if (server_lost || went_offline) observer_.SetTip(OnlineTip(online));
}

void ClientLink::HandleServerState(std::uint32_t generation) {
    if (!IsCurrentGeneration(generation)) return;
    std::uint8_t connected = 0;
    std::uint16_t online = 0;
    {
        std::lock_guard lock(table_.TableLock);
        connected = table_.ServerConnected;
        if (connected == 0) table_.AllOffline();
        online = table_.OnlineCount;
    }
    if (connected == 1) {
        observer_.SetIcon(TrayIcon::COLOR);
        observer_.ShowBalloon(kServerConnectedBalloon, BalloonIcon::Information);
    } else {
        observer_.PaintList();
        observer_.SetIcon(TrayIcon::MAINICON);
        observer_.ShowBalloon(kServerGoneBalloon, BalloonIcon::Error);
    }
    // The count as it stands: modems relayed before the server's first answer are on-line already.
    observer_.SetTip(OnlineTip(online));
}

bool ClientLink::IsCurrentModemState(std::uint32_t generation, std::uint16_t index) const {
    if (!IsCurrentGeneration(generation)) return false;
    std::lock_guard lock(table_.TableLock);
    return index < table_.ModemTableCount();
}

void ClientLink::SetPingPeriod(std::uint8_t ping_period) {
    settings_.PingPeriod = ping_period;
    ping_countdown_ = 1;
    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerSilenceCountdown = ServerSilenceTicks(ping_period);
    }
    if (handler_) handler_->SetPingPeriod(ping_period);
}

void ClientLink::OnLocalBlock(std::span<const std::uint8_t> block) {
    ForwardToModems(table_, mode_, server_, block, socket_);
}

void ClientLink::SendToServer(std::span<const std::uint8_t> datagram) {
    socket_.SendTo(datagram, server_);
}

}  // namespace dlk::client
