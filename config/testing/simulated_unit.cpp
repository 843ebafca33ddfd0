#include "config/testing/simulated_unit.h"

#include <algorithm>

namespace dlk::config {

SimulatedUnit::SimulatedUnit(UnitIdentity identity, bool starts_in_loader)
    : identity_(identity), in_loader_(starts_in_loader) {}

void SimulatedUnit::Unplug() {
    present_ = false;
    open_ = false;
    replies_.clear();
}

void SimulatedUnit::ReturnToBus(bool in_loader) {
    present_ = true;
    open_ = true;
    in_loader_ = in_loader;
    gsm_pass_through_ = false;
    programming_ = false;
    verified_ = false;
    countdown_.reset();
    garbled_ = false;
    replies_.clear();
}

HidIoStatus SimulatedUnit::WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds) {
    if (!present_) return HidIoStatus::Gone;
    if (!open_) return HidIoStatus::Failed;
    if (countdown_) {
        if (countdown_->Left == 0) {
            const Fault fault = countdown_->Then;
            countdown_.reset();
            if (fault == Fault::Unplug) {
                Unplug();
                return HidIoStatus::Gone;
            }
            if (fault == Fault::Silence) silent_ = true;
            if (fault == Fault::Garbage) garbled_ = true;
        } else {
            --countdown_->Left;
        }
    }
    // The unit's output report has no id: only report id 0 and the full
    // 20 bytes after it are taken.
    if (report.size() != kConfigReportSize || report[0] != 0) return HidIoStatus::Failed;
    ConfigReportBytes bytes;
    std::copy(report.begin(), report.end(), bytes.begin());
    log_.push_back(bytes);
    Handle(ConfigReport::FromBytes(bytes));
    if (leaving_) {
        // The request that finished the update has gone through; the unit
        // restarts after it.
        leaving_ = false;
        Unplug();
        if (left_bus_) left_bus_();
    }
    return HidIoStatus::Ok;
}

HidReadResult SimulatedUnit::ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds) {
    if (!present_) return {HidIoStatus::Gone, 0};
    if (!open_ || into.empty() || garbled_) return {HidIoStatus::Failed, 0};
    if (replies_.empty()) return {HidIoStatus::TimedOut, 0};
    const ReportPayload payload = replies_.front();
    replies_.pop_front();
    const std::size_t size = std::min(into.size(), payload.size());
    std::copy_n(payload.begin(), size, into.begin());
    return {HidIoStatus::Ok, size};
}

void SimulatedUnit::DiscardInput() {
    replies_.clear();
}

void SimulatedUnit::Answer(const ReportPayload& payload) {
    if (!silent_) replies_.push_back(payload);
}

void SimulatedUnit::AnswerFlag(bool ok) {
    ReportPayload payload{};
    payload[0] = ok ? 1 : 0;
    Answer(payload);
}

bool SimulatedUnit::AllBlocksProgrammed() const {
    return blocks_seen_.all();
}

void SimulatedUnit::Handle(const ConfigReport& request) {
    const std::size_t count = std::min<std::size_t>(request.Count, kReportPayloadSize);
    switch (static_cast<UnitCommand>(request.Command)) {
        case UnitCommand::CmdIdentify: Answer(EncodeIdentify(identity_)); break;
        case UnitCommand::CmdEnterLoader:
            in_loader_ = true;
            gsm_pass_through_ = false;
            break;
        case UnitCommand::CmdCheckImage:
            if (!in_loader_) break;  // the unit itself knows nothing of images
            image_suits_ =
                !accepted_tail_ || std::equal(accepted_tail_->begin(), accepted_tail_->end(), request.Data.begin());
            AnswerFlag(image_suits_);
            break;
        case UnitCommand::CmdBeginProgramming:
            if (!in_loader_ || !image_suits_) break;
            programming_ = true;
            verified_ = false;
            blocks_seen_.reset();
            break;
        case UnitCommand::CmdProgramBlock: {
            if (!programming_) break;
            const std::size_t offset = request.Page * 256u + request.Address;
            if (offset % kFirmwareBlockSize != 0 || offset >= kFirmwareImageSize) break;
            if (lost_block_ == offset / kFirmwareBlockSize) {
                lost_block_.reset();
                break;
            }
            std::copy(request.Data.begin(), request.Data.end(), incoming_.begin() + offset);
            blocks_seen_.set(offset / kFirmwareBlockSize);
            break;
        }
        case UnitCommand::CmdVerify:
            if (!in_loader_) break;
            verified_ = programming_ && AllBlocksProgrammed() && !fail_verification_;
            AnswerFlag(verified_);
            break;
        case UnitCommand::CmdFinish:
            if (!in_loader_) break;
            if (verified_) {
                firmware_ = incoming_;
                ++completed_updates_;
            }
            in_loader_ = false;
            programming_ = false;
            verified_ = false;
            leaving_ = true;
            break;
        case UnitCommand::CmdReadMemory: {
            if (in_loader_) break;
            ReportPayload payload{};
            if (request.Page < kSettingsPageCount) {
                const SettingsPage& page = memory_[request.Page];
                for (std::size_t k = 0; k < count; ++k) payload[k] = page[(request.Address + k) & 0xFF];
            }
            Answer(payload);
            break;
        }
        case UnitCommand::CmdWriteMemory:
            if (in_loader_ || request.Page >= kSettingsPageCount) break;
            for (std::size_t k = 0; k < count; ++k)
                memory_[request.Page][(request.Address + k) & 0xFF] = request.Data[k];
            break;
        case UnitCommand::CmdGsmPassThroughOn:
            if (!in_loader_) gsm_pass_through_ = true;
            break;
        case UnitCommand::CmdGsmPassThroughOff: gsm_pass_through_ = false; break;
        default: break;  // unknown commands are ignored, as firmware does
    }
}

}  // namespace dlk::config
