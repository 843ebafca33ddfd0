#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/core/report_link.h"
#include "config/core/schedule_table.h"
#include "config/core/settings_pages.h"
#include "config/core/settings_transfer.h"
#include "config/core/unit_discovery.h"

namespace dlk::config {

// The two settings actions of the window, without the window: what happens
// on the link when a unit is opened and when "Применить" is pressed.

inline constexpr char kApplyCaption[] = "Применить";
// The closing message of an action that went through.
inline constexpr char kDoneText[] = "Завершено успешно";

struct OpenedUnit {
    // Whether the unit answered its identification: a failure after it is
    // the user's business, one before it is not.
    bool Identified = false;
    UnitIdentity Identity;
    // What the window shows: a unit of a type it does not know is offered
    // only what its boot loader takes.
    UnitMode Mode = UnitMode::BootLoader;
    // In normal mode, what the settings were read as.
    SettingsAsRead AsRead;
};

// Identifies the unit just opened and, in normal mode with a known type,
// reads its settings into the pages and the schedule (forcing the fixed
// values of a type that has them). On a failure the pages are untouched
// and the status says why (opened.Identified tells whether it came while
// reading); the caller closes the device.
LinkStatus OpenUnit(ReportLink& link, UnitMode found_as, char decimal_separator, SettingsPages& pages,
                    ScheduleTable& schedule, OpenedUnit& opened);

// The identification labels of the firmware page.
struct IdentityTexts {
    std::string UsbProgramVersion;   // Label2
    std::string SerialNumber;        // Label4
    std::string DeviceType;          // Label7
    std::string MainProgramVersion;  // Label8
    std::string HardwareVersion;     // Label27, "major.minor"
};
IdentityTexts DescribeIdentity(const UnitIdentity& identity);

enum class ApplyOutcome {
    Done,        // every write went out: the success box
    BadNumber,   // a number did not convert and nothing was sent: the conversion error
    BadText,     // a text code page 1251 cannot hold, and nothing was sent
    LinkFailed,  // a write failed and the rest were not sent: an error box
};

struct ApplyResult {
    ApplyOutcome Outcome = ApplyOutcome::Done;
    std::string Message;  // the box's text (UTF-8); its caption is kApplyCaption
    // BadText: the text refused, for the window to name in UnfitTextMessage.
    TextField Field = nullptr;
};

// The refusal of a text, naming its field by the label the user sees.
std::string UnfitTextMessage(std::string_view field_label);

// Writes the pages and the schedule to the unit of `device_type`; the
// pages' serial line takes the combo boxes' selection once the texts have
// been found storable and the numbers have converted. With `as_read`, what
// is unchanged goes back as it was read.
ApplyResult ApplySettings(ReportLink& link, std::uint8_t device_type, char decimal_separator, SettingsPages& pages,
                          const ScheduleTable& schedule, const SettingsAsRead* as_read = nullptr);

}  // namespace dlk::config
