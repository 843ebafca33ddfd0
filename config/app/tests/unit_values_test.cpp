// What the window shows of a unit is what the unit holds, what it writes
// back is what it shows, and what goes wrong on the way is said.
#include <QTest>
#include <QWheelEvent>
#include <cstring>
#include <filesystem>

#include "config/app/tests/unit_bus_fixture.h"
#include "config/app/unit2.h"
#include "drawing/dib_surface.h"
#include "framework/core/file_dialog.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::testing {
namespace {

std::string Offered(const TForm1& f) {
    std::string s;
    for (TKtTabSheet* page : {f.TabSheet1, f.TabSheet4, f.TabSheet5, f.TabSheet3}) s += page->TabVisible() ? '1' : '0';
    return s;
}

void TypeInto(TEdit& edit, const char* text) {
    edit.SetFocus();
    edit.SelectAll();
    QTest::keyClick(edit.Widget(), Qt::Key_Delete);
    QTest::keyClicks(edit.Widget(), QString::fromUtf8(text));
}

TEST_F(ConfigWindowTest, LongStoredValuesShowWholeAndAnUneditedApplyKeepsEveryPage) {
    auto unit = ConfiguredUnit(3);
    SettingsPage& p0 = unit->Page(0);
    p0[0xB8] = 12345 & 0xFF, p0[0xB9] = 12345 >> 8;                  // 1234.5 ms
    p0[0x0A] = 25;                                                   // ping 100 s
    const std::string server = "\"" + std::string(45, 's') + "\"z";  // no NUL in the field
    std::memcpy(p0.data() + 0x80, server.data(), 48);
    OpenWindows();
    SimulatedUnit& held = Plug("hidraw0", std::move(unit));
    ASSERT_TRUE(WaitOpen(true));
    EXPECT_EQ(form->Edit8->Text(), "1234.5");
    EXPECT_EQ(form->Edit11->Text(), "100");
    EXPECT_EQ(form->Edit6->Text(), std::string(45, 's') + "\"");

    const SettingsMemory before{held.Page(0), held.Page(1), held.Page(2)};
    boxes.clear();
    form->BitBtn2->PerformClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Завершено успешно");
    for (std::size_t page = 0; page < kSettingsPageCount; ++page)
        for (std::size_t at = 0; at < kSettingsPageSize; ++at)
            EXPECT_EQ(held.Page(page)[at], before[page][at]) << "page " << page << " byte " << at;

    // A changed server goes out cut to its field; the bytes no field owns
    // keep what was read rather than what the last request left behind.
    form->Edit6->SetText(std::string(46, 'a'));
    form->BitBtn2->PerformClick();
    const std::string written = "\"" + std::string(45, 'a') + "\"" + '\0';
    EXPECT_EQ(std::memcmp(held.Page(0).data() + 0x80, written.data(), 48), 0);
    for (const std::size_t at : {0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0xBB}) EXPECT_EQ(held.Page(0)[at], 0xA5) << at;
}

TEST_F(ConfigWindowTest, ATypedNumberItsFieldCannotHoldSendsNothing) {
    struct Case {
        TEdit* TForm1::*Edit;
        const char* Typed;
        const char* Message;  // "" where the number fits
    };
    const Case cases[] = {
        {&TForm1::Edit8, "12345", "'12345' is not a valid floating point value"},
        {&TForm1::Edit8, "6554", "'6554' is not a valid floating point value"},
        {&TForm1::Edit8, "6553", ""},
        {&TForm1::Edit10, "256", "'256' is not a valid integer value"},
        {&TForm1::Edit10, "255", ""},
    };
    OpenWindows();
    form->Show();
    SimulatedUnit& unit = Plug("hidraw0", ConfiguredUnit(128));
    ASSERT_TRUE(WaitOpen(true));
    form->KtPageControl1->SetActivePage(form->TabSheet1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        TypeInto(*(form.get()->*c.Edit), c.Typed);
        unit.ClearRequestLog();
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u);
        if (*c.Message != 0) {
            EXPECT_EQ(boxes[0].Text, c.Message);
            EXPECT_EQ(boxes[0].Caption, "Применить");
            EXPECT_TRUE(unit.RequestLog().empty());
        } else {
            EXPECT_EQ(boxes[0].Text, "Завершено успешно");
        }
        form->Edit8->SetText("3");
        form->Edit10->SetText("0");
    }
    EXPECT_EQ(unit.Page(0)[0xBA], 255);
}

