// Flashing the controller and handing over the GSM module, against the
// simulated unit and a window that records what it was asked.
#include "config/core/firmware_update.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/core/firmware_image.h"
#include "config/testing/simulated_unit.h"
#include "platform/testing/temp_folder.h"

namespace dlk::config {
namespace {

const UnitIdentity kSmsData{.UsbProgramVersion = 5, .DeviceType = 3, .MainProgramVersion = 22, .SerialNumber = 77};

// Each call with the number of requests the unit had seen by then.
class RecordingWindow final : public FirmwarePageWindow {
public:
    explicit RecordingWindow(const SimulatedUnit& unit) : unit_(&unit) {}

    bool Confirm(const char*, const char* text) override {
        Note(std::string("ask ") + text);
        return answer;
    }
    void ShowMessage(const char* caption, const std::string& text, BoxIcon) override {
        Note(std::string("box ") + caption + ": " + text);
        if (on_message) on_message();
    }
    void ShowBootLoaderLook() override {
        Note("loader look");
        if (on_look) on_look();
    }
    void ShowProgress(bool visible) override {
        progress_visible = visible;
        if (!visible) progress = 0;
    }
    void SetProgress(int blocks) override {
        progress = blocks;
        if (on_progress) on_progress(blocks);
    }
    void ShowRenewedIdentity(const IdentityTexts& texts) override {
        Note("labels " + texts.UsbProgramVersion + " " + texts.MainProgramVersion + " " + texts.DeviceType);
    }
    void EnableFlashButton() override { Note("button"); }

    // "what" at request count n.
    std::vector<std::pair<std::string, std::size_t>> calls;
    bool answer = true;
    bool progress_visible = false;
    int progress = -1;
    std::function<void()> on_look, on_message;
    std::function<void(int)> on_progress;

private:
    void Note(std::string what) { calls.emplace_back(std::move(what), unit_->RequestLog().size()); }
    const SimulatedUnit* unit_;
};

class FirmwareUpdateTest : public ::testing::Test {
public:
    dlk::testing::TempFolder folder;
    SimulatedUnit unit{kSmsData};
    ReportLink link;
    RecordingWindow window{unit};
    FirmwareBytes image{};
    std::vector<std::uint8_t> file = std::vector<std::uint8_t>(kFirmwareImageSize);

    void SetUp() override {
        link.Attach(&unit);
        for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 13 + (i >> 9));
        ReportPayload tail;
        std::copy(file.end() - 16, file.end(), tail.begin());
        unit.AcceptOnlyImageTail(tail);
        folder.Write("unit.bin", file);
    }

    FlashOutcome Flash(const std::string& name = "unit.bin") {
        return RunFirmwareUpdate(link, folder / name, image, window);
    }

    std::vector<int> Commands() const {
        std::vector<int> commands;
        for (const auto& r : unit.RequestLog()) commands.push_back(r[17]);
        return commands;
    }

