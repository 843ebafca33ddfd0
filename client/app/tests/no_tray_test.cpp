#include <QAction>
#include <QMenuBar>
#include <mutex>

#include "client/app/modem_list_view.h"
#include "client/app/tests/shell_fixture.h"
#include "client/app/unit2.h"
#include "client/core/list/list_input.h"
#include "client/testing/simulated_modem.h"
#include "framework/controls/header_control.h"
#include "framework/controls/menus.h"
#include "framework/tests/modal_user.h"

namespace dlk::shell_testing {
namespace {

// A desktop without a notification area: the window is the program's face.
class NoTrayTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        tray_.TrayAvailable = false;
    }
    QAction* BarAction(TForm1& form, const std::string& caption) {
        for (QAction* a : form.Widget()->findChild<QMenuBar*>()->actions())
            if (a->text().toStdString() == caption) return a;
        return nullptr;
    }
};

TEST_F(NoTrayTest, TheWindowShowsAtStartWithTheTrayCommandsAndMinimisesLikeAnyOther) {
    TForm1& form = Start();
    EXPECT_FALSE(form.InTray());
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.ShowInTaskbar());
    ASSERT_NE(form.WindowMenu, nullptr);
    ASSERT_NE(BarAction(form, "Настройки"), nullptr);
    ASSERT_NE(BarAction(form, "Выход"), nullptr);
    EXPECT_TRUE(form.Link().IsOpen());

    form.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(form.Visible());  // not hidden away into a tray that is not there

    // "Настройки" from the bar opens the settings, placed from the cursor
    // on the bar (no tray menu ever popped up).
    env_.CursorPos = [] { return TPoint{400, 300}; };
    form_.reset();
    TForm1& again = Start();
    int shown = 0;
    TForm::SetModalAnswerer([&](TForm& d) {
        ++shown;
        EXPECT_NE(dynamic_cast<TForm2*>(&d), nullptr);
        EXPECT_EQ(d.Left(), 400 - d.Width() / 2);
    });
    BarAction(again, "Настройки")->trigger();
    TForm::SetModalAnswerer(nullptr);
    EXPECT_EQ(shown, 1);

    // "Выход" asks, then ends the program.
    again.MakeMainForm();
    BarAction(again, "Выход")->trigger();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Выход... Уверены?");
    EXPECT_TRUE(Application().Terminated());
}

// The list below the bar: drawn there, and a click on a row selects it.
TEST_F(NoTrayTest, TheListSitsBelowTheBar) {
    TForm1& form = Start();
    sim::SimulatedModem modem(*TextToImei("356938035643809"), LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
    const int top = form.HeaderControl1->Top();
    EXPECT_GT(top, 10);  // the bar's height
    EXPECT_EQ(top, form.Widget()->findChild<QMenuBar*>()->height());

    form.List().DrawModemList();
    const QImage frame = form.List().Frame();
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.height(), form.ClientHeight() - top - kListHeaderHeight);
    const QImage window = form.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(window.copy(0, top + kListHeaderHeight, frame.width(), frame.height()),
              frame.convertToFormat(QImage::Format_RGB32));

    testing::ClickAt(form.Widget(), QPoint(100, top + kListHeaderHeight + 8));
    std::lock_guard lock(form.Table().TableLock);
    EXPECT_EQ(form.Table().SelectedRow, 0);
}

}  // namespace
}  // namespace dlk::shell_testing
