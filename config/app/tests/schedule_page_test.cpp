// The schedule page driven as a user would: the mouse over the chart, the
// pop-up menu, the wheel and the file buttons.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <cstring>
#include <filesystem>

#include "config/app/tests/unit_bus_fixture.h"
#include "drawing/dib_surface.h"
#include "framework/application/file_dialog.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::config::testing {
using namespace ::dlk::testing;
namespace {

QImage Chart(TForm1& f) {
    return f.Surface()->Image().copy();
}

bool ColumnsDiffer(const QImage& a, const QImage& b, int from, int to) {
    for (int x = from; x <= to; ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) return true;
        }
    }
    return false;
}

void Choose(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text && action->isVisible()) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no item " << text.toStdString();
}

TEST_F(ConfigWindowTest, ThePopUpAddsAPointUnderTheMouseAndTheWheelZooms) {
    OpenWindows();
    form->Show();
    QWidget* page = form->TabSheet2->Widget();
    const QImage empty = Chart(*form);
    for (TSpeedButton* button : {form->SpeedButton2, form->SpeedButton5, form->SpeedButton6}) {
        EXPECT_EQ(button->Glyph().Image().size(), QSize(16, 16)) << button->Name();
    }
    const int x = 395;

    QTest::mouseMove(page, QPoint(x, 120));
    EXPECT_TRUE(form->Label10->Visible());
    EXPECT_EQ(form->Label10->Left(), x);
    EXPECT_FALSE(form->Label10->Caption().empty());

    struct Step {
        QPoint At;
        const char* Item;
        std::uint8_t Count;
        bool On;
    };
    const Step steps[] = {{{x, 120}, "добавить точку вкл.", 1, true}, {{200, 100}, "добавить точку выкл.", 2, false}};
    auto choose_at = [&](QPoint at, const char* item) {
        QTest::mouseMove(page, at);
        QTest::mousePress(page, Qt::RightButton, {}, at);
        QTest::mouseRelease(page, Qt::RightButton, {}, at);
        QContextMenuEvent menu_event(QContextMenuEvent::Mouse, at, page->mapToGlobal(at));
        QApplication::sendEvent(page, &menu_event);
        QMenu* menu = form->PopupMenu1->ShownMenu();
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
        Choose(*menu, QString::fromUtf8(item));
        menu->close();
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Item);
        EXPECT_GE((step.On ? form->N2 : form->N3)->ImageIndex(), 0);
        choose_at(step.At, step.Item);
        ASSERT_EQ(form->Schedule.PointCount, step.Count);
        const auto points = form->Schedule.InUse();
        const auto added = std::find_if(points.begin(), points.end(), [&](const SchedulePoint& p) {
            return p.Minute == form->Chart.View().XToMinute(step.At.x());
        });
        ASSERT_NE(added, points.end());
        EXPECT_EQ(added->On, step.On ? 1 : 0);
    }
    // The first point's marker is on the surface, half a marker either side of it.
    EXPECT_TRUE(ColumnsDiffer(empty, Chart(*form), x - 7, x + 8));

    // A full table refuses the 128th point with a box and keeps what it has.
    const ScheduleTable kept = form->Schedule;
    while (form->Schedule.PointCount < kMaxSchedulePoints) form->Schedule.AddPoint(9000, true);
    boxes.clear();
    choose_at({600, 120}, "добавить точку выкл.");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, kTooManyPointsText);
    EXPECT_EQ(boxes[0].Caption, kTooManyPointsCaption);
    EXPECT_EQ(form->Schedule.PointCount, kMaxSchedulePoints);
    form->Schedule = kept;

    // Above the chart the right button offers no menu.
    QTest::mousePress(page, Qt::RightButton, {}, QPoint(x, 20));
    EXPECT_EQ(form->TabSheet2->PopupMenu(), nullptr);

    QTest::mouseMove(page, QPoint(x, 120));
    // The page leaves the wheel alone, so it reaches the window.
    const QPoint in_window = page->mapTo(form->Widget(), QPoint(x, 120));
    QWheelEvent wheel(QPointF(in_window), QPointF(form->Widget()->mapToGlobal(in_window)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(form->Widget(), &wheel);
    EXPECT_EQ(form->Chart.View().ZoomFactor, 2);
}

// The unit's points (ON Monday 01:00, OFF 02:00) on the chart; the OFF one
// dragged along with the mouse, then written to the unit by "Применить".
TEST_F(ConfigWindowTest, AUnitsScheduleIsOnTheChartAndADraggedPointGoesBackToIt) {
    OpenWindows();
    SimulatedUnit& unit = Plug("hidraw0", ConfiguredUnit(128));
    ASSERT_TRUE(WaitOpen(true));
    form->KtPageControl1->SetActivePage(form->TabSheet2);
    form->Show();
    QWidget* page = form->TabSheet2->Widget();
    const QRgb band = qRgb(0xB0, 0xEE, 0xB7);
    const int band_y = 50;  // of the chart, between the day names and the markers
    struct Look {
        int X;
        bool InBand;
    };
    auto expect_bands = [&](std::initializer_list<Look> looks) {
        const QImage chart = Chart(*form);
        for (const Look l : looks) EXPECT_EQ(chart.pixel(l.X, band_y) == band, l.InBand) << "x " << l.X;
    };
    // Minute 60 lies at x 4 and minute 120 at x 9.
    expect_bands({{2, false}, {6, true}, {8, true}, {11, false}, {200, false}});

    // x 12 is nearer the OFF point than the tolerance and too far from the ON one.
    const int strip = ScheduleChart::kMarkerStripTop + 9;
    QTest::mouseMove(page, QPoint(12, strip));
    ASSERT_TRUE(form->Schedule.Highlighted);
    EXPECT_EQ(form->Schedule.HighlightIndex, 1);
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(12, strip));
    QTest::mouseMove(page, QPoint(400, strip));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(400, strip));
    const std::uint16_t moved = form->Chart.View().XToMinute(400);
    EXPECT_EQ(form->Schedule.Points[1], (SchedulePoint{moved, 0, 1}));
    EXPECT_EQ(form->Label10->Caption(), "четверг 13:04");
    expect_bands({{2, false}, {6, true}, {200, true}, {398, true}, {402, false}});

    boxes.clear();
    form->BitBtn2->PerformClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Завершено успешно");
    const std::uint8_t records[] = {0x3C, 0x40, std::uint8_t(moved & 0xFF), std::uint8_t(moved >> 8)};
    EXPECT_EQ(std::memcmp(unit.Page(1).data(), records, sizeof records), 0);
}

