#include "client/app/unit1.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <ctime>
#include <mutex>

#include "client/app/modem_list_view.h"
#include "client/app/tray_icons.h"
#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "client/core/link/link_messages.h"
#include "client/core/settings/modem_settings_lookup.h"
#include "client/core/table/pause_rules.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "framework/components/description_reader.h"
#include "framework/controls/header_control.h"
#include "framework/controls/menus.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/timer.h"
#include "framework/tray/qt_tray_icon.h"

namespace dlk::client {

namespace {

double LocalTimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

// The height of the desktop's panel at the bottom of the screen, kept to 8 bits.
std::uint8_t MeasureTaskbarHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 0;
    const int height = screen->geometry().bottom() - screen->availableGeometry().bottom();
    return std::uint8_t(height > 0 ? height : 0);
}

}  // namespace

// The link's view of the window. Posting is all the worker threads do here.
class TForm1::Observer : public LinkObserver {
public:
    explicit Observer(TForm1& form) : form_(form) {}

    // One message waits for the window at a time; it takes every change
    // pushed until the window gets to it.
    void PostModemState(std::uint32_t generation, std::uint16_t index, ModemStateChange change) override {
        if (!form_.modem_states_.Push(generation, {index, change})) return;
        PostMessage(form_.Widget(), WM_MODEMSTATE, (std::uintptr_t(generation) << 32) | index, std::intptr_t(change));
    }
    void PostServerState(std::uint32_t generation) override {
        PostMessage(form_.Widget(), WM_SERVERSTATE, generation, 0);
    }
    double TimeOfDay() override { return form_.env_.TimeOfDay ? form_.env_.TimeOfDay() : LocalTimeOfDay(); }
    void SetIcon(TrayIcon icon) override { form_.SetIcon(icon); }
    void SetTip(std::string_view text) override { form_.SetTip(std::string(text)); }
    void ShowBalloon(std::string_view text, BalloonIcon icon) override {
        if (form_.window_gone_) return;
        form_.tray_->ShowBalloon(kProgramCaption, text, 30 * 1000,
                                 icon == BalloonIcon::Error ? TrayBalloonKind::Error : TrayBalloonKind::Information);
    }
    void SetLinkTimer(bool running) override {
        if (form_.Timer1 != nullptr && !form_.window_gone_) form_.Timer1->SetEnabled(running);
    }
    void SortModems() override {
        if (form_.list_) form_.list_->SortModems();
    }
    void PaintList() override {
        if (form_.list_ && !form_.window_gone_) form_.list_->DrawModemList();
    }

private:
    TForm1& form_;
};

TForm1::TForm1(TComponent* owner, ShellEnvironment environment)
    : TForm(owner),
      env_(std::move(environment)),
      observer_(std::make_unique<Observer>(*this)),
      link_(std::make_unique<ClientLink>(table_, *observer_)),
      reopen_timer_(std::make_unique<QTimer>()) {
    if (env_.Tray == nullptr) own_tray_ = std::make_unique<QtTrayIcon>();
    tray_ = env_.Tray != nullptr ? env_.Tray : own_tray_.get();

    ReadComponentResource(*this, ":/client/unit1.form");
    HeaderControl1 = FindRequired<THeaderControl>(*this, "HeaderControl1");
    ScrollBar1 = FindRequired<TScrollBar>(*this, "ScrollBar1");
    PopupMenu1 = FindRequired<TPopupMenu>(*this, "PopupMenu1");
    N1 = FindRequired<TMenuItem>(*this, "N1");
    N2 = FindRequired<TMenuItem>(*this, "N2");
    Timer1 = FindRequired<TTimer>(*this, "Timer1");
    in_tray_ = tray_->Available();
    if (in_tray_) {
        // The program has no taskbar button: the tray icon stands for it.
        SetShowInTaskbar(false);
    } else {
        OfferTrayCommandsInTheWindow();
    }

    ModemListView::Host host;
    host.OneModemActive = [this] { return config_.Link.OneModemActive; };
    host.OpenProperties = [this](int entry) {
        if (env_.PropertiesDialog) env_.PropertiesDialog(*this, entry);
    };
    list_ = std::make_unique<ModemListView>(*this, *HeaderControl1, *ScrollBar1, table_, host);
    list_->Bind();

    N1->OnClick = [this](TObject* s) { N1Click(s); };
    N2->OnClick = [this](TObject* s) { N2Click(s); };
    Timer1->SetOnTimer([this](TObject* s) { Timer1Timer(s); });
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    reopen_timer_->setSingleShot(true);
    QObject::connect(reopen_timer_.get(), &QTimer::timeout, [this] { Guarded([this] { OpenLink(); }); });
    DoCreate();
}

