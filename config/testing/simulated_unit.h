#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "config/core/reports.h"
#include "platform/hid/hid_device.h"

namespace dlk {

using SettingsPage = std::array<std::uint8_t, kSettingsPageSize>;
using FirmwareBytes = std::array<std::uint8_t, kFirmwareImageSize>;

// An in-process modem unit that speaks the report protocol, for tests of
// everything above the device. It answers only the commands that expect a
// reply (identify, check image, verify, read memory), keeps three settings
// pages, takes firmware through its boot loader and switches its GSM module
// through. Every request that reached it is logged. It can be pulled out or
// made silent to exercise failure paths; a read it has nothing for times
// out at once instead of waiting.
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

    // Faults.
    void Unplug();
    // The request after `delivered` more have arrived is lost with the unit.
    void UnplugAfter(std::size_t delivered) { unplug_countdown_ = delivered; }
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
    std::optional<std::size_t> unplug_countdown_;

    std::array<SettingsPage, kSettingsPageCount> memory_{};
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

}  // namespace dlk