    bool Saw(const std::string& what) const {
        for (const auto& [call, at] : window.calls)
            if (call == what) return true;
        return false;
    }
};

TEST_F(FirmwareUpdateTest, ASuccessfulUpdateSendsExactlyTheSequence) {
    bool left = false;
    unit.OnLeftBus([&] { left = true; });
    ASSERT_EQ(Flash(), FlashOutcome::Done);

    std::vector<int> expected = {8, 1, 2};
    expected.insert(expected.end(), kFirmwareBlockCount, 3);
    expected.insert(expected.end(), {4, 0, 5});
    EXPECT_EQ(Commands(), expected);
    const auto& log = unit.RequestLog();
    EXPECT_TRUE(std::equal(log[1].begin() + 1, log[1].begin() + 17, file.end() - 16));
    for (std::size_t i = 0; i < kFirmwareBlockCount; ++i) {
        ASSERT_EQ(log[3 + i][18] | (log[3 + i][19] << 8), static_cast<int>(16 * i));
        ASSERT_TRUE(std::equal(log[3 + i].begin() + 1, log[3 + i].begin() + 17, file.begin() + 16 * i));
    }
    EXPECT_EQ(std::make_pair(log[3 + 2047][18], log[3 + 2047][19]),
              std::make_pair(std::uint8_t{0xF0}, std::uint8_t{0x7F}));

    // The window: asked first, the success box before CmdFinish, labels renewed.
    const std::size_t before_finish = log.size() - 1;
    EXPECT_EQ(window.calls.front(), std::make_pair(std::string("ask ") + kFlashQuestion, std::size_t{0}));
    EXPECT_EQ(window.calls[1], std::make_pair(std::string("loader look"), std::size_t{0}));
    EXPECT_TRUE(Saw("labels 5 22 \"СМС-данные ультразвукового расходомера ЛЕТ-7Ж\""));
    EXPECT_EQ(window.calls.back(), std::make_pair(std::string("box Перепрошивка: Завершено успешно"), before_finish));
    EXPECT_FALSE(window.progress_visible);
    EXPECT_EQ(window.progress, 0);

    EXPECT_EQ(unit.Firmware(), image);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin()));
    // The unit leaves the bus after finishing, and comes back as itself.
    EXPECT_TRUE(left);
    EXPECT_FALSE(link.HasUnit());
    unit.ReturnToBus();
    UnitIdentity id;
    EXPECT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(id.DeviceType, 3);
}

