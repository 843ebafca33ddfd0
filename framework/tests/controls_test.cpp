#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>
#include <QWheelEvent>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application/message_box.h"
#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/controls/form.h"
#include "framework/controls/menus.h"
#include "framework/controls/screen.h"
#include "framework/controls/std_controls.h"
#include "framework/controls/timer.h"
#include "framework/tests/qt_test_app.h"
#include "framework/tray/tray_recorder.h"
#include "platform/thread/thread.h"

namespace dlk {
namespace {

constexpr const char* kDialog = R"(
Dialog : TForm {
  Caption = "Настройки"
  ClientWidth = 300
  ClientHeight = 200
  PopupMenu = @Menu1
  Header : TPanel { Align = alTop  Height = 20 }
  Bar : TPanel { Align = alRight  Width = 16  Visible = False }
  Body : TPanel {
    Align = alClient
    Edit1 : TEdit { Left = 4  Top = 4  Width = 100  Height = 21  Text = "1025" }
    Check : TCheckBox { Left = 4  Top = 30  Width = 100  Height = 17  Caption = "клиент" }
  }
  OkButton : TButton { Left = 10  Top = 170  Width = 75  Height = 25  Caption = "OK"  ModalResult = 1 }
  Menu1 : TPopupMenu {
    Settings : TMenuItem { Caption = "Настройки" }
    Line : TMenuItem { Caption = "-" }
    Quit : TMenuItem { Caption = "Выход" }
  }
  Ticker : TTimer { Interval = 10 }
}
)";

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        Application().Title = "Тест";
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes_.push_back(r);
            return answer_;
        });
    }
    void TearDown() override {
        SetMessageBoxAnswerer(nullptr);
        TForm::SetModalAnswerer(nullptr);
    }
    std::unique_ptr<TForm> MakeDialog() {
        auto form = std::make_unique<TForm>(nullptr);
        ReadComponent(*form, kDialog, "dialog.form");
        return form;
    }
    std::vector<MessageBoxRequest> boxes_;
    int answer_ = IDOK;
};

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaAndFollowVisibility) {
    auto form = MakeDialog();
    auto* header = FindOwned<TPanel>(*form, "Header");
    auto* bar = FindOwned<TPanel>(*form, "Bar");
    auto* body = FindOwned<TPanel>(*form, "Body");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(header->BoundsRect(), Rect(0, 0, 300, 20));
    EXPECT_EQ(body->BoundsRect(), Rect(0, 20, 300, 200));
    EXPECT_TRUE(bar->Widget()->isHidden());

    bar->Show();
    EXPECT_EQ(bar->BoundsRect(), Rect(284, 20, 300, 200));
    EXPECT_EQ(body->BoundsRect(), Rect(0, 20, 284, 200));

    form->SetClientWidth(400);
    EXPECT_EQ(bar->BoundsRect(), Rect(384, 20, 400, 200));

    // The form shows only what is meant to be visible.
    form->Show();
    EXPECT_TRUE(header->Showing());
    form->Widget()->resize(400, 180);  // as the user would drag it
    EXPECT_EQ(bar->BoundsRect(), Rect(384, 20, 400, 180));
    EXPECT_EQ(form->Height(), 180 + form->FrameHeight());
    bar->Hide();
    EXPECT_FALSE(bar->Showing());
    EXPECT_EQ(body->BoundsRect(), Rect(0, 20, 400, 180));
}

TEST_F(ControlsTest, ModalDialogAnswersWithTheButtonsModalResult) {
    auto form = MakeDialog();
    auto* edit = FindOwned<TEdit>(*form, "Edit1");
    auto* check = FindOwned<TCheckBox>(*form, "Check");
    int changes = 0;
    int clicks = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    check->OnClick = [&](TObject*) { ++clicks; };
    TForm::SetModalAnswerer([&](TForm& shown) {
        EXPECT_TRUE(shown.Modal());
        FindOwned<TEdit>(shown, "Edit1")->SetText("2048");
        FindOwned<TCheckBox>(shown, "Check")->PerformClick();
        FindOwned<TButton>(shown, "OkButton")->PerformClick();
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(edit->Text(), "2048");
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form->Visible());

    // Left without an answer: cancelled.
    TForm::SetModalAnswerer([](TForm&) {});
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(ControlsTest, CloseAsksTheFormAndTheMainFormEndsTheProgram) {
    auto form = MakeDialog();
    form->MakeMainForm();
    bool allow = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        if (!allow) action = TCloseAction::caNone;
    };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application().Terminated());

    // The window frame's close button goes the same way.
    QCloseEvent closeEvent;
    QCoreApplication::sendEvent(form->Widget(), &closeEvent);
    EXPECT_TRUE(form->Visible());

    allow = true;
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(Application().Terminated());
    Application().Run();  // returns at once: Terminate came first
    Application().Reset();
}

