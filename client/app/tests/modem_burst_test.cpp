#include "client/testing/modem_burst.h"

#include <mutex>
#include <thread>

#include "client/app/modem_list_view.h"
#include "client/app/tests/shell_fixture.h"
#include "client/core/list/list_input.h"
#include "client/core/list/modem_sort.h"
#include "client/core/settings/modems_file.h"
#include "framework/controls/scroll_bar.h"

namespace dlk::client::shell_testing {
namespace {

using namespace std::chrono_literals;

// Ten thousand modems come on within a second while the window is shown:
// the window keeps up, and once they are in, the tip counts them all, the
// list has a row for each, sorted, and the one modem the modems file knows
// has its name and starts active.
TEST_F(ShellTest, TenThousandModemsComingOnAtOnceAreCountedListedAndLookedUp) {
    constexpr std::uint32_t kModems = 10000;
    constexpr std::uint32_t kKnown = 4321;
    ModemUserSettings known;
    known.Name = MakeShortString<31>("zz");  // sorts after every empty name
    known.PausedAtStart = 0;
    std::string error;
    ASSERT_TRUE(StoreModemSettings(folder_ / kModemsFileName, sim::CrowdImei(kKnown), known, &error)) << error;
    settings_.OneModemActive = 0;
    TForm1& form = Start();
    form.Show();

    bool sent = false;
    std::thread burst([&] { sent = sim::SendModemOnBurst(LoopbackEndpoint(settings_.LocalPort), kModems, 1000ms); });
    const auto inOrder = [](const ModemTable& table) {
        for (int row = 1; row < int(table.ModemTableCount()); ++row) {
            const ModemEntry& above = table.Entries[EntryOfRow(table, row - 1)];
            if (ModemGreater(above, table.Entries[EntryOfRow(table, row)], 0, false)) return false;
        }
        return true;
    };
    // The timer's tick may count and list them before the last batch of new
    // entries has been looked up and sorted in: wait for all of it.
    const bool counted = WaitUntil(
        [&] {
            if (tray_.Tip != "ДЛК-клиент\rподключено модемов: 10000") return false;
            if (form.ScrollBar1->Max() != int(kModems) * kListRowHeight) return false;
            std::lock_guard lock(form.Table().TableLock);
            const auto index = form.Table().FindByImei(sim::CrowdImei(kKnown));
            return index && form.Table().Entries[*index].Name == known.Name && inOrder(form.Table());
        },
        20000);
    burst.join();
    ASSERT_TRUE(sent);
    ASSERT_TRUE(counted) << tray_.Tip << " " << form.ScrollBar1->Max();

    EXPECT_TRUE(form.ScrollBar1->Visible());
    std::lock_guard lock(form.Table().TableLock);
    const ModemTable& table = form.Table();
    EXPECT_EQ(table.ModemTableCount(), kModems);
    EXPECT_EQ(table.OnlineCount, kModems);
    const auto index = table.FindByImei(sim::CrowdImei(kKnown));
    ASSERT_TRUE(index);
    EXPECT_EQ(table.Entries[*index].Name, known.Name);
    EXPECT_EQ(table.Entries[*index].Paused, 0);
    EXPECT_EQ(EntryOfRow(table, kModems - 1), *index);
    for (int row = 1; row < int(kModems); ++row) {
        const ModemEntry& above = table.Entries[EntryOfRow(table, row - 1)];
        ASSERT_FALSE(ModemGreater(above, table.Entries[EntryOfRow(table, row)], 0, false)) << row;
    }
}

}  // namespace
}  // namespace dlk::client::shell_testing
