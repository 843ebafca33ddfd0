#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "client/core/link_settings.h"

namespace dlk::client {

// What the settings dialog holds when OK is pressed: texts as typed (UTF-8)
// and the states of the boxes.
struct SettingsDialogValues {
    std::string LocalPort;        // Edit1
    bool ClientMode = false;      // CheckBox2
    std::string ClientId;         // Edit4
    std::string ClientPassword;   // Edit6
    std::string ServerAddress;    // Edit2
    std::string ServerPort;       // Edit3
    std::string PingPeriod;       // Edit5
    bool NullModemMode = false;   // RadioButton1 (RadioButton2 is its opposite)
    bool OneModemActive = false;  // CheckBox1
};

// The dialog as it opens: every field shows the current setting.
SettingsDialogValues DialogValuesFrom(const LinkSettings& settings);

// A field the user must correct; nothing has been applied.
struct SettingsError {
    std::string Control;  // the edit to focus, e.g. "Edit3"
    std::string Message;  // the text for the message box
};

// A typed text code page 1251 cannot hold, refused rather than stored with
// '?' in place of its characters; the field named by its label's words.
SettingsError TextOutsideCp1251(std::string control, const std::string& fieldWords);

// Every field checked and converted, or the first wrong one. A field still
// showing the current setting is taken as it is, so a value the dialog could
// not produce (from an old file) never locks the user out of the dialog.
std::variant<LinkSettings, SettingsError> ValidateSettingsDialog(const SettingsDialogValues& values,
                                                                 const LinkSettings& current);

// What the window does for the changes the dialog made. The shell
// implements it; the calls come in the order they are listed here.
class SettingsApplyTarget {
public:
    virtual ~SettingsApplyTarget() = default;
    // The ping period changed: the next tick pings, and the server gets three
    // new periods before it counts as silent.
    virtual void RestartPingCountdowns(std::uint8_t pingPeriod) = 0;
    // "только один модем активен" was switched on: every modem is paused and
    // the list is painted (nothing happens with an empty table).
    virtual void PauseAllModems() = 0;
    // The new settings are in place: write the configuration file.
    virtual void SaveConfig() = 0;
    // A restart, in three steps: the old link's threads stopped and joined,
    // so none of them can add entries afterwards ...
    virtual void CloseLink() = 0;
    // ... then the table emptied, the selection cleared and the list painted ...
    virtual void EmptyModemTable() = 0;
    // ... then the credential value computed again and, after the pause that
    // lets the peers notice, the link opened with the new settings.
    virtual void ReopenLinkAfterPause() = 0;
};

struct SettingsChanges {
    bool RestartLink = false;
    bool RestartPingCountdowns = false;
    bool PauseAllModems = false;
};

// Which of next's differences from current need which action.
SettingsChanges CompareSettings(const LinkSettings& current, const LinkSettings& next);

// OK of the settings dialog: validates every field first and applies nothing
// on an error; otherwise stores the new settings in settings and drives
// target. The configuration file is written even when nothing changed.
std::variant<SettingsChanges, SettingsError> ApplySettingsDialog(const SettingsDialogValues& values,
                                                                 LinkSettings& settings, SettingsApplyTarget& target);

}  // namespace dlk::client