TEST_F(ControlsTest, ExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    auto form = MakeDialog();
    auto* ok = FindOwned<TButton>(*form, "OkButton");
    int after = 0;
    ok->OnClick = [&](TObject*) {
        ++after;
        throw std::runtime_error("Деление на ноль");
    };
    ok->PerformClick();
    ok->PerformClick();
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].Text, "Деление на ноль");
    EXPECT_EQ(boxes_[0].Caption, "Тест");
    EXPECT_EQ(boxes_[0].Flags & 0xF0, unsigned(MB_ICONERROR));
    EXPECT_EQ(after, 2);

    // From a posted message and from the idle event too.
    struct Thrower : TForm {
        using TForm::TForm;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_USER + 1) throw std::logic_error("в сообщении");
            TForm::WndProc(m);
        }
    } thrower(nullptr);
    PostMessage(thrower.Widget(), WM_USER + 1, 0, 0);
    ASSERT_TRUE(testing::WaitUntil([&] { return boxes_.size() == 3; }));
    EXPECT_EQ(boxes_[2].Text, "в сообщении");
    Application().OnIdle = [](TObject*, bool&) { throw std::runtime_error("в простое"); };
    Application().DoIdle();
    Application().OnIdle = nullptr;
    ASSERT_EQ(boxes_.size(), 4u);
    EXPECT_EQ(boxes_[3].Text, "в простое");
}

// A worker that posts numbered messages to a window.
class Poster : public TThread {
public:
    Poster(QObject* target, int count) : TThread("poster"), target_(target), count_(count) {}
    ~Poster() override { Stop(); }

protected:
    void Execute() override {
        for (int i = 0; i < count_ && !Terminated(); ++i) PostMessage(target_, WM_USER + 2, std::uintptr_t(i), i * 10);
    }

private:
    QObject* target_;
    int count_;
};

TEST_F(ControlsTest, MessagesPostedFromAWorkerArriveInOrderOnTheWindowThread) {
    struct Receiver : TForm {
        using TForm::TForm;
        std::vector<std::pair<std::uintptr_t, std::intptr_t>> Got;
        bool OnWindowThread = true;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_USER + 2) {
                OnWindowThread = OnWindowThread && QThread::currentThread() == qApp->thread();
                Got.emplace_back(m.WParam, m.LParam);
                return;
            }
            TForm::WndProc(m);
        }
    } receiver(nullptr);
    Poster poster(receiver.Widget(), 200);
    poster.Resume();
    ASSERT_TRUE(testing::WaitUntil([&] { return receiver.Got.size() == 200; }));
    poster.WaitFor();
    EXPECT_TRUE(receiver.OnWindowThread);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(receiver.Got[std::size_t(i)], std::make_pair(std::uintptr_t(i), std::intptr_t(i * 10)));
}

TEST_F(ControlsTest, HookedWindowProcedureRunsBeforeAndCanPassOn) {
    TForm form(nullptr);
    std::vector<std::string> order;
    form.HookWindowProc([&](TControl::WindowProcedure previous) {
        return [&order, previous](TMessage& m) {
            order.push_back("hook");
            if (m.Msg != WM_USER + 3) previous(m);
            m.Result = 42;
        };
    });
    EXPECT_EQ(form.Perform(WM_USER + 3), 42);
    EXPECT_EQ(order, std::vector<std::string>{"hook"});
}

