#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "client/core/link/link_observer.h"

namespace dlk::client::sim {

using namespace std::chrono_literals;

struct PostedModemState {
    std::uint32_t Generation = 0;
    std::uint16_t Index = 0;
    ModemStateChange Change = ModemStateChange::New;
};

// Records what the link asks of the window. Every call is also logged as a
// short line ("icon COLOR", "tip ...", "balloon 3 ...", "timer on", "sort",
// "paint", "server 7", "modem 7 0 new") so tests can check the order.
class RecordingObserver : public LinkObserver {
public:
    void PostModemState(std::uint32_t generation, std::uint16_t index, ModemStateChange change) override;
    void PostServerState(std::uint32_t generation) override;
    double TimeOfDay() override { return time_of_day_.load(); }
    void SetIcon(TrayIcon icon) override;
    void SetTip(std::string_view text) override;
    void ShowBalloon(std::string_view text, BalloonIcon icon) override;
    void SetLinkTimer(bool running) override;
    void SortModems() override;
    void PaintList() override;

    void SetTimeOfDay(double fraction) { time_of_day_ = fraction; }
    // When set, PaintList clears RepaintNeeded of this table, as the list does.
    void SetPaintedTable(ModemTable* table) { painted_table_ = table; }

    std::vector<std::string> Log() const;
    void ClearLog();
    std::vector<PostedModemState> ModemStates() const;
    std::vector<std::uint32_t> ServerStates() const;
    bool WaitForModemStates(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    bool WaitForServerStates(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    TrayIcon Icon() const;
    std::string Tip() const;
    bool TimerRunning() const;

private:
    void Add(std::string line);

    mutable std::mutex mutex_;
    mutable std::condition_variable posted_;
    std::atomic<double> time_of_day_{0.5};
    ModemTable* painted_table_ = nullptr;
    std::vector<std::string> log_;
    std::vector<PostedModemState> modem_states_;
    std::vector<std::uint32_t> server_states_;
    TrayIcon icon_ = TrayIcon::MAINICON;
    std::string tip_;
    bool timer_ = false;
};

}  // namespace dlk::client::sim
