#include "config/core/settings_procedures.h"

#include "config/core/device_types.h"
#include "config/core/settings_transfer.h"
#include "framework/core/str_to_int.h"

namespace dlk::config {

LinkStatus OpenUnit(ReportLink& link, UnitMode found_as, char decimal_separator, SettingsPages& pages,
                    ScheduleTable& schedule, OpenedUnit& opened) {
    opened = {};
    if (const LinkStatus status = link.Identify(opened.Identity); status != LinkStatus::Ok) return status;
    opened.Identified = true;
    const DeviceTypeRow& row = DeviceTypeFor(opened.Identity.DeviceType);
    opened.Mode = row.Known ? found_as : UnitMode::BootLoader;
    if (opened.Mode == UnitMode::Normal) {
        SettingsAsRead& read = opened.AsRead;
        if (const LinkStatus status = ReadSettingsMemory(link, row.SmsPage, read.Memory); status != LinkStatus::Ok)
            return status;
        DecodeSettings(read.Memory, row.SmsPage, decimal_separator, pages, schedule);
        read.Pages = pages;
        if (row.FixedSettings) ForceFixedSettings(pages);
    }
    return LinkStatus::Ok;
}

IdentityTexts DescribeIdentity(const UnitIdentity& identity) {
    return {std::to_string(identity.UsbProgramVersion), std::to_string(identity.SerialNumber),
            DeviceTypeLabel(identity.DeviceType), std::to_string(identity.MainProgramVersion),
            std::to_string(identity.HardwareMajor) + "." + std::to_string(identity.HardwareMinor)};
}

std::string UnfitTextMessage(std::string_view field_label) {
    return "Текст в поле \"" + std::string(field_label) +
           "\" содержит знаки, которых нет в кодировке Windows-1251: модем сохранил бы вместо них \"?\". "
           "Исправьте текст.";
}

ApplyResult ApplySettings(ReportLink& link, std::uint8_t device_type, char decimal_separator, SettingsPages& pages,
                          const ScheduleTable& schedule, const SettingsAsRead* as_read) {
    const bool with_sms = DeviceTypeFor(device_type).SmsPage;
    if (const TextField unfit = FirstUnfitText(pages, with_sms, as_read)) return {ApplyOutcome::BadText, {}, unfit};
    SettingsWriting writing;
    try {
        writing = EncodeSettings(pages, schedule, with_sms, decimal_separator, as_read);
    } catch (const EConvertError& error) {
        return {ApplyOutcome::BadNumber, error.what()};
    }
    pages.SerialLine = writing.SerialLine;
    if (const LinkStatus status = SendSettingsWrites(link, writing.Writes); status != LinkStatus::Ok)
        return {ApplyOutcome::LinkFailed, LinkStatusMessage(status)};
    return {ApplyOutcome::Done, kDoneText};
}

}  // namespace dlk::config
