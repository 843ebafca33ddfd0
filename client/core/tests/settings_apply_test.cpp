#include "client/core/settings/settings_apply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/testing/recording_apply_target.h"
#include "platform/encoding/cp1251.h"

namespace dlk::client {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using RecordingTarget = sim::RecordingApplyTarget;

const std::vector<std::string> kRestart = {"save", "close", "empty", "reopen"};
const std::vector<std::string> kStoreOnly = {"save"};

LinkSettings Direct() {
    return LinkSettings{};
}
LinkSettings Client() {
    LinkSettings s;
    s.ClientMode = 1;
    return s;
}

struct Row {
    const char* change;
    LinkSettings start;
    void (*edit)(SettingsDialogValues&);
    std::vector<std::string> calls;
};

TEST(SettingsApply, EveryChangeTakesItsEffect) {
    const std::vector<Row> rows = {
        {"nothing", Client(), [](SettingsDialogValues&) {}, kStoreOnly},
        {"to client mode", Direct(), [](SettingsDialogValues& v) { v.ClientMode = true; }, kRestart},
        {"to direct mode", Client(), [](SettingsDialogValues& v) { v.ClientMode = false; }, kRestart},
        {"id, direct", Direct(), [](SettingsDialogValues& v) { v.ClientId = "op1"; }, kStoreOnly},
        {"id, client", Client(), [](SettingsDialogValues& v) { v.ClientId = "op1"; }, kRestart},
        {"password, direct", Direct(), [](SettingsDialogValues& v) { v.ClientPassword = "pw"; }, kStoreOnly},
        {"password, client", Client(), [](SettingsDialogValues& v) { v.ClientPassword = "pw"; }, kRestart},
        {"address, direct", Direct(), [](SettingsDialogValues& v) { v.ServerAddress = "10.1.2.3"; }, kStoreOnly},
        {"address, client", Client(), [](SettingsDialogValues& v) { v.ServerAddress = "10.1.2.3"; }, kRestart},
        {"server port, direct", Direct(), [](SettingsDialogValues& v) { v.ServerPort = "5000"; }, kStoreOnly},
        {"server port, client", Client(), [](SettingsDialogValues& v) { v.ServerPort = "5000"; }, kRestart},
        {"ping, client", Client(), [](SettingsDialogValues& v) { v.PingPeriod = "12"; }, {"ping 12", "save"}},
        {"local port", Direct(), [](SettingsDialogValues& v) { v.LocalPort = "2000"; }, kRestart},
        {"pseudo-terminal", Direct(), [](SettingsDialogValues& v) { v.NullModemMode = true; }, kRestart},
        {"one modem off", Direct(), [](SettingsDialogValues& v) { v.OneModemActive = false; }, kStoreOnly},
        {"ping and mode",
         Direct(),
         [](SettingsDialogValues& v) {
             v.PingPeriod = "4";
             v.ClientMode = true;
         },
         {"ping 4", "save", "close", "empty", "reopen"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        LinkSettings settings = row.start;
        SettingsDialogValues values = DialogValuesFrom(settings);
        row.edit(values);
        RecordingTarget target;
        const auto result = ApplySettingsDialog(values, settings, target);
        ASSERT_TRUE(std::holds_alternative<SettingsChanges>(result));
        EXPECT_EQ(target.calls, row.calls);
        // What was applied is what the dialog showed.
        const SettingsDialogValues reopened = DialogValuesFrom(settings);
        EXPECT_EQ(reopened.ClientMode, values.ClientMode);
        EXPECT_EQ(reopened.ClientId, values.ClientId);
        EXPECT_EQ(reopened.ClientPassword, values.ClientPassword);
        EXPECT_EQ(reopened.ServerAddress, values.ServerAddress);
        EXPECT_EQ(reopened.ServerPort, values.ServerPort);
        EXPECT_EQ(reopened.PingPeriod, values.PingPeriod);
        EXPECT_EQ(reopened.LocalPort, values.LocalPort);
        EXPECT_EQ(reopened.NullModemMode, values.NullModemMode);
    }
}

TEST(SettingsApply, SwitchingOneModemActiveOnPausesAllBeforeSaving) {
    LinkSettings settings;
    settings.OneModemActive = 0;
    SettingsDialogValues values = DialogValuesFrom(settings);
    values.OneModemActive = true;
    RecordingTarget target;
    ApplySettingsDialog(values, settings, target);
    EXPECT_THAT(target.calls, ElementsAre("pause all", "save"));
    EXPECT_EQ(settings.OneModemActive, 1);
}

TEST(SettingsApply, AWrongFieldAppliesNothingEvenAfterGoodOnes) {
    struct Bad {
        void (*edit)(SettingsDialogValues&);
        const char* control;
    };
    const std::vector<Bad> cases = {
        {[](SettingsDialogValues& v) { v.LocalPort = "80"; }, "Edit1"},
        {[](SettingsDialogValues& v) { v.LocalPort = "70000"; }, "Edit1"},
        {[](SettingsDialogValues& v) { v.LocalPort = "10x5"; }, "Edit1"},
        {[](SettingsDialogValues& v) { v.LocalPort = ""; }, "Edit1"},
        {[](SettingsDialogValues& v) { v.LocalPort = "-1025"; }, "Edit1"},
        {[](SettingsDialogValues& v) { v.ServerPort = "1023"; }, "Edit3"},
        {[](SettingsDialogValues& v) { v.ServerPort = "65536"; }, "Edit3"},
        {[](SettingsDialogValues& v) { v.PingPeriod = "0"; }, "Edit5"},
        {[](SettingsDialogValues& v) { v.PingPeriod = "61"; }, "Edit5"},
        {[](SettingsDialogValues& v) { v.PingPeriod = "five"; }, "Edit5"},
        {[](SettingsDialogValues& v) { v.ServerAddress = "relay.example"; }, "Edit2"},
        {[](SettingsDialogValues& v) { v.ServerAddress = "10.0.0"; }, "Edit2"},
        {[](SettingsDialogValues& v) { v.ServerAddress = "10.0.0.256"; }, "Edit2"},
        {[](SettingsDialogValues& v) { v.ServerAddress = "10.0.0.1.2"; }, "Edit2"},
        {[](SettingsDialogValues& v) { v.ServerAddress = "10..0.1"; }, "Edit2"},
        {[](SettingsDialogValues& v) { v.ClientId = "Zoë"; }, "Edit4"},  // not in code page 1251
        {[](SettingsDialogValues& v) { v.ClientPassword = "pé日"; }, "Edit6"},
    };
    for (const Bad& bad : cases) {
        LinkSettings settings = Client();
        const LinkSettings before = settings;
        SettingsDialogValues values = DialogValuesFrom(settings);
        values.ClientId = "changed";  // a good change that must not be taken
        values.ClientMode = false;
        bad.edit(values);
        RecordingTarget target;
        const auto result = ApplySettingsDialog(values, settings, target);
        ASSERT_TRUE(std::holds_alternative<SettingsError>(result)) << bad.control;
        EXPECT_EQ(std::get<SettingsError>(result).Control, bad.control);
        EXPECT_FALSE(std::get<SettingsError>(result).Message.empty());
        EXPECT_THAT(target.calls, IsEmpty());
        EXPECT_EQ(settings.ClientId, before.ClientId);
        EXPECT_EQ(settings.ClientMode, 1);
    }
}

TEST(SettingsApply, NumbersAndAddressesAreReadAsTyped) {
    LinkSettings settings = Client();
    SettingsDialogValues values = DialogValuesFrom(settings);
    values.LocalPort = " 65535 ";
    values.ServerPort = "1024";
    values.PingPeriod = "60";
    values.ServerAddress = "192.168.001.10";
    RecordingTarget target;
    ASSERT_TRUE(std::holds_alternative<SettingsChanges>(ApplySettingsDialog(values, settings, target)));
    EXPECT_EQ(settings.LocalPort, 65535);
    EXPECT_EQ(settings.PingPeriod, 60);
    EXPECT_EQ(settings.ServerAddress, (std::array<std::uint8_t, 4>{192, 168, 1, 10}));
}

TEST(SettingsApply, AStoredValueTheDialogWouldRefuseStillLetsOkThrough) {
    LinkSettings settings = Direct();
    settings.ServerPort = 80;  // from an old file
    SettingsDialogValues values = DialogValuesFrom(settings);
    values.OneModemActive = false;
    RecordingTarget target;
    ASSERT_TRUE(std::holds_alternative<SettingsChanges>(ApplySettingsDialog(values, settings, target)));
    EXPECT_EQ(settings.ServerPort, 80);
}

TEST(SettingsApply, CredentialsCompareAsStoredBytes) {
    LinkSettings settings = Client();
    settings.ClientId = MakeShortString<8>(Utf8ToCp1251("Ёжик"));
    settings.ClientPassword = MakeShortString<8>(Utf8ToCp1251("пароль12"));
    SettingsDialogValues values = DialogValuesFrom(settings);
    EXPECT_EQ(values.ClientId, "Ёжик");
    RecordingTarget target;
    ApplySettingsDialog(values, settings, target);
    EXPECT_THAT(target.calls, ElementsAre("save"));

    // A stored byte with no character of its own (0x98) shows as a stand-in;
    // left as it is, it neither restarts the link nor changes the value.
    settings.ClientPassword = MakeShortString<8>("a\x98");
    values = DialogValuesFrom(settings);
    target.calls.clear();
    ApplySettingsDialog(values, settings, target);
    EXPECT_THAT(target.calls, ElementsAre("save"));
    EXPECT_EQ(settings.ClientPassword.Text(), "a\x98");

    // Longer than the field: the first 8 characters are kept.
    values.ClientId = "абвгдежзи";
    target.calls.clear();
    ApplySettingsDialog(values, settings, target);
    EXPECT_EQ(settings.ClientId.Text(), Utf8ToCp1251("абвгдежз"));
    EXPECT_EQ(target.calls, kRestart);
}

}  // namespace
}  // namespace dlk::client