TEST_F(ControlsTest, TimersTickThroughTheEventLoop) {
    auto form = MakeDialog();
    auto* ticker = FindOwned<TTimer>(*form, "Ticker");
    int ticks = 0;
    EXPECT_FALSE(ticker->Running());  // no handler yet
    ticker->SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_TRUE(ticker->Running());
    ASSERT_TRUE(testing::WaitUntil([&] { return ticks >= 2; }));
    ticker->SetEnabled(false);
    EXPECT_FALSE(ticker->Running());

    struct Clock : TForm {
        using TForm::TForm;
        std::vector<int> Fired;
        void WMTimer(int id) override { Fired.push_back(id); }
    } clock(nullptr);
    clock.SetTimer(7, 5);
    ASSERT_TRUE(testing::WaitUntil([&] { return !clock.Fired.empty(); }));
    clock.KillTimer(7);
    EXPECT_EQ(clock.Fired.front(), 7);
}

TEST_F(ControlsTest, PopupMenuShowsItsItemsAndRunsTheChosenOne) {
    auto form = MakeDialog();
    auto* menu = FindOwned<TPopupMenu>(*form, "Menu1");
    EXPECT_EQ(form->PopupMenu(), menu);
    int quits = 0;
    FindOwned<TMenuItem>(*form, "Quit")->OnClick = [&](TObject*) { ++quits; };
    menu->Popup(10, 10);
    ASSERT_NE(menu->ShownMenu(), nullptr);
    const QList<QAction*> actions = menu->ShownMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text().toStdString(), "Настройки");
    EXPECT_TRUE(actions[1]->isSeparator());
    actions[2]->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(ControlsTest, IdleEventRunsWhenAsked) {
    int idles = 0;
    Application().OnIdle = [&](TObject*, bool&) { ++idles; };
    Application().DoIdle();
    Application().OnIdle = nullptr;
    Application().DoIdle();
    EXPECT_EQ(idles, 1);
}

