// The page "Перепрошивка" over a simulated unit on the fake hidraw tree:
// choosing the image, a flash through the window's own boxes, and the
// page's picture.
#include <QImage>
#include <fstream>

#include "config/app/tests/unit_bus_fixture.h"
#include "config/core/firmware_update.h"
#include "framework/application/file_dialog.h"
#include "framework/components/description_reader.h"

namespace dlk::config::testing {
using namespace ::dlk::testing;
namespace {

FirmwareBytes PatternImage() {
    FirmwareBytes image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = std::uint8_t(i * 7 + 3);
    return image;
}

class FirmwarePageTest : public ConfigWindowTest {
protected:
    void TearDown() override {
        SetFileDialogAnswerer(nullptr);
        ConfigWindowTest::TearDown();
    }
};

// No at the question and the other failures are the procedure's own, tested without windows.
TEST_F(FirmwarePageTest, AFlashThroughThePageEndsWithTheUnitReadAgain) {
    OpenWindows();
    SimulatedUnit& unit = Plug("hidraw1", ConfiguredUnit(128));
    ASSERT_TRUE(WaitOpen(true));
    const FirmwareBytes image = PatternImage();
    const auto file = folder / "main.bin";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
    std::string filter;
    SetFileDialogAnswerer([&](const FileDialogRequest& r) -> std::optional<std::string> {
        filter = r.Filter;
        return file.string();
    });
    form->SpeedButton1Click(form->SpeedButton1);
    EXPECT_EQ(filter, "файл прошивки (*.bin)|*.bin");
    EXPECT_EQ(form->Edit1->Text(), file.string());

    // Flashed, the unit answers as a type-3 unit; after CmdFinish it leaves the bus.
    unit.SetIdentity(ConfiguredIdentity(3));
    unit.OnLeftBus([&] { std::filesystem::remove(NodePath("hidraw1")); });
    bool progress_hidden_at_success = false;
    SetMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        boxes.push_back(r);
        if (r.Text == kDoneText) progress_hidden_at_success = !form->ProgressBar1->Visible();
        return (r.Flags & MB_YESNO) ? int(IDYES) : int(IDOK);
    });
    form->Button1->PerformClick();

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Flags, unsigned(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes[1].Text, kDoneText);
    EXPECT_EQ(boxes[1].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(boxes[1].Owned);
    EXPECT_TRUE(progress_hidden_at_success);
    EXPECT_FALSE(form->ProgressBar1->Visible());
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    EXPECT_EQ(unit.CompletedUpdates(), 1);
    EXPECT_EQ(unit.Firmware(), image);
    EXPECT_EQ(form->Label7->Caption(), "\"СМС-данные ультразвукового расходомера ЛЕТ-7Ж\"");
    EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3 (ЗАГРУЗЧИК)");
    EXPECT_FALSE(form->Button2->Enabled());

    // Gone, then back: read again through the hot-plug notices.
    ASSERT_TRUE(WaitOpen(false));
    unit.ReturnToBus();
    std::ofstream(NodePath("hidraw1")).put('\0');
    ASSERT_TRUE(WaitOpen(true));
    EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3");
    EXPECT_EQ(form->DeviceType, 3);
    EXPECT_TRUE(form->Button1->Enabled());
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
}  // namespace dlk::config::testing
