// Opening a unit and applying the pages, against the simulated unit: the
// requests it receives and what its memory holds afterwards.
#include "config/core/settings_procedures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "config/core/settings_transfer.h"
#include "config/core/tests/hex_bytes.h"
#include "config/testing/configured_unit.h"
#include "config/testing/simulated_unit.h"
#include "platform/encoding/cp1251.h"

namespace dlk::config {
namespace {

using testing::HexBytes;
// "command:address/page/count" of every request, in hex.
std::string Requests(const std::vector<ConfigReportBytes>& log) {
    std::string text;
    for (const auto& r : log) {
        char request[16];
        std::snprintf(request, sizeof request, "%s%X:%02X/%X/%02X", text.empty() ? "" : " ", r[17], r[18], r[19],
                      r[20]);
        text += request;
    }
    return text;
}

// A configured unit: every byte the program does not own holds 0xA5, so that
// a write past a field shows.
SimulatedUnit ConfiguredUnit(std::uint8_t device_type) {
    SimulatedUnit unit(ConfiguredIdentity(device_type));
    ConfigureUnit(unit);
    return unit;
}

// The bytes a read and an apply of these pages touch.
std::vector<std::tuple<int, int, int>> OwnedRanges(bool with_sms) {
    std::vector<std::tuple<int, int, int>> owned = {
        {0, 0x00, 11}, {0, 0x10, 18}, {0, 0x30, 6}, {0, 0x50, 3}, {0, 0x60, 15},
        {0, 0x80, 18}, {0, 0xB0, 7},  {0, 0xB8, 3}, {0, 0xFE, 2}, {1, 0x00, 256},
    };
    if (with_sms) owned.insert(owned.end(), {{2, 0x00, 0x1E}, {2, 0x1E, 1 + 6}});
    return owned;
}

// The 16 blocks of the schedule page.
std::string SchedulePage(int command) {
    std::string blocks;
    for (int k = 0; k < 16; ++k)
        blocks += (k ? " " : "") + std::to_string(command) + ":" + "0123456789ABCDEF"[k] + "0/1/10";
    return blocks;
}

const std::string kReading =
    "0:00/0/00 6:60/0/10 6:70/0/10 6:10/0/10 6:20/0/10 6:30/0/10 6:40/0/10 6:50/0/10 6:FE/0/02 " + SchedulePage(6) +
    " 6:00/0/10 6:80/0/10 6:90/0/10 6:A0/0/10 6:B0/0/10";
const std::string kSmsReading = " 6:0A/2/10 6:1E/2/10 6:2E/2/10 6:3E/2/10 6:4E/2/10 6:5E/2/10";
const std::string kWriting =
    "7:10/0/10 7:20/0/10 7:30/0/10 7:40/0/10 7:50/0/10 7:80/0/10 7:90/0/10 7:A0/0/10 7:B0/0/0C 7:00/0/10 "
    "7:60/0/10 7:70/0/10 7:FE/0/02 " +
    SchedulePage(7);
const std::string kSmsWriting = " 7:00/2/0A 7:0A/2/0C 7:16/2/08 7:1E/2/10 7:2E/2/10 7:3E/2/10 7:4E/2/10 7:5E/2/07";

TEST(SettingsProcedures, OpeningReadsTheOrderAndApplyWritesItBackUnchanged) {
    struct Case {
        std::uint8_t DeviceType;
        std::size_t Exchanges;  // the identification and the reads
        bool WithSms;
    };
    for (const Case c : {Case{128, 30, false}, {3, 36, true}, {129, 36, true}, {1, 30, false}, {2, 30, false}}) {
        SCOPED_TRACE(int(c.DeviceType));
        SimulatedUnit unit = ConfiguredUnit(c.DeviceType);
        const SettingsMemory before{unit.Page(0), unit.Page(1), unit.Page(2)};
        ReportLink link;
        link.Attach(&unit);
        SettingsPages pages;
        ScheduleTable schedule;
        OpenedUnit opened;
        ASSERT_EQ(OpenUnit(link, UnitMode::Normal, ',', pages, schedule, opened), LinkStatus::Ok);
        EXPECT_EQ(opened.Mode, UnitMode::Normal);
        EXPECT_EQ(unit.RequestLog().size(), c.Exchanges);
        EXPECT_EQ(Requests(unit.RequestLog()), kReading + (c.WithSms ? kSmsReading : ""));

        unit.ClearRequestLog();
        const ApplyResult result = ApplySettings(link, c.DeviceType, ',', pages, schedule);
        EXPECT_EQ(result.Outcome, ApplyOutcome::Done);
        EXPECT_EQ(result.Message, "Завершено успешно");
        EXPECT_EQ(Requests(unit.RequestLog()), kWriting + (c.WithSms ? kSmsWriting : ""));
        for (const auto& [page, address, size] : OwnedRanges(c.WithSms))
            for (int k = 0; k < size; ++k)
                ASSERT_EQ(unit.Page(page)[address + k], before[page][address + k])
                    << "page " << page << " byte " << address + k;
        // Page 2 belongs to SMS-capable units only.
        if (!c.WithSms) {
            EXPECT_EQ(unit.Page(2), before[2]);
        }
    }
}

TEST(SettingsProcedures, ReadingFillsThePages) {
    SimulatedUnit unit = ConfiguredUnit(3);
    unit.Page(0)[0x00] = 0x2C, unit.Page(0)[0x01] = 0x01;  // 300 baud: not offered
    unit.Page(0)[0xFE] = 0;                                // no time zone
    ReportLink link;
    link.Attach(&unit);
    SettingsPages pages;
    pages.BaudIndex = 5;
    ScheduleTable schedule;
    OpenedUnit opened;
    ASSERT_EQ(OpenUnit(link, UnitMode::Normal, ',', pages, schedule, opened), LinkStatus::Ok);
    const std::vector<std::string> texts = {pages.Apn,           pages.Login,         pages.Password,
                                            pages.NtpServer,     pages.ServerAddress, pages.ServerPort,
                                            pages.PacketTimeout, pages.PacketLength,  pages.AutoDisconnect,
                                            pages.PingPeriod,    pages.Phone,         pages.SmsText};
    EXPECT_EQ(texts, (std::vector<std::string>{"internet.mts.ru", "mts", "", "pool.ntp.org", "192.168.100.200", "5000",
                                               "3,0", "0", "1", "8", "(916)123-4567", "Авария"}));
    // 300 baud and time zone 0 leave their boxes as they were; the record keeps 300.
    EXPECT_EQ(std::make_tuple(pages.TimeZoneIndex, pages.BaudIndex, pages.SerialLine.Baud),
              std::make_tuple(-1, 5, 300u));
    EXPECT_TRUE(pages.WorksBySchedule && pages.Flags.ConnectOnCall && pages.Flags.AlarmSms && !pages.Flags.Compression);
    ASSERT_EQ(schedule.PointCount, 2);
    EXPECT_EQ(schedule.Points[0], (SchedulePoint{60, 1, 0}));
    EXPECT_EQ(schedule.Points[1], (SchedulePoint{120, 0, 0}));

    // Without a selection the unit's own 300 baud goes back; no zone is 0.
    pages.BaudIndex = -1;
    unit.ClearRequestLog();
    ASSERT_EQ(ApplySettings(link, 3, ',', pages, schedule).Outcome, ApplyOutcome::Done);
    EXPECT_EQ(unit.Page(0)[0x00], 0x2C);
    EXPECT_EQ(unit.Page(0)[0x01], 0x01);
    EXPECT_EQ(unit.Page(0)[0xFE], 0);
}

TEST(SettingsProcedures, OddUnitContentsAreReadSafely) {
    SimulatedUnit unit = ConfiguredUnit(129);
    unit.Page(2)[0x1E] = 200;                          // longer than the field
    std::memset(unit.Page(0).data() + 0x10, 'x', 32);  // APN without NUL
    unit.Page(0)[0x30] = 0;                            // login starting with NUL
    ReportLink link;
    link.Attach(&unit);
    SettingsPages pages;
    ScheduleTable schedule;
    OpenedUnit opened;
    ASSERT_EQ(OpenUnit(link, UnitMode::Normal, '.', pages, schedule, opened), LinkStatus::Ok);
    EXPECT_EQ(Utf8ToCp1251(pages.SmsText).size(), 70u);
    EXPECT_EQ(pages.Apn, std::string(30, 'x'));
    EXPECT_EQ(pages.Login, "");
    // The fixed values of type 129 replace what was read.
    EXPECT_EQ(pages.BaudIndex, 3);
    EXPECT_EQ(pages.PacketTimeout, "3");
    EXPECT_EQ(pages.PacketLength, "0");

    // Writing back cuts the texts to their fields: the login after the APN survives.
    unit.Page(0)[0x30] = '"';
    unit.ClearRequestLog();
    pages.SmsText = std::string(80, 'z');
    ASSERT_EQ(ApplySettings(link, 129, '.', pages, schedule).Outcome, ApplyOutcome::Done);
    EXPECT_EQ(unit.Page(0)[0x10 + 30], '"');
    EXPECT_EQ(unit.Page(0)[0x10 + 31], 0);
    EXPECT_EQ(unit.Page(0)[0x30], '"');
    EXPECT_EQ(unit.Page(2)[0x1E], 70);
    EXPECT_EQ(std::string(unit.Page(2).begin() + 0x1C, unit.Page(2).begin() + 0x1E), "8C");
}

TEST(SettingsProcedures, ABadNumberSendsNothing) {
    struct Case {
        std::string SettingsPages::*Field;
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {&SettingsPages::AutoDisconnect, "x", "'x' is not a valid integer value"},
        {&SettingsPages::AutoDisconnect, "-1", "'-1' is not a valid integer value"},
        {&SettingsPages::PingPeriod, "", "'' is not a valid integer value"},
        {&SettingsPages::PacketLength, "-5", "'-5' is not a valid integer value"},
        {&SettingsPages::PacketTimeout, "3.5", "'3.5' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        SimulatedUnit unit = ConfiguredUnit(128);
        ReportLink link;
        link.Attach(&unit);
        SettingsPages pages = PagesWithValidNumbers();
        pages.*c.Field = c.Text;
        const ApplyResult result = ApplySettings(link, 128, ',', pages, ScheduleTable{});
        EXPECT_EQ(result.Outcome, ApplyOutcome::BadNumber) << c.Text;
        EXPECT_EQ(result.Message, c.Message);
        EXPECT_TRUE(unit.RequestLog().empty()) << c.Text;
    }
}

TEST(SettingsProcedures, AUnitLostOnTheWayIsAFailureNeverASuccess) {
    for (std::size_t delivered : {0u, 1u, 9u, 20u, 35u}) {
        SimulatedUnit unit = ConfiguredUnit(3);
        ReportLink link;
        link.Attach(&unit);
        SettingsPages pages = PagesWithValidNumbers();
        unit.UnplugAfter(delivered);
        const ApplyResult result = ApplySettings(link, 3, ',', pages, ScheduleTable{});
        EXPECT_EQ(result.Outcome, ApplyOutcome::LinkFailed) << delivered;
        EXPECT_EQ(result.Message, "Модем отключён");
        EXPECT_EQ(unit.RequestLog().size(), delivered);
    }
    // A unit that stops answering mid-read leaves the pages as they were.
    SimulatedUnit unit = ConfiguredUnit(128);
    ReportLink link;
    link.Attach(&unit);
    unit.UnplugAfter(12);
    SettingsPages pages;
    pages.Apn = "old";
    ScheduleTable schedule;
    OpenedUnit opened;
    EXPECT_EQ(OpenUnit(link, UnitMode::Normal, ',', pages, schedule, opened), LinkStatus::UnitGone);
    EXPECT_EQ(pages.Apn, "old");
    EXPECT_EQ(schedule.PointCount, 0);
}

TEST(SettingsProcedures, TypesOutsideTheTableAndBootLoadersReadNothing) {
    struct Case {
        std::uint8_t DeviceType;
        UnitMode FoundAs;
        UnitMode Shown;
        const char* Label;
    };
    const Case cases[] = {
        {5, UnitMode::Normal, UnitMode::BootLoader, "неизвестно"},
        {0xFF, UnitMode::BootLoader, UnitMode::BootLoader, "неизвестно"},
        {128, UnitMode::BootLoader, UnitMode::BootLoader, "\"GPRS-модем\""},
        {1, UnitMode::Normal, UnitMode::Normal, "GSM-модем"},
        {2, UnitMode::Normal, UnitMode::Normal, "\"CSD-мост\""},
        {3, UnitMode::Normal, UnitMode::Normal, "\"СМС-данные ультразвукового расходомера ЛЕТ-7Ж\""},
        {129, UnitMode::Normal, UnitMode::Normal, "\"GPRS-модем ультразвукового расходомера ЛЕТ-7Ж\""},
    };
    for (const Case& c : cases) {
        SimulatedUnit unit = ConfiguredUnit(c.DeviceType);
        ReportLink link;
        link.Attach(&unit);
        SettingsPages pages;
        ScheduleTable schedule;
        OpenedUnit opened;
        ASSERT_EQ(OpenUnit(link, c.FoundAs, ',', pages, schedule, opened), LinkStatus::Ok);
        EXPECT_EQ(opened.Mode, c.Shown) << int(c.DeviceType);
        if (c.Shown == UnitMode::BootLoader) {
            EXPECT_EQ(unit.RequestLog().size(), 1u);
        }
        const IdentityTexts texts = DescribeIdentity(opened.Identity);
        EXPECT_EQ(texts.DeviceType, c.Label);
        EXPECT_EQ(texts.SerialNumber, "513");
        EXPECT_EQ(texts.HardwareVersion, "2.1");
        EXPECT_EQ(texts.UsbProgramVersion, "4");
        EXPECT_EQ(texts.MainProgramVersion, "17");
    }
}

}  // namespace
}  // namespace dlk::config