TEST_F(ControlsTest, CustomControlPaintsOpaqueThroughItsCanvas) {
    struct Swatch : TCustomControl {
        using TCustomControl::TCustomControl;
        int Paints = 0;
        void Paint() override {
            ++Paints;
            Canvas().Brush.Color = clRed;
            Canvas().FillRect(Rect(0, 0, 5, 5));
        }
    };
    TForm form(nullptr);
    auto* swatch = new Swatch(&form);
    swatch->SetParent(&form);
    swatch->SetBounds(0, 0, 10, 10);
    swatch->SetColor(clWhite);
    const QImage image = swatch->Widget()->grab().toImage();
    EXPECT_EQ(swatch->Paints, 1);
    EXPECT_EQ(FromQColor(image.pixelColor(4, 4)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clWhite);
    EXPECT_TRUE(swatch->Widget()->testAttribute(Qt::WA_OpaquePaintEvent));
}

// A control composing itself off-screen lends its picture instead: its
// client part is shown over the control's colour, and Paint is not asked.
TEST_F(ControlsTest, ALentPictureShowsItsClientPartOverTheControlsColour) {
    struct Composer : TCustomControl {
        using TCustomControl::TCustomControl;
        QImage Picture;
        bool Throw = false;
        int Paints = 0;
        const QImage* ComposePicture() override {
            if (Throw) throw std::runtime_error("compose");
            return &Picture;
        }
        void Paint() override { ++Paints; }
    };
    struct Case {
        const char* what;
        QSize picture;
        bool fails;
        QPoint red, white;  // a pixel of the picture, one of the colour (-1: none)
        int boxes;
    } const cases[] = {
        {"smaller than the control", {5, 5}, false, {4, 4}, {5, 5}, 0},
        {"larger: cut at the edge", {20, 20}, false, {9, 9}, {-1, -1}, 0},
        {"none", {0, 0}, false, {-1, -1}, {0, 0}, 0},
        {"failing: the colour alone and one box", {10, 10}, true, {-1, -1}, {9, 9}, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        int boxes = 0;
        SetMessageBoxAnswerer([&](const MessageBoxRequest&) { return ++boxes, IDOK; });
        TForm form(nullptr);
        auto* composer = new Composer(&form);
        composer->SetParent(&form);
        composer->SetBounds(0, 0, 10, 10);
        composer->SetColor(clWhite);
        composer->Picture = k.picture.isEmpty() ? QImage() : QImage(k.picture, QImage::Format_RGB32);
        composer->Picture.fill(Qt::red);
        composer->Throw = k.fails;
        const QImage image = composer->Widget()->grab().toImage();
        SetMessageBoxAnswerer(nullptr);
        EXPECT_EQ(composer->Paints, 0);
        EXPECT_EQ(boxes, k.boxes);
        if (k.red.x() >= 0) {
            EXPECT_EQ(FromQColor(image.pixelColor(k.red)), clRed);
        }
        if (k.white.x() >= 0) {
            EXPECT_EQ(FromQColor(image.pixelColor(k.white)), clWhite);
        }
    }
}

TEST_F(ControlsTest, MessageBoxesWithoutAnAnswererUseTheirDefaultWhereNobodySees) {
    SetMessageBoxAnswerer(nullptr);
    EXPECT_EQ(MessageBox(nullptr, "Выход... Уверены?", "Тест", MB_YESNO | MB_ICONWARNING), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "?", "Тест", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "!", "Тест", MB_OK), IDOK);
}

TEST(TrayTest, TipIsCutAtTheShellsLimitInWholeCharacters) {
    std::string tip = "ДЛК-клиент\rподключено модемов: 10";
    EXPECT_EQ(TrayTipText(tip), tip);
    std::string longTip(70, 'x');
    EXPECT_EQ(TrayTipText(longTip).size(), 63u);
    std::string cyrillic;
    for (int i = 0; i < 70; ++i) cyrillic += "ж";
    EXPECT_EQ(TrayTipText(cyrillic).size(), 63u * 2);
    TrayRecorder tray;
    tray.Add(nullptr, 0x401, "MAINICON", QIcon(), cyrillic);
    EXPECT_EQ(tray.Tip.size(), 126u);
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

constexpr const char* kEditorWindow = R"(
Editor : TForm {
  ClientWidth = 320
  ClientHeight = 200
  Menu = @MainMenu1
  Body : TPanel { Align = alClient }
  MainMenu1 : TMainMenu {
    View : TMenuItem {
      Caption = "Вид"
      ByClient : TMenuItem { Caption = "По клиенту"  Checked = True }
      All : TMenuItem { Caption = "Все" }
    }
  }
}
)";

TEST_F(ControlsTest, MainMenuBarFollowsItsItemsAndTakesItsRowFromTheClientArea) {
    TForm form(nullptr);
    ReadComponent(form, kEditorWindow, "editor.form");
    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QMenu* view = bar->actions()[0]->menu();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->actions().size(), 2);
    EXPECT_TRUE(view->actions()[0]->isChecked());
    EXPECT_FALSE(view->actions()[1]->isChecked());
    EXPECT_EQ(FindOwned<TPanel>(form, "Body")->Top(), bar->sizeHint().height());

    FindOwned<TMenuItem>(form, "ByClient")->SetChecked(false);
    FindOwned<TMenuItem>(form, "All")->SetChecked(true);
    view = bar->actions()[0]->menu();
    EXPECT_FALSE(view->actions()[0]->isChecked());
    EXPECT_TRUE(view->actions()[1]->isChecked());

    int picks = 0;
    FindOwned<TMenuItem>(form, "All")->OnClick = [&](TObject*) { ++picks; };
    view->actions()[1]->trigger();
    EXPECT_EQ(picks, 1);

    // An item that changes the menu from its own click.
    auto* byClient = FindOwned<TMenuItem>(form, "ByClient");
    byClient->OnClick = [byClient](TObject*) { byClient->SetChecked(!byClient->Checked()); };
    QAction* own = view->actions()[0];
    own->trigger();
    EXPECT_TRUE(byClient->Checked());
    EXPECT_TRUE(own->isChecked());

    // A freed item leaves the bar; the rest is rebuilt once the event loop turns.
    delete FindOwned<TMenuItem>(form, "All");
    EXPECT_FALSE(view->actions()[1]->isVisible());
    QCoreApplication::processEvents();
    ASSERT_EQ(bar->actions().size(), 1);
    view = bar->actions()[0]->menu();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->actions().size(), 1);

    // A top item without items is a command on the bar itself.
    auto* help = new TMenuItem(&form);
    help->SetCaption("Справка");
    int helps = 0;
    help->OnClick = [&](TObject*) { ++helps; };
    FindOwned<TMainMenu>(form, "MainMenu1")->Items().Add(help);
    QCoreApplication::processEvents();
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[1]->menu(), nullptr);
    bar->actions()[1]->trigger();
    EXPECT_EQ(helps, 1);
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