TForm1::~TForm1() {
    DoDestroy();
    reopen_timer_->stop();
    window_gone_ = true;
    link_.reset();  // closed already; nothing of it runs past here
}

void TForm1::FormCreate(TObject*) {
    taskbar_height_ = MeasureTaskbarHeight();
    int screenWidth = 0;
    int screenHeight = 0;
    ScreenArea area;  // empty without a screen: the window stays where it was saved
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        screenWidth = screen->geometry().width();
        screenHeight = screen->geometry().height();
        const QRect available = screen->availableGeometry();
        area = {available.x(), available.y(), available.width(), available.height()};
    }
    config_ = ReadClientConfig(env_.Folder / kClientConfigFileName,
                               DefaultClientConfig(screenWidth, screenHeight, taskbar_height_));
    config_.Window = KeptOnScreen(config_.Window, area);
    SetBounds(config_.Window.Left, config_.Window.Top, config_.Window.Width, config_.Window.Height);
    list_->SetColumnWidths(config_.ColumnWidths);
    {
        std::lock_guard lock(table_.TableLock);
        table_.SelectedRow = -1;
    }
    const TrayIcon start = TrayIcon::MAINICON;
    Application().SetIcon(ProgramIcon(start));
    tray_->Add(Widget(), WM_TRAYNOTIFY, IconName(start), ProgramIcon(start), OnlineTip(0));
    if (!in_tray_) Show();
    OpenLink();
}

void TForm1::OfferTrayCommandsInTheWindow() {
    WindowMenu = new TMainMenu(this);
    for (auto [caption, click] : {std::pair{"Настройки", &TForm1::N2Click}, std::pair{"Выход", &TForm1::N1Click}}) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        item->OnClick = [this, click](TObject* s) { (this->*click)(s); };
        WindowMenu->Items().Add(item);
    }
    SetMenu(WindowMenu);
}

OpenResult TForm1::OpenLink() {
    // The link holds an opened side until it is closed, so it lets go before the side is replaced.
    if (local_ != nullptr) link_->CloseLink();
    local_.reset();
    local_ = MakeLocalSide(config_.Link.NullModemMode, env_.LocalNames);
    OpenResult result = link_->OpenLink(config_.Link, *local_);
    if (!result.Ok()) {
        MessageBox(Widget(), result.Message, kProgramCaption, MB_OK | MB_ICONERROR);
        if (result.EndApplication) Application().Terminate();
    }
    return result;
}

void TForm1::CloseLink() {
    reopen_timer_->stop();
    link_->CloseLink();
}

void TForm1::FormDestroy(TObject*) {
    CloseLink();
    local_.reset();
    SaveConfig();
    tray_->Delete();
    window_gone_ = true;
}

void TForm1::SaveConfig() {
    config_.Window = {Left(), Top(), Width(), Height()};
    config_.ColumnWidths = list_->ColumnWidths();
    std::string error;
    if (!SaveClientConfig(env_.Folder / kClientConfigFileName, config_, &error))
        MessageBox(Widget(), error, kProgramCaption, MB_OK | MB_ICONERROR);
}

