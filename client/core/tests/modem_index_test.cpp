#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "client/core/table/modem_table.h"

namespace dlk::client {
namespace {

// What the lookups must answer: the lowest index, by walking the table.
std::optional<std::uint16_t> Walk(const ModemTable& t, auto holds) {
    for (std::size_t i = 0; i < t.Entries.size(); ++i)
        if (holds(t.Entries[i])) return static_cast<std::uint16_t>(i);
    return std::nullopt;
}

void ExpectLookupsAgreeWithAWalk(const ModemTable& t, const std::vector<ImeiBcd>& imeis,
                                 const std::vector<UdpEndpoint>& addresses, int step) {
    for (const ImeiBcd& imei : imeis) {
        EXPECT_EQ(t.FindByImei(imei), Walk(t, [&](const ModemEntry& e) { return e.Imei == imei; })) << step;
    }
    for (const UdpEndpoint& at : addresses) {
        EXPECT_EQ(t.FindByAddress(at), Walk(t, [&](const ModemEntry& e) { return e.Endpoint() == at; })) << step;
        EXPECT_EQ(t.FindOnlineByAddress(at),
                  Walk(t, [&](const ModemEntry& e) { return e.Online == 1 && e.Endpoint() == at; }))
            << step;
    }
}

// Modems coming and going, moving between a few shared addresses, timing
// out, losing the server, the table emptied by a restart, and entries
// appended past the methods (as the tests elsewhere build their tables):
// after every step each lookup names the entry a walk of the table finds,
// and finds it in the index as the methods left it. The lookups repair an
// index they catch naming a wrong entry, which would hide a method that
// kept it badly; so none of them may have had to.
TEST(ModemIndex, LookupsAlwaysNameTheEntryAWalkWouldFind) {
    std::mt19937 random(7);
    std::vector<ImeiBcd> imeis;
    for (std::uint8_t i = 0; i < 40; ++i) imeis.push_back({0x35, 0, 0, 0, 0, 0, i, 0x10});
    std::vector<UdpEndpoint> addresses;
    for (std::uint8_t i = 0; i < 6; ++i) addresses.push_back(MakeEndpoint(10, 0, 0, i, std::uint16_t(4000 + i % 2)));

    ModemTable t;
    for (int step = 0; step < 3000; ++step) {
        const unsigned what = random() % 100;
        const ImeiBcd& imei = imeis[random() % imeis.size()];
        const UdpEndpoint& at = addresses[random() % addresses.size()];
        if (what < 70) {
            t.ApplyAnnouncement({random() % 3 != 0, std::uint8_t(random() % 3), imei, at}, 0.5);
        } else if (what < 90) {
            t.CountDownKeepAlive(0.6);
        } else if (what < 93) {
            t.AllOffline();
        } else if (what < 95) {
            t.Empty();
        } else if (!t.FindByImei(imei) && t.Entries.size() < ModemTable::kMaxEntries) {
            ModemEntry& e = t.Entries.emplace_back();
            e.Imei = imei;
            e.Online = random() % 2;
            e.Port = at.Port;
            e.Address = at.Address;
        }
        ExpectLookupsAgreeWithAWalk(t, imeis, addresses, step);
        EXPECT_EQ(t.IndexRebuilds(), 0u) << step;
        if (::testing::Test::HasFailure()) return;
    }
}

// Entries changed in place past the methods (a test that rebuilds its
// table by hand) are still found: a hit that no longer holds is not believed.
TEST(ModemIndex, AnEntryRewrittenInPlaceIsNotMistakenForItsOldSelf) {
    const ImeiBcd pump = {0x35, 0, 0, 0, 0, 0, 1, 0x10};
    const ImeiBcd well = {0x35, 0, 0, 0, 0, 0, 2, 0x10};
    const UdpEndpoint here = MakeEndpoint(10, 0, 0, 1, 5000);
    ModemTable t;
    t.ApplyAnnouncement({true, 0x55, pump, here}, 0.1);
    ASSERT_EQ(t.FindByImei(pump), 0);
    ASSERT_EQ(t.FindOnlineByAddress(here), 0);
    t.Entries.clear();
    t.Entries.emplace_back().Imei = well;
    EXPECT_FALSE(t.FindByImei(pump));
    EXPECT_EQ(t.FindByImei(well), 0);
    EXPECT_FALSE(t.FindOnlineByAddress(here));
    EXPECT_EQ(t.ApplyAnnouncement({true, 0x55, pump, here}, 0.2)->Index, 1);
    EXPECT_EQ(t.FindOnlineByAddress(here), 1);
    EXPECT_GT(t.IndexRebuilds(), 0u);  // the repair is counted
}

}  // namespace
}  // namespace dlk::client