TEST_F(ControlsTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
    TForm form(nullptr);
    ReadComponent(form, R"(
Dlg : TForm {
  ClientWidth = 200  ClientHeight = 100
  Edit1 : TEdit { Left = 8  Top = 8  Width = 100  Height = 21 }
  Ok : TButton { Left = 8  Top = 60  Width = 75  Height = 25  Caption = "OK"  Default = True  ModalResult = 1 }
  Cancel : TButton { Left = 100  Top = 60  Width = 75  Height = 25  Caption = "Отмена"  Cancel = True  ModalResult = 2 }
}
)",
                  "dlg.form");
    int okClicks = 0;
    int cancelClicks = 0;
    FindOwned<TButton>(form, "Ok")->OnClick = [&](TObject*) { ++okClicks; };
    FindOwned<TButton>(form, "Cancel")->OnClick = [&](TObject*) { ++cancelClicks; };
    form.Show();
    auto* edit = FindOwned<TEdit>(form, "Edit1");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->Widget(), &enter);  // the edit leaves it to the window
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form.ModalResult(), mrOk);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->Widget(), &escape);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(form.ModalResult(), mrCancel);

    // A focused button is the one Enter presses, and it wears the frame.
    QApplication::setActiveWindow(form.Widget());
    auto* cancel = FindOwned<TButton>(form, "Cancel");
    const auto framed = [&](const char* name) {
        return static_cast<QPushButton*>(FindOwned<TButton>(form, name)->Widget())->isDefault();
    };
    EXPECT_TRUE(framed("Ok"));
    cancel->SetFocus();
    ASSERT_TRUE(testing::WaitUntil([&] { return cancel->Focused(); }));
    EXPECT_TRUE(framed("Cancel"));
    EXPECT_FALSE(framed("Ok"));
    QCoreApplication::sendEvent(cancel->Widget(), &enter);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_EQ(okClicks, 1);

    // Without such buttons the keys reach the window's own handler.
    TForm plain(nullptr);
    int keys = 0;
    plain.OnKeyDown = [&](TObject*, int& key, TShiftState) { keys += key == VK_RETURN; };
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(plain.Widget(), &again);
    EXPECT_EQ(keys, 1);
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

TEST_F(ControlsTest, WindowPlacementRoundTripsThroughTheWidget) {
    TForm form(nullptr);
    form.SetBounds(30, 40, 300, 200);
    form.Show();
    ASSERT_TRUE(testing::WaitUntil([&] { return form.Widget()->isVisible(); }));
    form.Widget()->move(form.Widget()->pos() + QPoint(5, 0));  // pos() includes whatever frame there is
    ASSERT_TRUE(testing::WaitUntil([&] { return form.Left() == 35; }, 500))
        << form.Left() << " " << form.Widget()->geometry().x() << " " << form.Widget()->x();
    EXPECT_EQ(form.Top(), 40);
    EXPECT_EQ(form.BoundsRect(), Bounds(35, 40, 300, 200));
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

TEST_F(ControlsTest, WheelNotchesReachTheWheelEvents) {
    TForm form(nullptr);
    form.SetClientWidth(100);
    form.SetClientHeight(100);
    std::vector<std::string> turns;
    form.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint p, bool& handled) {
        turns.push_back("down " + std::to_string(p.X));
        handled = true;
    };
    form.OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
        turns.push_back("up");
        handled = true;
    };
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(10, 20), QPointF(10, 20), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form.Widget(), &e);
    };
    wheel(-120);
    wheel(120);
    wheel(0);
    EXPECT_EQ(turns, (std::vector<std::string>{"down 10", "up"}));
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

// Takes Ctrl+Tab and Alt+P, as a page control does.
class TKeyTaker : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Got;
    bool DialogKey(int key, TShiftState shift) override {
        Got.push_back("key " + std::to_string(key) + ((shift & ssShift) ? " shift" : ""));
        return true;
    }
    bool DialogChar(int charCode, TShiftState) override {
        if (charCode != 'P') return false;
        Got.push_back("char P");
        return true;
    }
};

