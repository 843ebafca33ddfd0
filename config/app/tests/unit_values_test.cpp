// What the window shows of a unit is what the unit holds, what it writes
// back is what it shows, and what goes wrong on the way is said.
#include <QApplication>
#include <QLineEdit>
#include <QWheelEvent>
#include <cstring>

#include "config/app/tests/unit_bus_fixture.h"
#include "drawing/dib_surface.h"
#include "framework/application/file_dialog.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::config::testing {
using namespace ::dlk::testing;
namespace {

TEST_F(ConfigWindowTest, StoredValuesShowWholeGoBackUneditedAndTooLargeTypedOnesSendNothing) {
    auto held = ConfiguredUnit(3);
    SettingsPage& p0 = held->Page(0);
    p0[0xB8] = 12345 & 0xFF, p0[0xB9] = 12345 >> 8, p0[0x0A] = 25;                    // 1234.5 ms, 100 s
    std::memcpy(p0.data() + 0x80, ("\"" + std::string(45, 's') + "\"z").data(), 48);  // no NUL
    OpenWindows();
    SimulatedUnit& unit = Plug("hidraw0", held);
    ASSERT_TRUE(WaitOpen(true));
    EXPECT_EQ(form->Edit8->Text() + " " + form->Edit11->Text(), "1234.5 100");
    EXPECT_EQ(form->Edit6->Text(), std::string(45, 's') + "\"");
    const SettingsMemory before{unit.Page(0), unit.Page(1), unit.Page(2)};
    form->BitBtn2->PerformClick();
    EXPECT_TRUE(unit.Page(0) == before[0] && unit.Page(1) == before[1] && unit.Page(2) == before[2]);

    // Changed: a server is cut to its field, and the bytes no field
    // owns keep what was read, not what the last request left there.
    struct Case {
        TEdit* TForm1::*Edit;
        const char *Typed, *Box;
    };
    for (const Case c : {Case{&TForm1::Edit8, "12345", "'12345' is not a valid floating point value"},
                         {&TForm1::Edit10, "256", "'256' is not a valid integer value"},
                         {&TForm1::Edit6, "192.168.1.1", "Завершено успешно"}}) {
        TEdit& edit = *(form.get()->*c.Edit);
        const std::string was = edit.Text();
        edit.SetText(c.Typed);
        unit.ClearRequestLog();
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, c.Box);
        EXPECT_EQ(unit.RequestLog().empty(), c.Edit != &TForm1::Edit6) << c.Typed;
        edit.SetText(was);
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(unit.Page(0).data()) + 0x80), "\"192.168.1.1\"");
    for (const int at : {0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0xBB}) EXPECT_EQ(unit.Page(0)[at], 0xA5) << at;
}

TEST_F(ConfigWindowTest, UneditedAfterAnotherUnitValuesNoListOffersGoBackAsReadAndTheSmsHeaderAgrees) {
    struct Case {
        const char* Line;  // baud and stop byte
        std::uint8_t Stored, Written;
        const char* Header;
    };
    OpenWindows();
    int n = 0;  // 19200 with two stop bits, then 300 with a stop byte no list offers
    for (const Case c :
         {Case{"\x00\x4B\x00\x00\x02", 12, 12, "0008A718"}, {"\x2C\x01\x00\x00\x01", 200, 70, "0008A78C"}}) {
        auto held = ConfiguredUnit(3);
        std::memcpy(held->Page(0).data(), c.Line, 5);
        held->Page(2)[0x1E] = c.Stored;
        for (int i = 0; i < 70; ++i) held->Page(2)[0x1F + i] = static_cast<std::uint8_t>('a' + i % 26);
        SimulatedUnit& unit = Plug("hidraw" + std::to_string(n), held);
        ASSERT_TRUE(WaitOpen(true));
        SettingsMemory expected{unit.Page(0), unit.Page(1), unit.Page(2)};
        expected[2][0x1E] = c.Written;
        std::memcpy(expected[2].data() + 0x16, c.Header, 8);
        boxes.clear();
        form->BitBtn2->PerformClick();
        EXPECT_EQ(boxes.at(0).Text, "Завершено успешно");
        EXPECT_TRUE(unit.Page(0) == expected[0] && unit.Page(2) == expected[2]) << int(c.Stored);
        Unplug("hidraw" + std::to_string(n++));
        ASSERT_TRUE(WaitOpen(false));
    }
}

TEST_F(ConfigWindowTest, TextCodePage1251CannotHoldIsRefusedNamingItsFieldAndNothingIsWritten) {
    OpenWindows();
    SimulatedUnit& unit = Plug("hidraw0", ConfiguredUnit(129));
    ASSERT_TRUE(WaitOpen(true));
    form->Show();
    QApplication::setActiveWindow(form->Widget());
    ASSERT_TRUE(WaitUntil([&] { return form->Widget()->isActiveWindow(); }));
    // One field of each window and page; the refusal goes by one table for all.
    const std::pair<TEdit*, std::string> cases[] = {{panel->Edit2, "APN"},
                                                    {form->Edit4, "NTP-сервер"},
                                                    {form->Edit7, "порт сервера (1024..65535)"},
                                                    {form->Edit12, "текст сообщения (максимум 70 символов)"}};
    for (const auto& [edit, label] : cases) {
        const bool on_main_window = edit->Owner() == form.get();
        const std::string was = edit->Text(), text = on_main_window ? "日本" : "Zoë";
        edit->SetText(text);
        form->KtPageControl1->SetActivePage(form->TabSheet3);  // the field's page is not in view
        unit.ClearRequestLog();
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u) << label;
        EXPECT_NE(boxes[0].Text.find('"' + label + '"'), std::string::npos) << boxes[0].Text;
        EXPECT_TRUE(unit.RequestLog().empty()) << label;
        if (on_main_window) {
            EXPECT_TRUE(edit->Focused() &&
                        static_cast<QLineEdit*>(edit->Widget())->selectedText().toStdString() == text)
                << label;
        }
        edit->SetText(was);
    }
}

