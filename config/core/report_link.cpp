#include "config/core/report_link.h"

namespace dlk::config {
namespace {

LinkStatus FromIo(HidIoStatus status) {
    switch (status) {
        case HidIoStatus::Ok: return LinkStatus::Ok;
        case HidIoStatus::TimedOut: return LinkStatus::TimedOut;
        case HidIoStatus::Gone: return LinkStatus::UnitGone;
        case HidIoStatus::Failed: break;
    }
    return LinkStatus::Failed;
}

}  // namespace

const char* LinkStatusMessage(LinkStatus status) {
    switch (status) {
        case LinkStatus::Ok: return "";
        case LinkStatus::NoUnit: return "Модем не подключён";
        case LinkStatus::TimedOut: return "Модем не отвечает";
        case LinkStatus::UnitGone: return "Модем отключён";
        case LinkStatus::Failed: return "Ошибка обмена с модемом";
        case LinkStatus::BadRequest: return "Неверный запрос к модему";
    }
    return "Ошибка обмена с модемом";
}

ReportLink::ReportLink(ReportTimeouts timeouts) : timeouts_(timeouts) {}

LinkStatus ReportLink::StatusWithoutDevice() const {
    // A device that was attached and is closed now has been pulled out.
    return device_ == nullptr ? LinkStatus::NoUnit : LinkStatus::UnitGone;
}

LinkStatus ReportLink::Send() {
    if (!HasUnit()) return StatusWithoutDevice();
    const ConfigReportBytes bytes = request_.ToBytes();
    return FromIo(device_->WriteReport(bytes, timeouts_.Write));
}

LinkStatus ReportLink::Exchange() {
    if (!HasUnit()) return StatusWithoutDevice();
    device_->DiscardInput();
    if (!device_->IsOpen()) return LinkStatus::UnitGone;
    if (const LinkStatus sent = Send(); sent != LinkStatus::Ok) return sent;
    // Room for a longer report than the unit sends, so that one is cut to the
    // payload rather than split across two reads.
    std::array<std::uint8_t, 64> input{};
    const HidReadResult read = device_->ReadReport(input, timeouts_.Reply);
    if (read.Status != HidIoStatus::Ok) return FromIo(read.Status);
    reply_.TakeInputReport(std::span<const std::uint8_t>(input.data(), read.Size));
    return LinkStatus::Ok;
}

LinkStatus ReportLink::Identify(UnitIdentity& identity) {
    SetIdentify(request_);
    const LinkStatus status = Exchange();
    if (status == LinkStatus::Ok) identity = DecodeIdentify(reply_);
    return status;
}

LinkStatus ReportLink::ExchangeForFlag(bool& flag) {
    // A reply that never came must not leave an earlier 1 behind.
    reply_.Data[0] = 0;
    const LinkStatus status = Exchange();
    flag = status == LinkStatus::Ok && reply_.Data[0] == 1;
    return status;
}

LinkStatus ReportLink::CheckImage(std::span<const std::uint8_t, kFirmwareBlockSize> image_tail, bool& suits) {
    SetCheckImage(request_, image_tail);
    return ExchangeForFlag(suits);
}

LinkStatus ReportLink::BeginProgramming() {
    SetBeginProgramming(request_);
    return Send();
}

LinkStatus ReportLink::ProgramBlock(std::span<const std::uint8_t, kFirmwareImageSize> image, std::size_t index) {
    if (index >= kFirmwareBlockCount) return LinkStatus::BadRequest;
    const std::size_t offset = index * kFirmwareBlockSize;
    SetProgramBlock(request_, static_cast<std::uint16_t>(offset), image.subspan(offset).first<kFirmwareBlockSize>());
    return Send();
}

LinkStatus ReportLink::Verify(bool& passed) {
    SetVerify(request_);
    return ExchangeForFlag(passed);
}

LinkStatus ReportLink::Finish() {
    SetFinish(request_);
    return Send();
}

LinkStatus ReportLink::ReadMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count) {
    if (count == 0 || count > kReportPayloadSize) return LinkStatus::BadRequest;
    SetReadMemory(request_, page, address, count);
    return Exchange();
}

LinkStatus ReportLink::WriteMemory(std::uint8_t page, std::uint8_t address, std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kReportPayloadSize) return LinkStatus::BadRequest;
    SetWriteMemory(request_, page, address, bytes);
    return Send();
}

LinkStatus ReportLink::WriteMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count,
                                   std::span<const std::uint8_t> named) {
    if (count == 0 || count > kReportPayloadSize || named.size() > count) return LinkStatus::BadRequest;
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

}  // namespace dlk::config