void TForm1::FormClose(TObject*, TCloseAction& action) {
    if (MessageBox(Widget(), kExitQuestion, kProgramCaption, MB_YESNO | MB_ICONWARNING) != IDYES)
        action = TCloseAction::caNone;
}

void TForm1::N1Click(TObject*) {
    if (SettingsDialogOpen() || ModemPropertiesOpen()) return;  // not from under an open dialog
    Close();
}

void TForm1::N2Click(TObject*) {
    if (env_.SettingsDialog) env_.SettingsDialog(*this);
}

void TForm1::Timer1Timer(TObject*) {
    link_->LinkTimerTick();
}

void TForm1::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_TRAYNOTIFY: WMTrayNotify(message); return;
        case WM_MODEMSTATE: WMModemState(message); return;
        case WM_SERVERSTATE: WMServerState(message); return;
        case WM_SYSCOMMAND:
            if ((message.WParam & 0xFFF0) == SC_MINIMIZE && in_tray_) {
                Widget()->setWindowState(Widget()->windowState() & ~Qt::WindowMinimized);
                Hide();
                return;
            }
            break;
        default: break;
    }
    TForm::WndProc(message);
}

void TForm1::WMTrayNotify(const TMessage& message) {
    if (message.LParam == WM_LBUTTONUP) {
        if (Visible()) {
            Hide();
        } else {
            Show();
            list_->DrawModemList();
        }
    } else if (message.LParam == WM_RBUTTONDOWN) {
        const TPoint at = env_.CursorPos ? env_.CursorPos() : TPoint{QCursor::pos().x(), QCursor::pos().y()};
        BringToForeground();
        PopupMenu1->Popup(at.X, at.Y);
    }
}

void TForm1::WMModemState(const TMessage&) {
    // Every change waiting is taken at once: each new entry still gets its
    // settings and its pause rule, in the order the modems were heard, but
    // the file is read once and the list sorted, painted and counted once,
    // as after the last of them.
    modem_states_.TakeAll(taken_states_);
    new_entries_.clear();
    bool current = false;
    for (const ModemStateQueue::Item& item : taken_states_) {
        if (!link_->IsCurrentGeneration(item.Generation)) continue;
        current = true;
        if (item.Notice.Change == ModemStateChange::New) new_entries_.push_back(item.Notice.Index);
    }
    if (!current) return;
    if (!new_entries_.empty())
        LookUpModemSettings(table_, new_entries_, config_.Link.OneModemActive, env_.Folder / kModemsFileName);
    list_->SortModems();
    list_->DrawModemList();
    UpdateTip();
}

void TForm1::WMServerState(const TMessage& message) {
    link_->HandleServerState(std::uint32_t(message.WParam));
}

void TForm1::UpdateTip() {
    std::uint16_t online = 0;
    {
        std::lock_guard lock(table_.TableLock);
        online = table_.OnlineCount;
    }
    SetTip(OnlineTip(online));
}

void TForm1::SetIcon(TrayIcon which) {
    if (window_gone_) return;
    const QIcon icon = ProgramIcon(which);
    Application().SetIcon(icon);
    tray_->SetIcon(IconName(which), icon);
}

void TForm1::SetTip(const std::string& tip) {
    if (!window_gone_) tray_->SetTip(tip);
}

void TForm1::RestartPingCountdowns(std::uint8_t pingPeriod) {
    link_->SetPingPeriod(pingPeriod);
}

void TForm1::PauseAllModems() {
    {
        std::lock_guard lock(table_.TableLock);
        if (table_.Entries.empty()) return;
        PauseEveryModem(table_);
    }
    list_->DrawModemList();
}

void TForm1::EmptyModemTable() {
    {
        std::lock_guard lock(table_.TableLock);
        table_.Empty();
    }
    list_->DrawModemList();
}

void TForm1::ReopenLinkAfterPause() {
    reopen_timer_->start(2000);
}

}  // namespace dlk::client