TEST_F(ConfigWindowTest, AUnitLostWhileItsSettingsAreReadIsSaidOnceAndResetsTheWindow) {
    struct Case {
        SimulatedUnit::Fault Fault;
        const char* Text;
        std::size_t Requests;  // the lost one is not among them
    };
    const Case cases[] = {
        {SimulatedUnit::Fault::Unplug, "Модем отключён", 12},
        {SimulatedUnit::Fault::Silence, "Модем не отвечает", 13},
        {SimulatedUnit::Fault::Garbage, "Ошибка обмена с модемом", 13},
    };
    OpenWindows();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        form->Schedule.AddPoint(500, true);
        form->Chart.View().ZoomFactor = 4;
        form->SetCaption("ДЛК-настройка v1.3 [week.grf]");
        // Identification goes through, then the twelfth read fails.
        auto unit = ConfiguredUnit(128);
        unit->FailAfter(12, c.Fault);
        boxes.clear();
        SimulatedUnit& failing = Plug("hidraw" + std::to_string(n++), std::move(unit));
        ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }, 3000));
        Settle();
        // Coming back to the window does not try the same unit again.
        form->FormActivate(form.get());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, c.Text);
        EXPECT_EQ(boxes[0].Caption, "ДЛК-настройка");
        EXPECT_EQ(failing.RequestLog().size(), c.Requests);
        EXPECT_TRUE(form->DevicePath.empty());
        EXPECT_FALSE(form->BitBtn2->Enabled());
        EXPECT_EQ(Offered(*form), "0000");
        EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3");
        EXPECT_EQ(form->Schedule.PointCount, 0);
        EXPECT_EQ(form->Chart.View().ZoomFactor, 1);
        failing.Unplug();
    }
}

TEST_F(ConfigWindowTest, TheScheduleDialogOffersSchedulesAfterAFirmwareWasChosen) {
    OpenWindows();
    std::vector<FileDialogRequest> asked;
    SetFileDialogAnswerer([&](const FileDialogRequest& r) -> std::optional<std::string> {
        asked.push_back(r);
        return r.Filter.find("*.bin") != std::string::npos ? std::optional<std::string>("/tmp/unit.bin") : std::nullopt;
    });
    form->SpeedButton1Click(nullptr);
    form->SpeedButton5Click(nullptr);
    SetFileDialogAnswerer(nullptr);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(form->Edit1->Text(), "/tmp/unit.bin");
    EXPECT_EQ(asked[1].Filter, "файл графика работы (*.grf)|*.grf");
    EXPECT_EQ(asked[1].FileName, "");
}

TEST_F(ConfigWindowTest, ARefusedFlashLeavesTheChartEmptyAtZoomOneAndABootLoaderKeepsTheView) {
    OpenWindows();
    const QImage empty = form->Surface()->Image().copy();
    // A boot loader arriving by itself leaves the chart as the user left it.
    form->Chart.View().ZoomFactor = 8;
    Plug("hidraw0", ConfiguredUnit(128, true), 0x2019);
    ASSERT_TRUE(WaitOpen(true));
    EXPECT_EQ(form->Chart.View().ZoomFactor, 8);
    Unplug("hidraw0");
    ASSERT_TRUE(WaitOpen(false));

    SimulatedUnit& unit = Plug("hidraw1", ConfiguredUnit(128));
    ASSERT_TRUE(WaitOpen(true));
    ASSERT_EQ(form->Schedule.PointCount, 2);
    form->Chart.View().ZoomFactor = 8;
    form->Chart.View().ViewOffset = 30;
    form->Draw_Scene();
    unit.AcceptOnlyImageTail(ReportPayload{1});
    const std::filesystem::path image = folder / "unit.bin";
    std::ofstream(image, std::ios::binary) << std::string(kFirmwareImageSize, '\0');
    form->Edit1->SetText(image.string());
    SetMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        boxes.push_back(r);
        return int(IDYES);
    });
    form->Button1->PerformClick();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().Text, "Прошивка не подходит для этого устройства");
    EXPECT_EQ(form->Chart.View().ZoomFactor, 1);
    EXPECT_EQ(form->Chart.View().ViewOffset, 0);
    EXPECT_EQ(form->Schedule.PointCount, 0);
    EXPECT_TRUE(form->Surface()->Image() == empty);
}

