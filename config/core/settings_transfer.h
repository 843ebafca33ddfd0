#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config/core/report_link.h"
#include "config/core/reports.h"
#include "config/core/schedule_table.h"
#include "config/core/settings_pages.h"

namespace dlk::config {

// Moving the settings between the unit's memory and the pages. Reading
// fetches every block first and decodes only a complete copy; writing
// converts every number first and sends only when all of them are good, so
// neither a lost unit nor a mistyped number leaves half a job done.

struct MemoryBlock {
    std::uint8_t Page = 0;
    std::uint8_t Address = 0;
    std::uint8_t Count = 0;

    bool operator==(const MemoryBlock&) const = default;
};

// One write: Count bytes at Page/Address, of which the first Named.size()
// are given; the rest go out as the request buffer holds them.
struct MemoryWrite {
    MemoryBlock Block;
    std::vector<std::uint8_t> Named;
};

// The reads, in the order the unit has always been read: the NTP server,
// the APN panel, the time zone and schedule switch, the schedule, the
// settings block, the server, and for SMS-capable units the message.
std::vector<MemoryBlock> SettingsReadingOrder(bool with_sms);

// Every block of the reading order into `memory` at its place (the bytes a
// reply holds beyond the block's use included). Stops at the first failure.
LinkStatus ReadSettingsMemory(ReportLink& link, bool with_sms, SettingsMemory& memory);

// Fills the pages and the schedule from a complete copy of the memory. A
// stored value that no combo box offers leaves that box as it was; all 128
// schedule records are filled, also those past the count.
void DecodeSettings(const SettingsMemory& memory, bool with_sms, char decimal_separator, SettingsPages& pages,
                    ScheduleTable& schedule);

// What the unit held when it was read, and what the pages made of it before
// any value was forced on them. A field that still shows what it was read
// as goes back byte for byte (a value the pages cannot show exactly, such
// as a ping of 100 s or a text without its closing NUL, included), and so
// does every byte of a write that no field owns. The one exception is an
// SMS length above 70: it goes back as the 70 characters the page shows, so
// that the message header agrees with it.
struct SettingsAsRead {
    SettingsMemory Memory{};
    SettingsPages Pages;
};

struct SettingsWriting {
    std::vector<MemoryWrite> Writes;  // in the order they are sent
    SerialLineRecord SerialLine;      // what the pages' serial line became
};

// The writes that store the pages and the schedule, each with all of its
// bytes; without `as_read` the bytes no field owns are zero. Throws
// EConvertError for the first changed number (packet time-out, packet
// length, auto-disconnect, ping) that does not convert or does not fit its
// field, before any write exists.
SettingsWriting EncodeSettings(const SettingsPages& pages, const ScheduleTable& schedule, bool with_sms,
                               char decimal_separator, const SettingsAsRead* as_read = nullptr);

// A text field of the pages.
using TextField = std::string SettingsPages::*;

// The first changed text, in writing order, that code page 1251 cannot
// hold: stored, its characters would reach the unit as '?'. Null when
// every text can go. A text still as read goes back byte for byte and is
// never refused.
TextField FirstUnfitText(const SettingsPages& pages, bool with_sms, const SettingsAsRead* as_read = nullptr);

// Sends the writes in order; stops at the first failure.
LinkStatus SendSettingsWrites(ReportLink& link, std::span<const MemoryWrite> writes);

}  // namespace dlk::config
