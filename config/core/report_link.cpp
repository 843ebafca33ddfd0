#include "config/core/report_link.h"

namespace dlk {
namespace {

LinkStatus FromIo(HidIoStatus status) {
    switch (status) {
        case HidIoStatus::kOk: return LinkStatus::kOk;
        case HidIoStatus::kTimedOut: return LinkStatus::kTimedOut;
        case HidIoStatus::kGone: return LinkStatus::kUnitGone;
        case HidIoStatus::kFailed: break;
    }
    return LinkStatus::kFailed;
}

}  // namespace

const char* LinkStatusMessage(LinkStatus status) {
    switch (status) {
        case LinkStatus::kOk: return "";
        case LinkStatus::kNoUnit: return "Модем не подключён";
        case LinkStatus::kTimedOut: return "Модем не отвечает";
        case LinkStatus::kUnitGone: return "Модем отключён";
        case LinkStatus::kFailed: return "Ошибка обмена с модемом";
        case LinkStatus::kBadRequest: return "Неверный запрос к модему";
    }
    return "Ошибка обмена с модемом";
}

ReportLink::ReportLink(ReportTimeouts timeouts) : timeouts_(timeouts) {}

LinkStatus ReportLink::StatusWithoutDevice() const {
    // A device that was attached and is closed now has been pulled out.
    return device_ == nullptr ? LinkStatus::kNoUnit : LinkStatus::kUnitGone;
}

LinkStatus ReportLink::Send() {
    if (!HasUnit()) return StatusWithoutDevice();
    const ConfigReportBytes bytes = request_.ToBytes();
    return FromIo(device_->WriteReport(bytes, timeouts_.write));
}

LinkStatus ReportLink::Exchange() {
    if (!HasUnit()) return StatusWithoutDevice();
    device_->DiscardInput();
    if (!device_->IsOpen()) return LinkStatus::kUnitGone;
    if (const LinkStatus sent = Send(); sent != LinkStatus::kOk) return sent;
    // Room for a longer report than the unit sends, so that one is cut to the
    // payload rather than split across two reads.
    std::array<std::uint8_t, 64> input{};
    const HidReadResult read = device_->ReadReport(input, timeouts_.reply);
    if (read.status != HidIoStatus::kOk) return FromIo(read.status);
    reply_.TakeInputReport(std::span<const std::uint8_t>(input.data(), read.size));
    return LinkStatus::kOk;
}

LinkStatus ReportLink::Identify(UnitIdentity& identity) {
    SetIdentify(request_);
    const LinkStatus status = Exchange();
    if (status == LinkStatus::kOk) identity = DecodeIdentify(reply_);
    return status;
}

LinkStatus ReportLink::CheckImage(std::span<const std::uint8_t, kFirmwareBlockSize> image_tail, bool& suits) {
    suits = false;
    SetCheckImage(request_, image_tail);
    const LinkStatus status = Exchange();
    if (status == LinkStatus::kOk) suits = reply_.data[0] == 1;
    return status;
}

LinkStatus ReportLink::BeginProgramming() {
    SetBeginProgramming(request_);
    return Send();
}

LinkStatus ReportLink::ProgramBlock(std::span<const std::uint8_t, kFirmwareImageSize> image, std::size_t index) {
    if (index >= kFirmwareBlockCount) return LinkStatus::kBadRequest;
    const std::size_t offset = index * kFirmwareBlockSize;
    SetProgramBlock(request_, static_cast<std::uint16_t>(offset), image.subspan(offset).first<kFirmwareBlockSize>());
    return Send();
}

LinkStatus ReportLink::Verify(bool& passed) {
    SetVerify(request_);
    reply_.data[0] = 0;
    const LinkStatus status = Exchange();
    passed = status == LinkStatus::kOk && reply_.data[0] == 1;
    return status;
}

LinkStatus ReportLink::Finish() {
    SetFinish(request_);
    return Send();
}

LinkStatus ReportLink::ReadMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count) {
    if (count == 0 || count > kReportPayloadSize) return LinkStatus::kBadRequest;
    SetReadMemory(request_, page, address, count);
    return Exchange();
}

LinkStatus ReportLink::WriteMemory(std::uint8_t page, std::uint8_t address, std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kReportPayloadSize) return LinkStatus::kBadRequest;
    SetWriteMemory(request_, page, address, bytes);
    return Send();
}

LinkStatus ReportLink::WriteMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count,
                                   std::span<const std::uint8_t> named) {
    if (count == 0 || count > kReportPayloadSize || named.size() > count) return LinkStatus::kBadRequest;
    SetWriteMemory(request_, page, address, count, named);
    return Send();
}

LinkStatus ReportLink::EnterLoader() {
    SetEnterLoader(request_);
    return Send();
}

LinkStatus ReportLink::GsmPassThroughOn() {
    SetGsmPassThroughOn(request_);
    return Send();
}

LinkStatus ReportLink::GsmPassThroughOff() {
    SetGsmPassThroughOff(request_);
    return Send();
}

}  // namespace dlk