TEST_F(ConfigWindowTest, AScheduleWithMinutesPastTheWeekSavesAFileThatOpensAgain) {
    auto unit = ConfiguredUnit(128);
    unit->Page(1)[2] = 12000 & 0xFF, unit->Page(1)[3] = 12000 >> 8;  // OFF at minute 12000
    OpenWindows();
    Plug("hidraw0", std::move(unit));
    ASSERT_TRUE(WaitOpen(true));
    ASSERT_EQ(form->Schedule.Points[1].Minute, 12000);
    const std::string file = (folder / "week.grf").string();
    SetFileDialogAnswerer([&](const FileDialogRequest&) -> std::optional<std::string> { return file; });
    form->SpeedButton6Click(nullptr);
    form->SpeedButton2Click(nullptr);
    form->SpeedButton5Click(nullptr);
    SetFileDialogAnswerer(nullptr);
    ASSERT_EQ(form->Schedule.PointCount, 2);
    EXPECT_EQ(form->Schedule.Points[1], (SchedulePoint{12000 - 10080, 0, 0}));
    EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3 [week.grf]");
}

TEST_F(ConfigWindowTest, TheWheelZoomsTheChartAndStillReachesTheWindow) {
    OpenWindows();
    form->Show();
    int seen = 0;
    form->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++seen; };
    struct Case {
        TKtTabSheet* TForm1::*Page;
        std::uint8_t Zoom;
    };
    int n = 0;
    for (const Case c : {Case{&TForm1::TabSheet2, 2}, {&TForm1::TabSheet3, 2}}) {
        OfferPage(*(form.get()->*c.Page), true);
        form->KtPageControl1->SetActivePage(form.get()->*c.Page);
        const QPoint at(300, 150);
        QWheelEvent wheel(QPointF(at), QPointF(form->Widget()->mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form->Widget(), &wheel);
        EXPECT_EQ(form->Chart.View().ZoomFactor, c.Zoom);
        EXPECT_EQ(seen, ++n);
    }
}

TEST_F(ConfigWindowTest, AUnitPresentAtStartIsReadWhenTheWindowFirstShows) {
    Plug("hidraw0", ConfiguredUnit(128));
    OpenWindows();
    EXPECT_TRUE(form->DevicePath.empty());
    form->Show();
    EXPECT_EQ(form->DevicePath, NodePath("hidraw0"));
    EXPECT_EQ(form->Edit6->Text(), "192.168.100.200");
}

TEST_F(ConfigWindowTest, ApplyHasAGlyphAndTheChartPageTakesItsWholeBackground) {
    OpenWindows();
    EXPECT_EQ(form->BitBtn2->Glyph().Image().size(), QSize(16, 16));
    QImage page(792, 193, QImage::Format_RGB32);
    page.fill(Qt::black);
    TCanvas canvas(&page);
    bool handled = false;
    form->TabSheet2PaintBackground(form->TabSheet2, canvas, Rect(0, 0, 792, 193), handled);
    EXPECT_TRUE(handled);
    EXPECT_NE(page.pixel(700, 10), qRgb(0, 0, 0)) << "the strip in the page's colour";
    EXPECT_EQ(page.pixel(100, 100), form->Surface()->Image().pixel(100, 100 - ScheduleChart::kChartTop));
}

}  // namespace
}  // namespace dlk::testing
