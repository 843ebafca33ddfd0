#include "client/testing/recording_observer.h"

namespace dlk::client::sim {

namespace {

const char* ChangeName(ModemStateChange change) {
    switch (change) {
        case ModemStateChange::New: return "new";
        case ModemStateChange::On: return "on";
        case ModemStateChange::Off: return "off";
    }
    return "?";
}

}  // namespace

void RecordingObserver::Add(std::string line) {
    log_.push_back(std::move(line));
}

void RecordingObserver::PostModemState(std::uint32_t generation, std::uint16_t index, ModemStateChange change) {
    {
        std::lock_guard lock(mutex_);
        modem_states_.push_back({generation, index, change});
        Add("modem " + std::to_string(generation) + " " + std::to_string(index) + " " + ChangeName(change));
    }
    posted_.notify_all();
}

void RecordingObserver::PostServerState(std::uint32_t generation) {
    {
        std::lock_guard lock(mutex_);
        server_states_.push_back(generation);
        Add("server " + std::to_string(generation));
    }
    posted_.notify_all();
}

void RecordingObserver::SetIcon(TrayIcon icon) {
    std::lock_guard lock(mutex_);
    icon_ = icon;
    Add(icon == TrayIcon::COLOR ? "icon COLOR" : "icon MAINICON");
}

void RecordingObserver::SetTip(std::string_view text) {
    std::lock_guard lock(mutex_);
    tip_ = std::string(text);
    Add("tip " + tip_);
}

void RecordingObserver::ShowBalloon(std::string_view text, BalloonIcon icon) {
    std::lock_guard lock(mutex_);
    Add("balloon " + std::to_string(static_cast<int>(icon)) + " " + std::string(text));
}

void RecordingObserver::SetLinkTimer(bool running) {
    std::lock_guard lock(mutex_);
    timer_ = running;
    Add(running ? "timer on" : "timer off");
}

void RecordingObserver::SortModems() {
    std::lock_guard lock(mutex_);
    Add("sort");
}

void RecordingObserver::PaintList() {
    if (painted_table_ != nullptr) {
        std::lock_guard table_lock(painted_table_->TableLock);
        painted_table_->RepaintNeeded = false;
    }
    std::lock_guard lock(mutex_);
    Add("paint");
}

std::vector<std::string> RecordingObserver::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void RecordingObserver::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

std::vector<PostedModemState> RecordingObserver::ModemStates() const {
    std::lock_guard lock(mutex_);
    return modem_states_;
}

std::vector<std::uint32_t> RecordingObserver::ServerStates() const {
    std::lock_guard lock(mutex_);
    return server_states_;
}

bool RecordingObserver::WaitForModemStates(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, timeout, [&] { return modem_states_.size() >= count; });
}

bool RecordingObserver::WaitForServerStates(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, timeout, [&] { return server_states_.size() >= count; });
}

TrayIcon RecordingObserver::Icon() const {
    std::lock_guard lock(mutex_);
    return icon_;
}

std::string RecordingObserver::Tip() const {
    std::lock_guard lock(mutex_);
    return tip_;
}

bool RecordingObserver::TimerRunning() const {
    std::lock_guard lock(mutex_);
    return timer_;
}

}  // namespace dlk::client::sim