TEST_F(ConfigWindowTest, TheScheduleGoesToAGrfFileAndComesBack) {
    OpenWindows();
    form->Show();
    const std::filesystem::path dir = std::filesystem::path(paths.DevDir).parent_path() / "schedules";
    std::filesystem::create_directories(dir);
    form->Schedule.AddPoint(100, true);
    form->Schedule.AddPoint(5000, false);
    const ScheduleTable saved = form->Schedule;

    std::optional<std::string> answer;
    SetFileDialogAnswerer([&](const FileDialogRequest& r) {
        EXPECT_EQ(r.Filter, "файл графика работы (*.grf)|*.grf");
        return answer;
    });
    struct Step {
        TSpeedButton* Button;
        std::optional<std::string> Answer;
        std::uint8_t Count;
        const char* Caption;
    };
    const std::string base = "ДЛК-настройка v1.3";
    const Step steps[] = {
        {form->SpeedButton6, (dir / "week.txt").string(), 2, " [week.grf]"},
        {form->SpeedButton2, std::nullopt, 0, ""},
        {form->SpeedButton5, (dir / "week.grf").string(), 2, " [week.grf]"},
        {form->SpeedButton6, (dir / "missing" / "other.grf").string(), 2, " [week.grf]"},
        {form->SpeedButton5, std::nullopt, 2, " [week.grf]"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Button->Name() + " " + step.Answer.value_or("cancelled"));
        answer = step.Answer;
        QTest::mouseClick(step.Button->Widget(), Qt::LeftButton);
        EXPECT_EQ(form->Schedule.PointCount, step.Count);
        EXPECT_EQ(form->Caption(), base + step.Caption);
    }
    SetFileDialogAnswerer(nullptr);
    EXPECT_EQ(std::filesystem::file_size(dir / "week.grf"), 514u);
    EXPECT_FALSE(std::filesystem::exists(dir / "week.txt"));
    for (std::size_t i = 0; i < saved.Points.size(); ++i) EXPECT_EQ(form->Schedule.Points[i], saved.Points[i]) << i;
}

}  // namespace
}  // namespace dlk::config::testing