TEST_F(FirmwareUpdateTest, EveryFailureStopsWithItsBoxAndNeverReportsSuccess) {
    struct Case {
        const char* What;
        std::function<void(FirmwareUpdateTest&)> Arrange;
        FlashOutcome Outcome;
        std::vector<int> Commands;  // the first ones sent, all of them when Exact
        bool Exact;
        const char* Box;  // "" for none
        bool Button;
    };
    const std::vector<int> programming = [] {
        std::vector<int> c = {8, 1, 2};
        c.insert(c.end(), kFirmwareBlockCount, 3);
        c.push_back(4);
        return c;
    }();
    const Case cases[] = {
        {"no file",
         [](auto& t) { std::filesystem::remove(t.folder / "unit.bin"); },
         FlashOutcome::FileNotOpened,
         {},
         true,
         "Не получилось открыть файл",
         false},
        {"No at the question", [](auto& t) { t.window.answer = false; }, FlashOutcome::Declined, {}, true, "", false},
        {"image for another unit",
         [](auto& t) { t.unit.AcceptOnlyImageTail(ReportPayload{}); },
         FlashOutcome::ImageRefused,
         {8, 1},
         true,
         "Прошивка не подходит для этого устройства",
         true},
        {"verification fails", [](auto& t) { t.unit.FailVerification(true); }, FlashOutcome::VerifyFailed, programming,
         true, "Проверка не пройдена. Попробуйте повторить", true},
        {"a block lost", [](auto& t) { t.unit.LoseBlock(1000); }, FlashOutcome::VerifyFailed, programming, true,
         "Проверка не пройдена. Попробуйте повторить", true},
        {"silent at verification: the earlier 1 does not pass",
         [](auto& t) { t.window.on_progress = [&t](int n) { t.unit.SetSilent(n == 2048); }; }, FlashOutcome::LinkFailed,
         programming, true, "Модем не отвечает", true},
        {"silent at the image check",
         [](auto& t) {
             t.link.Reply().Data[0] = 1;
             t.window.on_look = [&t] { t.unit.SetSilent(true); };
         },
         FlashOutcome::LinkFailed,
         {8, 1},
         true,
         "Модем не отвечает",
         true},
        {"pulled out at block 1000",
         [](auto& t) { t.unit.UnplugAfter(3 + 1000); },
         FlashOutcome::LinkFailed,
         {8, 1, 2, 3},
         false,
         "Модем отключён",
         false},
        {"pulled out while the window repaints",
         [](auto& t) { t.window.on_look = [&t] { t.unit.Unplug(); }; },
         FlashOutcome::LinkFailed,
         {},
         true,
         "Модем отключён",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        FirmwareUpdateTest& t = *this;
        t.unit.ReturnToBus();
        t.unit.ClearRequestLog();
        t.unit.FailVerification(false);
        t.unit.SetSilent(false);
        t.folder.Write("unit.bin", file);
        ReportPayload tail;
        std::copy(file.end() - 16, file.end(), tail.begin());
        t.unit.AcceptOnlyImageTail(tail);
        t.window = RecordingWindow(unit);
        c.Arrange(t);

        EXPECT_EQ(Flash(), c.Outcome);
        const std::vector<int> sent = Commands();
        if (c.Exact) {
            EXPECT_EQ(sent, c.Commands);
        } else {
            EXPECT_TRUE(std::equal(c.Commands.begin(), c.Commands.end(), sent.begin()));
        }
        if (c.Outcome == FlashOutcome::LinkFailed && !c.Exact) {
            EXPECT_EQ(sent.size(), 3u + 1000);  // nothing after the block that was lost with the unit
        }
        EXPECT_FALSE(Saw("box Перепрошивка: Завершено успешно"));
        EXPECT_EQ(Saw(std::string("box Перепрошивка: ") + c.Box), *c.Box != '\0');
        EXPECT_EQ(Saw("button"), c.Button);
        EXPECT_FALSE(window.progress_visible);
    }
}

TEST_F(FirmwareUpdateTest, ShortFilesArePaddedWithZerosAndLongOnesCut) {
    std::vector<std::uint8_t> long_file(40000, 0x5A);
    long_file[kFirmwareImageSize - 1] = 0x11;
    folder.Write("long.bin", long_file);
    folder.Write("short.bin", std::vector<std::uint8_t>(100, 0x77));

    ASSERT_TRUE(LoadFirmwareImage(folder / "long.bin", image));
    EXPECT_EQ(image.back(), 0x11);
    ASSERT_TRUE(LoadFirmwareImage(folder / "short.bin", image));
    EXPECT_EQ(image[99], 0x77);
    EXPECT_TRUE(std::all_of(image.begin() + 100, image.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_FALSE(LoadFirmwareImage(folder / "none.bin", image));
    EXPECT_EQ(image[99], 0x77);
}

TEST_F(FirmwareUpdateTest, PassThroughSwitchesTheModuleAroundTheInstructions) {
    const std::string text = GsmFlashInstructions();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14);
    EXPECT_EQ(text.rfind("GSM-модуль готов к началу перепрошивки.\rТеперь", 0), 0u);
    EXPECT_NE(text.find("\r3. Когда в логе появится сообщение \"Power On/Reset Target\", нажмите кнопку <OK> в этом "
                        "окошке.\r   После чего"),
              std::string::npos);
    const std::string last = "\r   Закройте программу и переподключите модем.";
    EXPECT_EQ(text.substr(text.size() - last.size()), last);

    struct Case {
        bool Answer;
        bool PulledOut;
        PassThroughOutcome Outcome;
        std::vector<int> Commands;
    };
    for (const Case& c : {Case{true, false, PassThroughOutcome::Done, {9, 10}},
                          {false, false, PassThroughOutcome::Declined, {}},
                          {true, true, PassThroughOutcome::UnitLeft, {9}}}) {
        unit.ReturnToBus();
        unit.ClearRequestLog();
        window = RecordingWindow(unit);
        window.answer = c.Answer;
        if (c.PulledOut) window.on_message = [this] { unit.Unplug(); };
        EXPECT_EQ(RunGsmPassThrough(link, window), c.Outcome);
        EXPECT_EQ(Commands(), c.Commands);
        EXPECT_EQ(Saw("box Перепрошивка GSM-модуля: " + text), c.Answer);
        if (c.Answer) {
            EXPECT_EQ(window.calls.back().second, 1u);  // the box while the module was through
        }
    }
}

}  // namespace
}  // namespace dlk::config
