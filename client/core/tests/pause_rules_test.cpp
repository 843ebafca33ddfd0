#include "client/core/table/pause_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dlk::client {
namespace {

// Paused flags of the table as a string, "P" paused and "-" active, in index order.
std::string PauseStates(const ModemTable& table) {
    std::string s;
    for (const ModemEntry& e : table.Entries) s += e.Paused ? 'P' : '-';
    return s;
}

void Fill(ModemTable& table, const std::string& states, const std::string& pausedAtStart = "") {
    for (std::size_t i = 0; i < states.size(); ++i) {
        ModemEntry e;
        e.Online = 1;
        e.Paused = states[i] == 'P';
        e.PausedAtStart = i < pausedAtStart.size() && pausedAtStart[i] == 'P';
        table.Entries.push_back(e);
    }
}

TEST(PauseRules, ClickInThePauseColumn) {
    struct Case {
        std::uint8_t OneModemActive;
        std::string Before;
        std::uint16_t Clicked;
        std::string After;
    };
    const std::vector<Case> cases = {
        // Several modems allowed: the clicked one toggles, the rest keep their state.
        {0, "PPP", 1, "P-P"},
        {0, "P-P", 1, "PPP"},
        {0, "---", 0, "P--"},
        {0, "P-P", 0, "--P"},
        // One modem active: a paused one becomes the only active one ...
        {1, "PPP", 1, "P-P"},
        {1, "-PP", 2, "PP-"},
        {1, "--P", 2, "PP-"},  // left over from when several were allowed
        // ... and an active one is paused, leaving none active.
        {1, "P-P", 1, "PPP"},
        {1, "-", 0, "P"},
        // A row beyond the table changes nothing.
        {1, "P-P", 3, "P-P"},
        {0, "", 0, ""},
    };
    for (const Case& c : cases) {
        ModemTable table;
        Fill(table, c.Before);
        ClickPause(table, c.Clicked, c.OneModemActive);
        EXPECT_EQ(PauseStates(table), c.After)
            << "OneModemActive " << int(c.OneModemActive) << ", " << c.Before << ", row " << c.Clicked;
    }
}

TEST(PauseRules, KnownNewModem) {
    struct Case {
        std::uint8_t OneModemActive;
        std::string Before;         // the new entry is the last one and starts paused
        std::string PausedAtStart;  // stored in the modems file
        std::string After;
    };
    const std::vector<Case> cases = {
        // Several modems allowed: the stored flag decides.
        {0, "P", "-", "-"},
        {0, "P", "P", "P"},
        {0, "--P", "PP-", "---"},
        {0, "--P", "--P", "--P"},
        // One modem active: only the table's sole entry starts active, whatever was stored.
        {1, "P", "-", "-"},
        {1, "P", "P", "-"},
        {1, "PP", "--", "PP"},
        {1, "-P", "--", "-P"},
    };
    for (const Case& c : cases) {
        ModemTable table;
        Fill(table, c.Before, c.PausedAtStart);
        ApplyPauseRuleToKnownNewModem(table, static_cast<std::uint16_t>(c.Before.size() - 1), c.OneModemActive);
        EXPECT_EQ(PauseStates(table), c.After)
            << "OneModemActive " << int(c.OneModemActive) << ", " << c.Before << ", stored " << c.PausedAtStart;
        EXPECT_TRUE(table.RepaintNeeded);
    }
    ModemTable empty;
    ApplyPauseRuleToKnownNewModem(empty, 0, 1);  // emptied by a restart meanwhile
    EXPECT_TRUE(empty.Entries.empty());
}

TEST(PauseRules, SwitchingOneModemActiveOnPausesEveryModem) {
    ModemTable table;
    Fill(table, "-P--");
    PauseEveryModem(table);
    EXPECT_EQ(PauseStates(table), "PPPP");
    EXPECT_TRUE(table.RepaintNeeded);

    // Then a click leaves exactly that modem active.
    ClickPause(table, 2, 1);
    EXPECT_EQ(PauseStates(table), "PP-P");
}

}  // namespace
}  // namespace dlk::client