TEST_F(ConfigWindowTest, AUnitLostWhileItsSettingsAreReadIsSaidOnceAndResetsTheWindow) {
    struct Case {
        SimulatedUnit::Fault Fault;
        const char* Text;
        std::size_t Requests;  // the lost one is not among them
    };
    OpenWindows();
    int n = 0;
    for (const Case c : {Case{SimulatedUnit::Fault::Unplug, "Модем отключён", 12},
                         {SimulatedUnit::Fault::Silence, "Модем не отвечает", 13},
                         {SimulatedUnit::Fault::Garbage, "Ошибка обмена с модемом", 13}}) {
        form->Schedule.AddPoint(500, true);
        form->Chart.View().ZoomFactor = 4;
        auto unit = ConfiguredUnit(128);
        unit->FailAfter(12, c.Fault);  // after identification and eleven reads
        boxes.clear();
        Plug("hidraw" + std::to_string(n++), unit);
        ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }, 3000));
        form->FormActivate(form.get());  // does not try the same unit again
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text + " " + boxes[0].Caption, std::string(c.Text) + " ДЛК-настройка");
        EXPECT_EQ(unit->RequestLog().size(), c.Requests);
        EXPECT_TRUE(form->DevicePath.empty() && !form->BitBtn2->Enabled() && !form->TabSheet3->TabVisible());
        EXPECT_EQ(form->Schedule.PointCount + form->Chart.View().ZoomFactor, 1) << c.Text;
        unit->Unplug();
    }
}

TEST_F(ConfigWindowTest, DialogsKeepTheirFiltersFlashingEmptiesTheChartAndSavedMinutesOpenAgain) {
    OpenWindows();
    const QImage empty = form->Surface()->Image().copy();
    form->Chart.View().ZoomFactor = 8;
    Plug("hidraw0", ConfiguredUnit(128, true), 0x2019);
    ASSERT_TRUE(WaitOpen(true));
    EXPECT_EQ(form->Chart.View().ZoomFactor, 8) << "a boot loader alone leaves the view";
    Unplug("hidraw0");
    ASSERT_TRUE(WaitOpen(false));

    auto held = ConfiguredUnit(128);
    held->Page(1)[2] = 12000 & 0xFF, held->Page(1)[3] = 12000 >> 8;  // OFF past the week's end
    held->AcceptOnlyImageTail(ReportPayload{1});
    Plug("hidraw1", held);
    ASSERT_TRUE(WaitOpen(true));
    std::vector<FileDialogRequest> asked;
    SetFileDialogAnswerer([&](const FileDialogRequest& r) -> std::optional<std::string> {
        asked.push_back(r);
        return (folder / (r.Filter.find("bin") != std::string::npos ? "unit.bin" : "week.grf")).string();
    });
    std::ofstream(folder / "unit.bin") << std::string(kFirmwareImageSize, 'f');
    form->SpeedButton1Click(nullptr);
    form->SpeedButton6Click(nullptr);
    form->SpeedButton2Click(nullptr);
    form->SpeedButton5Click(nullptr);
    SetFileDialogAnswerer(nullptr);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].Filter + asked[2].FileName, "файл графика работы (*.grf)|*.grf");
    EXPECT_EQ(form->Schedule.Points[1], (SchedulePoint{12000 - 10080, 0, 0})) << "the saved file opened";

    form->Chart.View().ZoomFactor = 8;
    SetMessageBoxAnswerer([&](const MessageBoxRequest& r) { return boxes.push_back(r), int(IDYES); });
    form->Button1->PerformClick();
    EXPECT_EQ(boxes.back().Text, "Прошивка не подходит для этого устройства");
    EXPECT_EQ(form->Chart.View().ZoomFactor, 1);
    EXPECT_TRUE(form->Surface()->Image() == empty);
}

TEST_F(ConfigWindowTest, FirstShowingFindsTheUnitTheWheelReachesTheFormAndTheChartPaintsItsPage) {
    Plug("hidraw0", ConfiguredUnit(128));
    OpenWindows();
    form->Show();
    EXPECT_EQ(form->DevicePath, NodePath("hidraw0"));
    int seen = 0;
    form->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++seen; };
    QWheelEvent wheel(QPointF(300, 150), QPointF(300, 150), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(form->Widget(), &wheel);
    EXPECT_EQ(form->Chart.View().ZoomFactor * 10 + seen, 21);

    EXPECT_EQ(form->BitBtn2->Glyph().Image().size(), QSize(16, 16));
    QImage page(792, 193, QImage::Format_RGB32);
    page.fill(Qt::black);
    TCanvas canvas(&page);
    bool handled = false;
    form->TabSheet2PaintBackground(form->TabSheet2, canvas, Rect(0, 0, 792, 193), handled);
    EXPECT_TRUE(handled && page.pixel(700, 10) != qRgb(0, 0, 0));
}

}  // namespace
}  // namespace dlk::config::testing
