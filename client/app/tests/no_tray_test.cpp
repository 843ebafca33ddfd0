#include <QAction>
#include <QMenuBar>
#include <mutex>

#include "client/app/modem_list_view.h"
#include "client/app/tests/shell_fixture.h"
#include "client/core/list/list_input.h"
#include "client/testing/simulated_modem.h"
#include "framework/controls/header_control.h"
#include "framework/tests/modal_user.h"

namespace dlk::client::shell_testing {
namespace {

// A desktop without a notification area: the window is the program's face,
// with the tray menu's commands on its bar and the modem list below it.
TEST_F(ShellTest, WithoutATrayTheWindowShowsAtStartAndOffersTheTrayCommands) {
    tray_.TrayAvailable = false;
    env_.CursorPos = [] { return TPoint{400, 300}; };
    TForm1& form = Start();
    form.MakeMainForm();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.ShowInTaskbar());
    form.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(form.Visible());  // not hidden into a tray that is not there

    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), "Настройки");
    EXPECT_EQ(bar->actions()[1]->text().toStdString(), "Выход");
    const int top = form.HeaderControl1->Top();
    EXPECT_EQ(top, bar->height());

    sim::SimulatedModem modem(*TextToImei("356938035643809"), LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
    form.List().DrawModemList();
    const QImage frame = form.List().Frame().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(frame.height(), form.ClientHeight() - top - kListHeaderHeight);
    const QImage window = form.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(window.copy(0, top + kListHeaderHeight, frame.width(), frame.height()), frame);
    dlk::testing::ClickAt(form.Widget(), QPoint(100, top + kListHeaderHeight + 8));
    {
        std::lock_guard lock(form.Table().TableLock);
        EXPECT_EQ(form.Table().SelectedRow, 0);
    }

    // "Настройки" from the bar, placed from the cursor there.
    int left = -1;
    TForm::SetModalAnswerer([&](TForm& d) { left = d.Left() + d.Width() / 2; });
    bar->actions()[0]->trigger();
    TForm::SetModalAnswerer(nullptr);
    EXPECT_EQ(left, 400);

    bar->actions()[1]->trigger();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Выход... Уверены?");
    EXPECT_TRUE(Application().Terminated());
}

}  // namespace
}  // namespace dlk::client::shell_testing
