#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "client/core/link/link_observer.h"
#include "client/core/local_side.h"

namespace dlk::client::sim {

// A window that ignores everything the link tells it, for benchmarks,
// fuzzers and bulk runs that must not pile up records. Override what is
// to be counted.
class QuietObserver : public LinkObserver {
public:
    void PostModemState(std::uint32_t, std::uint16_t, ModemStateChange) override {}
    void PostServerState(std::uint32_t) override {}
    double TimeOfDay() override { return 0.5; }
    void SetIcon(TrayIcon) override {}
    void SetTip(std::string_view) override {}
    void ShowBalloon(std::string_view, BalloonIcon) override {}
    void SetLinkTimer(bool) override {}
    void SortModems() override {}
    void PaintList() override {}
};

// A local side that is always open and has no reader; what the receiver
// writes is left to the subclass.
class AlwaysOpenLocalSide : public LocalSide {
public:
    bool Open() override { return true; }
    void StartReader(std::function<void(std::span<const std::uint8_t>)>) override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
};

}  // namespace dlk::client::sim
