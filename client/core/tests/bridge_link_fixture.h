#pragma once

// A client link with simulated modems (directly or through a simulated relay
// server) on loopback UDP, and its local side on a scratch name.

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "client/core/bridge/local_sides.h"
#include "client/core/link/client_link.h"
#include "client/core/table/pause_rules.h"
#include "client/core/tests/bridge_test_support.h"
#include "client/testing/recording_observer.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"

namespace dlk::client::bridge_test {

using namespace std::chrono_literals;

// Distinct IMEIs for up to 90 modems.
inline ImeiBcd Imei(int n) {
    return *TextToImei("3569380356438" + std::to_string(10 + n));
}

inline std::vector<std::size_t> Sizes(const std::vector<std::vector<std::uint8_t>>& datagrams) {
    std::vector<std::size_t> sizes;
    for (const auto& d : datagrams) sizes.push_back(d.size());
    return sizes;
}

inline std::vector<std::uint8_t> Joined(const std::vector<std::vector<std::uint8_t>>& datagrams) {
    std::vector<std::uint8_t> all;
    for (const auto& d : datagrams) all.insert(all.end(), d.begin(), d.end());
    return all;
}

class BridgeLinkFixture : public ::testing::Test {
protected:
    // Opens the link with the given side (1 pseudo-terminal, 0 local socket)
    // and mode; in client mode it logs in to the relay first.
    void OpenLink(std::uint8_t nullModemMode, LinkMode mode) {
        mode_ = mode;
        names_ = {folder_.Path("CNCB0"), UniqueName("dlk_pipe_e2e")};
        local_ = MakeLocalSide(nullModemMode, names_);
        LinkSettings settings;
        settings.LocalPort = 0;
        settings.NullModemMode = nullModemMode;
        settings.OneModemActive = 0;
        settings.ClientMode = mode == LinkMode::Client ? 1 : 0;
        settings.ServerPort = relay_.Port();
        relay_.AddAccount(settings.ClientId.Text(), settings.ClientPassword.Text());
        const auto opened = link_.OpenLink(settings, *local_);
        ASSERT_TRUE(opened.Ok()) << opened.Message;
        if (mode == LinkMode::Client) {
            link_.LinkTimerTick();  // the first tick pings
            ASSERT_TRUE(observer_.WaitForServerStates(1));
        }
    }

    UdpEndpoint ModemTarget() const {
        return mode_ == LinkMode::Client ? relay_.Endpoint() : LoopbackEndpoint(link_.BoundPort());
    }

    // A modem that has announced itself; active unless asked otherwise.
    sim::SimulatedModem& AddModem(bool active = true) {
        modems_.push_back(std::make_unique<sim::SimulatedModem>(Imei(static_cast<int>(modems_.size())), ModemTarget()));
        sim::SimulatedModem& modem = *modems_.back();
        modem.SendOn();
        const std::size_t expected = modems_.size();
        for (int i = 0; i < 300; ++i) {
            {
                std::lock_guard lock(table_.TableLock);
                if (table_.Entries.size() == expected) break;
            }
            std::this_thread::sleep_for(5ms);
        }
        std::lock_guard lock(table_.TableLock);
        EXPECT_EQ(table_.Entries.size(), expected);
        if (active) ClickPause(table_, static_cast<std::uint16_t>(expected - 1), 0);
        return modem;
    }

    ModemEntry Entry(std::size_t index) const {
        std::lock_guard lock(table_.TableLock);
        return table_.Entries.at(index);
    }

    // The relayed chunks the client sent to the server, pings left out.
    std::vector<std::vector<std::uint8_t>> RelayedChunks() const {
        std::vector<std::vector<std::uint8_t>> chunks;
        for (auto& d : relay_.ClientDatagrams())
            if (!d.empty() && d[0] == 0x80) chunks.push_back(d);
        return chunks;
    }

    ScratchFolder folder_;
    ModemTable table_;
    sim::RecordingObserver observer_;
    LocalSideNames names_;
    std::unique_ptr<LocalSide> local_;  // outlives the link, which closes it
    ClientLink link_{table_, observer_};
    sim::SimulatedRelayServer relay_;
    std::vector<std::unique_ptr<sim::SimulatedModem>> modems_;
    LinkMode mode_ = LinkMode::Direct;
};

}  // namespace dlk::client::bridge_test