TEST_F(ControlsTest, WindowOffersCtrlTabAndAltLettersBeforeFocusAndAltShowsCues) {
    auto form = MakeDialog();
    auto* taker = new TKeyTaker(form.get());
    taker->SetParent(form.get());
    std::vector<unsigned> seen;
    form->HookWindowProc([&seen](TControl::WindowProcedure previous) {
        return [&seen, previous](TMessage& m) {
            previous(m);
            seen.push_back(m.Msg);
        };
    });
    form->Show();
    auto* edit = FindOwned<TEdit>(*form, "Edit1");
    edit->SetFocus();
    ASSERT_TRUE(testing::WaitUntil([&] { return edit->Focused(); }));

    QKeyEvent ctrlTab(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QCoreApplication::sendEvent(edit->Widget(), &ctrlTab);
    QKeyEvent ctrlShiftTab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(edit->Widget(), &ctrlShiftTab);
    // Characters arrive as typed: the capital needs Shift.
    QKeyEvent altP(QEvent::KeyPress, Qt::Key_P, Qt::AltModifier | Qt::ShiftModifier, "P");
    QCoreApplication::sendEvent(edit->Widget(), &altP);
    QKeyEvent altQ(QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier, "q");
    QCoreApplication::sendEvent(edit->Widget(), &altQ);
    EXPECT_EQ(taker->Got, (std::vector<std::string>{"key 9", "key 9 shift", "char P"}));
    EXPECT_TRUE(edit->Focused());

    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(edit->Widget(), &alt);
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_UPDATEUISTATE), seen.end());
}

TEST_F(ControlsTest, ScreenListsTheLivingWindows) {
    const int before = Screen().FormCount();
    auto a = std::make_unique<TForm>(nullptr);
    auto b = std::make_unique<TForm>(nullptr);
    ASSERT_EQ(Screen().FormCount(), before + 2);
    EXPECT_EQ(Screen().Forms(before + 1), b.get());
    a.reset();
    ASSERT_EQ(Screen().FormCount(), before + 1);
    EXPECT_EQ(Screen().Forms(before), b.get());
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

TEST_F(ControlsTest, FormWrittenBackReadsAsTheSameWindow) {
    auto first = MakeDialog();
    FindOwned<TCheckBox>(*first, "Check")->SetChecked(true);
    TFont bold = FindOwned<TPanel>(*first, "Header")->Font();
    bold.Style = fsBold;
    bold.Color = clRed;
    FindOwned<TPanel>(*first, "Header")->SetFont(bold);
    const std::string text = WriteComponent(*first);

    TForm second(nullptr);
    ReadComponent(second, text, "written.form");
    EXPECT_EQ(WriteComponent(second), text);
    EXPECT_EQ(second.ClientWidth(), 300);
    EXPECT_EQ(second.PopupMenu(), FindOwned<TPopupMenu>(second, "Menu1"));
    EXPECT_TRUE(FindOwned<TCheckBox>(second, "Check")->Checked());
    EXPECT_EQ(FindOwned<TCheckBox>(second, "Check")->Parent(), FindOwned<TPanel>(second, "Body"));
    EXPECT_EQ(FindOwned<TEdit>(second, "Edit1")->Text(), "1025");
    EXPECT_EQ(FindOwned<TButton>(second, "OkButton")->ModalResult, mrOk);
    EXPECT_EQ(FindOwned<TPanel>(second, "Header")->Font().Style, fsBold);
    EXPECT_EQ(FindOwned<TPanel>(second, "Header")->Font().Color, clRed);
    EXPECT_TRUE(FindOwned<TPanel>(second, "Bar")->Widget()->isHidden());
    EXPECT_EQ(FindOwned<TTimer>(second, "Ticker")->Interval(), 10);
    EXPECT_EQ(FindOwned<TMenuItem>(second, "Quit")->Caption(), "Выход");
    EXPECT_NE(text.find("Align = alClient"), std::string::npos);
    EXPECT_NE(text.find("Font.Style = [fsBold]"), std::string::npos);
}

}  // namespace
}  // namespace dlk
