// The schedule page driven as a user would: the mouse over the chart, the
// pop-up menu, the wheel and the file buttons.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <filesystem>

#include "config/app/tests/unit_bus_fixture.h"
#include "drawing/dib_surface.h"
#include "framework/core/file_dialog.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::testing {
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
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Item);
        QTest::mouseMove(page, step.At);
        QTest::mousePress(page, Qt::RightButton, {}, step.At);
        QTest::mouseRelease(page, Qt::RightButton, {}, step.At);
        QContextMenuEvent menu_event(QContextMenuEvent::Mouse, step.At, page->mapToGlobal(step.At));
        QApplication::sendEvent(page, &menu_event);
        QMenu* menu = form->PopupMenu1->ShownMenu();
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
        EXPECT_GE((step.On ? form->N2 : form->N3)->ImageIndex(), 0);
        Choose(*menu, QString::fromUtf8(step.Item));
        menu->close();
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
}  // namespace dlk::testing
