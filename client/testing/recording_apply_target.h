#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "client/core/settings/settings_apply.h"

namespace dlk::client::sim {

// Records the window's actions in the order the settings asked for them:
// "ping 5", "pause all", "save", "close", "empty", "reopen".
class RecordingApplyTarget : public SettingsApplyTarget {
public:
    std::vector<std::string> calls;
    void RestartPingCountdowns(std::uint8_t period) override { calls.push_back("ping " + std::to_string(period)); }
    void PauseAllModems() override { calls.push_back("pause all"); }
    void SaveConfig() override { calls.push_back("save"); }
    void CloseLink() override { calls.push_back("close"); }
    void EmptyModemTable() override { calls.push_back("empty"); }
    void ReopenLinkAfterPause() override { calls.push_back("reopen"); }
};

}  // namespace dlk::client::sim
