// The report link over the real hidraw backend, with a socket pair standing in
// for the device node and the test playing the unit at the far end.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "config/core/report_link.h"
#include "config/core/tests/hex_bytes.h"
#include "platform/hid/hidraw_device.h"

namespace dlk::config {
namespace {

using namespace std::chrono_literals;
using testing::HexBytes;
using testing::ToVector;

class HidrawLink : public ::testing::Test {
protected:
    std::unique_ptr<HidrawDevice> device;
    ReportLink link{ReportTimeouts{.Write = 200ms, .Reply = 80ms}};
    int unit = -1;

    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN);
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        device = std::make_unique<HidrawDevice>(fds[0]);
        unit = fds[1];
        link.Attach(device.get());
    }
    void TearDown() override {
        if (unit >= 0) ::close(unit);
    }
    void UnitSends(const std::vector<std::uint8_t>& report) {
        ASSERT_EQ(::send(unit, report.data(), report.size(), 0), static_cast<ssize_t>(report.size()));
    }
    std::vector<std::uint8_t> UnitReceives() {
        std::vector<std::uint8_t> buffer(64);
        const ssize_t n = ::recv(unit, buffer.data(), buffer.size(), MSG_DONTWAIT);
        buffer.resize(n > 0 ? n : 0);
        return buffer;
    }
};

TEST_F(HidrawLink, RequestGoesOutWithReportIdZeroAndTheReplyLandsAfterIt) {
    // The unit's answer is already queued, as it would be by the time we read.
    const auto reply = HexBytes("00 17 80 0E 00 00 34 12 01 02 00 00 00 00 00 00");
    UnitSends(HexBytes("EE"));                                      // stale, from before the request
    ASSERT_EQ(link.ReadMemory(0, 0x60, 16), LinkStatus::TimedOut);  // the stale report was dropped
    UnitReceives();

    // Now a well-behaved exchange: the unit answers after reading the request.
    std::thread answer([&] {
        std::vector<std::uint8_t> request(64);
        const ssize_t n = ::recv(unit, request.data(), request.size(), 0);
        request.resize(n > 0 ? n : 0);
        EXPECT_EQ(request, HexBytes("00 00000000000000000000000000000000 00 60 00 10"));
        UnitSends(reply);
    });
    UnitIdentity id;
    const LinkStatus status = link.Identify(id);
    answer.join();
    ASSERT_EQ(status, LinkStatus::Ok);
    EXPECT_EQ(link.Reply().ReportId, 0);
    EXPECT_EQ(ToVector(link.Reply().Data), reply);
    EXPECT_EQ(id.DeviceType, 128);
    EXPECT_EQ(id.SerialNumber, 0x1234);
}

TEST_F(HidrawLink, UnitPulledOutIsReportedAndTheHandleInvalidated) {
    ::close(unit);
    unit = -1;
    EXPECT_EQ(link.EnterLoader(), LinkStatus::UnitGone);
    EXPECT_EQ(device->Descriptor(), -1);
    EXPECT_FALSE(link.HasUnit());
    EXPECT_EQ(link.GsmPassThroughOff(), LinkStatus::UnitGone);
}

}  // namespace
}  // namespace dlk::config
