#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "client/app/tests/shell_fixture.h"
#include "client/core/link/link_messages.h"
#include "framework/controls/menus.h"
#include "framework/controls/timer.h"
#include "platform/local_socket/message_socket.h"

namespace dlk::client::shell_testing {
namespace {

TEST_F(ShellTest, StartsHiddenInTheTrayWithTheLinkOpen) {
    TForm1& form = Start();
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Widget()->isVisible());
    EXPECT_EQ(form.Caption(), "ДЛК-клиент v1.2");
    EXPECT_EQ(form.FormStyle(), TFormStyle::fsStayOnTop);
    EXPECT_TRUE(tray_.Added);
    EXPECT_EQ(tray_.Window, form.Widget());
    EXPECT_EQ(tray_.CallbackMessage, WM_TRAYNOTIFY);
    EXPECT_EQ(tray_.Tip, "ДЛК-клиент\rподключено модемов: 0");
    // Added as MAINICON; direct mode shows COLOR at once.
    EXPECT_EQ(tray_.IconChanges, (std::vector<std::string>{"MAINICON", "COLOR"}));
    EXPECT_TRUE(form.Link().IsOpen());
    EXPECT_EQ(form.Link().BoundPort(), settings_.LocalPort);
    EXPECT_TRUE(form.Timer1->Running());
    EXPECT_TRUE(boxes_.empty()) << boxes_.front().Text;
}

TEST_F(ShellTest, TakenPipeNameShowsItsMessageAndOpensNothingElse) {
    MessageSocketServer squatter;
    ASSERT_EQ(squatter.Listen(env_.LocalNames.PipeName), MessageSocketServer::ListenResult::Listening);
    TForm1& form = Start();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Инициализация... Не удаётся создать канал");
    EXPECT_EQ(boxes_[0].Caption, "ДЛК-клиент");
    EXPECT_EQ(boxes_[0].Flags, unsigned(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(boxes_[0].Owned);
    EXPECT_FALSE(form.Link().IsOpen());
    EXPECT_FALSE(form.Timer1->Running());
    EXPECT_EQ(tray_.Icon, "MAINICON");
    EXPECT_FALSE(Application().Terminated());  // the program stays in the tray

    // Opened again once the name is free, as after a settings change.
    squatter.Close();
    EXPECT_TRUE(form.OpenLink().Ok());
    EXPECT_TRUE(form.Link().IsOpen());
    EXPECT_EQ(tray_.Icon, "COLOR");
    EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ShellTest, TakenPortNamesThePortAndKeepsTheLocalSideOpen) {
    UdpSocket squatter;
    ASSERT_EQ(squatter.Open(), 0);
    ASSERT_EQ(squatter.Bind(0), 0);
    settings_.LocalPort = squatter.LocalPort();
    TForm1& form = Start();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Инициализация... Ошибка - порт " + std::to_string(settings_.LocalPort) + " занят");
    EXPECT_FALSE(form.Link().IsOpen());
    EXPECT_TRUE(form.Link().LocalSideOpen());
    EXPECT_FALSE(form.Timer1->Running());
    EXPECT_EQ(tray_.Icon, "MAINICON");
    EXPECT_FALSE(Application().Terminated());

    // Reopened once the port is free (as a settings change does): the old
    // local side is closed first, so its name can be taken again.
    squatter.Close();
    EXPECT_TRUE(form.OpenLink().Ok());
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(form.Link().IsOpen());
    EXPECT_TRUE(form.Timer1->Running());
    EXPECT_EQ(tray_.Icon, "COLOR");
}

TEST_F(ShellTest, TrayClicksToggleTheWindowAndPopTheMenu) {
    TForm1& form = Start();
    PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return form.Visible(); }));
    EXPECT_TRUE(form.Widget()->isVisible());
    PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return !form.Visible(); }));

    // Minimising hides the window as well.
    form.Show();
    form.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(form.Visible());

    PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, 0x0200);  // a mouse move: nothing
    PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return form.PopupMenu1->ShownMenu() != nullptr; }));
    const auto actions = form.PopupMenu1->ShownMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text().toStdString(), "Настройки");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text().toStdString(), "Выход");
    EXPECT_FALSE(form.Visible());
}

TEST_F(ShellTest, ExitAsksAndNoKeepsTheProgramRunning) {
    TForm1& form = Start();
    form.MakeMainForm();
    answer_ = IDNO;
    form.N1->Click();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Выход... Уверены?");
    EXPECT_EQ(boxes_[0].Flags, unsigned(MB_YESNO | MB_ICONWARNING));
    EXPECT_FALSE(Application().Terminated());
    EXPECT_TRUE(form.Link().IsOpen());
    EXPECT_TRUE(form.Timer1->Running());

    answer_ = IDYES;
    form.N1->Click();
    EXPECT_TRUE(Application().Terminated());
}

TEST_F(ShellTest, ErrorInAHandlerIsShownAndTheProgramGoesOn) {
    env_.SettingsDialog = [](TForm1&) { throw std::runtime_error("Неверное значение"); };
    TForm1& form = Start();
    form.PopupMenu1->Popup(0, 0);
    form.PopupMenu1->ShownMenu()->actions()[0]->trigger();  // "Настройки", as the user picks it
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, "Неверное значение");
    EXPECT_EQ(boxes_[0].Caption, "ДЛК-клиент");
    EXPECT_TRUE(form.Link().IsOpen());
    form.Timer1Timer(nullptr);  // still ticking
}

// The dialog goes where the tray menu popped up, not where the cursor went
// on its way to "Настройки", and stays on the screen.
TEST_F(ShellTest, SettingsArePlacedFromWhereTheTrayMenuPoppedUp) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int right = area.x() + area.width();
    for (auto [popupX, left] : {std::pair{area.x() + 400, area.x() + 293}, std::pair{right - 5, right - 215}}) {
        TPoint cursor{popupX, area.y() + 300};
        env_.CursorPos = [&cursor] { return cursor; };
        TForm1& form = Start();
        PostMessage(form.Widget(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
        ASSERT_TRUE(WaitUntil([&] { return form.PopupMenu1->IsPoppedUp(); }));
        cursor = {area.x() + 3, area.y() + 3};
        TRect placed;
        TForm::SetModalAnswerer([&](TForm& d) { placed = d.BoundsRect(); });
        form.PopupMenu1->ShownMenu()->actions()[0]->trigger();
        TForm::SetModalAnswerer(nullptr);
        EXPECT_EQ(placed.Left, left);
        EXPECT_LE(placed.Bottom, area.y() + area.height());
    }
}

TEST_F(ShellTest, EndOfTheWindowClosesTheLinkSavesTheConfigAndRemovesTheIcon) {
    TForm1& form = Start();
    form.SetBounds(10, 20, 500, 300);
    form_.reset();
    EXPECT_TRUE(tray_.Deleted);
    const ClientConfig saved = ReadClientConfig(folder_ / kClientConfigFileName, DefaultClientConfig(1, 1, 0));
    EXPECT_EQ(saved.Window, (WindowPlacement{10, 20, 500, 300}));
    EXPECT_EQ(saved.Link.LocalPort, settings_.LocalPort);
    // The port is free again.
    UdpSocket again;
    ASSERT_EQ(again.Open(), 0);
    EXPECT_EQ(again.Bind(settings_.LocalPort), 0);
}

}  // namespace
}  // namespace dlk::client::shell_testing
