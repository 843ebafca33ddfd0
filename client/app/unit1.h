#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/core/bridge/local_sides.h"
#include "client/core/link/client_link.h"
#include "client/core/link/modem_state_queue.h"
#include "client/core/settings/client_config_file.h"
#include "client/core/settings/settings_apply.h"
#include "client/core/table/modem_table.h"
#include "framework/controls/form.h"
#include "framework/tray/tray_icon.h"

class QTimer;

namespace dlk {
class THeaderControl;
class TScrollBar;
class TPopupMenu;
class TMainMenu;
class TMenuItem;
class TTimer;
}  // namespace dlk

namespace dlk::client {

class ModemListView;
class TForm1;

constexpr unsigned WM_TRAYNOTIFY = 0x401;
constexpr unsigned WM_MODEMSTATE = 0x402;
constexpr unsigned WM_SERVERSTATE = 0x403;

// What the main window is given from outside. The program passes the
// defaults; tests pass a folder, socket names and a tray of their own.
struct ShellEnvironment {
    std::filesystem::path Folder = ".";  // DLK_client_config.dat and DLK_client_modems.dat
    LocalSideNames LocalNames;
    TrayIconHost* Tray = nullptr;       // nullptr: the desktop's tray
    std::function<double()> TimeOfDay;  // empty: the local clock; any thread
    std::function<TPoint()> CursorPos;  // empty: the mouse cursor
    // The two dialogs the window opens: the tray menu's "Настройки" and a
    // modem's properties (a double click or Enter on its row). The program
    // binds the real ones; empty: nothing opens.
    std::function<void(TForm1&)> SettingsDialog;
    std::function<void(TForm1&, int entry)> PropertiesDialog;
};

// The main window of DLK_client: the tray icon, the link, the one-second
// timer, and the modem list inside.
class TForm1 : public TForm, private SettingsApplyTarget {
public:
    TForm1(TComponent* owner, ShellEnvironment environment);
    ~TForm1() override;

    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void N1Click(TObject* sender);
    void N2Click(TObject* sender);
    void Timer1Timer(TObject* sender);

    OpenResult OpenLink();
    void CloseLink() override;
    void SaveConfig() override;

    ClientLink& Link() { return *link_; }
    ModemTable& Table() { return table_; }
    ClientConfig& Config() { return config_; }
    SettingsApplyTarget& ApplyTarget() { return *this; }
    ModemListView& List() { return *list_; }
    std::uint8_t TaskbarHeight() const { return taskbar_height_; }
    const ShellEnvironment& Environment() const { return env_; }

    THeaderControl* HeaderControl1 = nullptr;
    TScrollBar* ScrollBar1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* N1 = nullptr;  // Выход
    TMenuItem* N2 = nullptr;  // Настройки
    TTimer* Timer1 = nullptr;
    // Where the desktop has no tray: the tray menu's two commands on the
    // window's own bar; nullptr with a tray.
    TMainMenu* WindowMenu = nullptr;

    // False where the desktop has no tray: the window is the program's only
    // face, shown at start, minimised like any other.
    bool InTray() const { return in_tray_; }

protected:
    void WndProc(TMessage& message) override;

private:
    class Observer;

    void WMTrayNotify(const TMessage& message);
    void WMModemState(const TMessage& message);
    void WMServerState(const TMessage& message);
    void SetIcon(TrayIcon which);
    void SetTip(const std::string& tip);
    void UpdateTip();
    void OfferTrayCommandsInTheWindow();

    // SettingsApplyTarget
    void RestartPingCountdowns(std::uint8_t pingPeriod) override;
    void PauseAllModems() override;
    void EmptyModemTable() override;
    void ReopenLinkAfterPause() override;

    ShellEnvironment env_;
    std::unique_ptr<TrayIconHost> own_tray_;
    TrayIconHost* tray_ = nullptr;
    ModemTable table_;
    ClientConfig config_;
    // Filled by the receiver, emptied by WMModemState; outlives the link.
    ModemStateQueue modem_states_;
    std::vector<ModemStateQueue::Item> taken_states_;
    std::vector<std::uint16_t> new_entries_;
    std::unique_ptr<Observer> observer_;
    std::unique_ptr<LocalSide> local_;
    std::unique_ptr<ClientLink> link_;
    std::unique_ptr<ModemListView> list_;
    std::unique_ptr<QTimer> reopen_timer_;
    std::uint8_t taskbar_height_ = 0;
    bool window_gone_ = false;
    bool in_tray_ = true;
};

}  // namespace dlk::client
