#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/link/packet_handler.h"

namespace {

class NullLocalSide : public dlk::LocalSide {
public:
    bool Open() override { return true; }
    void StartReader(std::function<void(std::span<const std::uint8_t>)>) override {}
    void Close() override {}
    void Write(std::span<const std::uint8_t> bytes) override {
        if (bytes.empty() || bytes.size() > 1024) __builtin_trap();
        volatile std::uint8_t sink = 0;
        for (const std::uint8_t b : bytes) sink = sink + b;
    }
    bool IsOpen() const override { return true; }
};

class NullObserver : public dlk::LinkObserver {
public:
    void PostModemState(std::uint32_t, std::uint16_t, dlk::ModemStateChange) override {}
    void PostServerState(std::uint32_t) override {}
    double TimeOfDay() override { return 0.5; }
    void SetIcon(dlk::TrayIcon) override {}
    void SetTip(std::string_view) override {}
    void ShowBalloon(std::string_view, dlk::BalloonIcon) override {}
    void SetLinkTimer(bool) override {}
    void SortModems() override {}
    void PaintList() override {}
};

}  // namespace

// Input: byte 0 picks the mode and the pause state; the rest is a sequence
// of datagrams, each preceded by its length byte and a source byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const dlk::LinkMode mode = (data[0] & 1) ? dlk::LinkMode::Client : dlk::LinkMode::Direct;
    const bool unpause = (data[0] & 2) != 0;
    dlk::ModemTable table;
    NullObserver observer;
    NullLocalSide local;
    dlk::PacketHandler handler(table, observer, local, mode, data[0] >> 2, 1);

    std::size_t at = 1;
    while (at + 2 <= size) {
        const std::size_t length = data[at] * 5u;  // reaches past the largest datagram
        const auto source = dlk::MakeEndpoint(10, 0, 0, data[at + 1] & 3, 4000);
        at += 2;
        const std::size_t take = length < size - at ? length : size - at;
        handler.Handle(std::span<const std::uint8_t>(data + at, take), source);
        at += take;
        if (unpause) {
            for (dlk::ModemEntry& e : table.Entries) e.Paused = 0;
        }
        table.CountDownKeepAlive(0.5);
    }
    std::size_t online = 0;
    for (const dlk::ModemEntry& e : table.Entries) online += e.Online;
    if (online != table.OnlineCount) __builtin_trap();
    return 0;
}
