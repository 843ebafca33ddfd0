// The page "Перепрошивка" over a simulated unit on the fake hidraw tree:
// choosing the image, a flash through the window's own boxes, and the
// page's picture.
#include <QImage>
#include <fstream>

#include "config/app/tests/unit_bus_fixture.h"
#include "config/core/firmware_update.h"
#include "framework/core/description_reader.h"
#include "framework/core/file_dialog.h"

namespace dlk::testing {
namespace {

FirmwareBytes PatternImage() {
    FirmwareBytes image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = std::uint8_t(i * 7 + 3);
    return image;
}

int CommandCount(const SimulatedUnit& unit, UnitCommand command) {
    int n = 0;
    for (const ConfigReportBytes& r : unit.RequestLog()) n += r[17] == std::uint8_t(command);
    return n;
}

class FirmwarePageTest : public ConfigWindowTest {
protected:
    void TearDown() override {
        SetFileDialogAnswerer(nullptr);
        ConfigWindowTest::TearDown();
    }
};

TEST_F(FirmwarePageTest, AFlashThroughThePageOrItsRefusal) {
    struct Case {
        const char* name;
        bool yes;
    };
    for (const Case& c : {Case{"yes", true}, Case{"no", false}}) {
        SCOPED_TRACE(c.name);
        OpenWindows();
        const std::string node = c.yes ? "hidraw1" : "hidraw2";
        SimulatedUnit& unit = Plug(node, ConfiguredUnit(128));
        ASSERT_TRUE(WaitOpen(true));
        EXPECT_TRUE(form->Button1->Enabled());
        EXPECT_FALSE(form->ProgressBar1->Visible());
        EXPECT_EQ(form->ProgressBar1->Max(), 2048);

        const FirmwareBytes image = PatternImage();
        const auto file = folder / "main.bin";
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
        std::vector<FileDialogRequest> dialogs;
        SetFileDialogAnswerer([&](const FileDialogRequest& r) -> std::optional<std::string> {
            dialogs.push_back(r);
            return file.string();
        });
        form->SpeedButton1Click(form->SpeedButton1);
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].Filter, "файл прошивки (*.bin)|*.bin");
        EXPECT_EQ(form->Edit1->Text(), file.string());

        // The unit answers as a type-3 unit once flashed, and leaves the bus after CmdFinish.
        UnitIdentity renewed = ConfiguredIdentity(3);
        unit.SetIdentity(renewed);
        bool progress_hidden_at_success = false;
        SetMessageBoxAnswerer([&](const MessageBoxRequest& r) {
            boxes.push_back(r);
            if (r.Text == kDoneText) {
                progress_hidden_at_success = !form->ProgressBar1->Visible() && form->ProgressBar1->Position() == 0;
            }
            return (r.Flags & MB_YESNO) ? int(c.yes ? IDYES : IDNO) : int(IDOK);
        });
        unit.OnLeftBus([&] { std::filesystem::remove(NodePath(node)); });
        boxes.clear();
        unit.ClearRequestLog();
        const std::string caption = form->Caption();
        form->Button1->PerformClick();

        if (!c.yes) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_TRUE(unit.RequestLog().empty());
            EXPECT_EQ(form->Caption(), caption);
            EXPECT_TRUE(form->Button1->Enabled());
            EXPECT_EQ(form->Label7->Caption(), "\"GPRS-модем\"");
            CloseWindows();
            continue;
        }
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].Flags, unsigned(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(boxes[0].Text, kFlashQuestion);
        EXPECT_EQ(boxes[1].Text, kDoneText);
        EXPECT_EQ(boxes[1].Caption, kFlashCaption);
        EXPECT_EQ(boxes[1].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
        EXPECT_TRUE(boxes[1].Owned);
        EXPECT_TRUE(progress_hidden_at_success);
        EXPECT_FALSE(form->ProgressBar1->Visible());
        EXPECT_EQ(form->ProgressBar1->Position(), 0);
        EXPECT_EQ(CommandCount(unit, UnitCommand::CmdProgramBlock), 2048);
        EXPECT_EQ(unit.CompletedUpdates(), 1);
        EXPECT_EQ(unit.Firmware(), image);
        EXPECT_EQ(form->Label7->Caption(), "\"СМС-данные ультразвукового расходомера ЛЕТ-7Ж\"");
        EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3 (ЗАГРУЗЧИК)");
        EXPECT_FALSE(form->Button1->Enabled());
        EXPECT_FALSE(form->Button2->Enabled());

        // Gone, then back: read again through the hot-plug notices.
        ASSERT_TRUE(WaitOpen(false));
        unit.ClearRequestLog();
        unit.ReturnToBus();
        std::ofstream(NodePath(node)).put('\0');
        ASSERT_TRUE(WaitOpen(true));
        EXPECT_GE(CommandCount(unit, UnitCommand::CmdIdentify), 1);
        EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3");
        EXPECT_EQ(form->DeviceType, 3);
        EXPECT_TRUE(form->Button1->Enabled());
        CloseWindows();
    }
}

TEST_F(FirmwarePageTest, ThePagesPictureDecodesAndABrokenOneLeavesTheImageEmpty) {
    OpenWindows();
    const QImage& picture = form->Image1->Picture().Image();
    ASSERT_EQ(picture.size(), QSize(200, 120));
    // The pale background and the chip's dark face.
    EXPECT_GT(picture.pixelColor(5, 5).lightness(), 200);
    EXPECT_LT(picture.pixelColor(65, 65).lightness(), 60);
    CloseWindows();

    std::string jpeg_head = "\xFF\xD8\xFF\xE0";
    jpeg_head.append(2, '\0');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut after its header", jpeg_head},
        {"not a picture", "plain text, not a picture"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = folder / "broken.jpg";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        const std::string text = "Form1 : TForm {\n  Image1 : TImage { Width = 40  Height = 20  Picture = resource \"" +
                                 file.string() + "\" }\n}\n";
        TForm window(nullptr);
        EXPECT_NO_THROW(ReadComponent(window, text, "broken.form"));
        auto* image = FindOwned<TImage>(window, "Image1");
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->Picture().Empty());
        window.Show();
        EXPECT_NO_THROW(image->Widget()->grab());
    }
}

}  // namespace
}  // namespace dlk::testing
