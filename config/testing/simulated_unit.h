#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "config/core/reports.h"
#include "platform/hid/hid_device.h"

namespace dlk::config {

// An in-process modem unit that speaks the report protocol, for tests of
// everything above the device. It answers only the commands that expect a
// reply (identify, check image, verify, read memory), keeps three settings
// pages, takes firmware through its boot loader and switches its GSM module
// through. Every request that reached it is logged. It can be pulled out or
// made silent to exercise failure paths; a read it has nothing for times
// out at once instead of waiting. Like the real unit it keeps its handle
// from CmdEnterLoader until CmdFinish and then leaves the bus, to come back
// (as itself or as its boot loader) when the test says so.
class SimulatedUnit final : public HidDevice {
public:
    // A unit that starts in its boot loader is what a product 2019 device is.
    explicit SimulatedUnit(UnitIdentity identity, bool starts_in_loader = false);

    // HidDevice
    bool IsOpen() const override { return open_; }
    HidIoStatus WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override;
    HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
    void DiscardInput() override;
    void Close() override { open_ = false; }

    // What the unit holds.
    SettingsPage& Page(std::size_t index) { return memory_.at(index); }
    const SettingsPage& Page(std::size_t index) const { return memory_.at(index); }
    const FirmwareBytes& Firmware() const { return firmware_; }
    bool InLoader() const { return in_loader_; }
    bool GsmPassThrough() const { return gsm_pass_through_; }
    int CompletedUpdates() const { return completed_updates_; }
    void SetIdentity(const UnitIdentity& identity) { identity_ = identity; }

    // Only an image ending in these 16 bytes suits the unit; without a call,
    // any image does.
    void AcceptOnlyImageTail(const ReportPayload& tail) { accepted_tail_ = tail; }

    const std::vector<ConfigReportBytes>& RequestLog() const { return log_; }
    void ClearRequestLog() { log_.clear(); }

    // Leaving the bus after CmdFinish: the hook runs once the unit is gone
    // (a test's bus sends its removal notice from there), and ReturnToBus
    // brings it back with a fresh handle, in its boot loader or not.
    void OnLeftBus(std::function<void()> hook) { left_bus_ = std::move(hook); }
    void ReturnToBus(bool in_loader = false);
    bool Present() const { return present_; }

    // Faults.
    void Unplug();
    // The block at this index is dropped on its way into the unit, once.
    void LoseBlock(std::size_t index) { lost_block_ = index; }
    // Verification fails however well the image arrived.
    void FailVerification(bool fail) { fail_verification_ = fail; }
    // What happens to the request after `delivered` more have arrived: it is
    // lost with the unit, or it and all after it go unanswered, or are
    // answered with reports no driver can read.
    enum class Fault { Unplug, Silence, Garbage };
    void FailAfter(std::size_t delivered, Fault fault) { countdown_ = {{delivered, fault}}; }
    void UnplugAfter(std::size_t delivered) { FailAfter(delivered, Fault::Unplug); }
    void SetSilent(bool silent) { silent_ = silent; }
    // An input report the unit sends unasked.
    void PushUnsolicitedReport(const ReportPayload& payload) { replies_.push_back(payload); }

private:
    void Handle(const ConfigReport& request);
    void Answer(const ReportPayload& payload);
    void AnswerFlag(bool ok);
    bool AllBlocksProgrammed() const;

    UnitIdentity identity_;
    bool present_ = true;
    bool open_ = true;
    bool silent_ = false;
    struct Countdown {
        std::size_t Left;
        Fault Then;
    };
    std::optional<Countdown> countdown_;
    bool garbled_ = false;
    std::optional<std::size_t> lost_block_;
    bool fail_verification_ = false;
    bool leaving_ = false;
    std::function<void()> left_bus_;

    SettingsMemory memory_{};
    bool in_loader_ = false;
    bool gsm_pass_through_ = false;
    std::optional<ReportPayload> accepted_tail_;
    bool image_suits_ = false;
    bool programming_ = false;
    bool verified_ = false;
    FirmwareBytes incoming_{};
    std::bitset<kFirmwareBlockCount> blocks_seen_;
    FirmwareBytes firmware_{};
    int completed_updates_ = 0;

    std::deque<ReportPayload> replies_;
    std::vector<ConfigReportBytes> log_;
};

}  // namespace dlk::config
