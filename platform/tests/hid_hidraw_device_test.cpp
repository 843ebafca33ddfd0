// The hidraw backend over kernel objects that behave like a hidraw node: a
// SOCK_SEQPACKET socket pair carries one report per read and write, with the
// far end playing the unit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <vector>

#include "platform/hid/hidraw_device.h"

namespace dlk {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class HidrawOverSocket : public ::testing::Test {
protected:
    std::unique_ptr<HidrawDevice> device;
    int unit_end = -1;

    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN);
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        device = std::make_unique<HidrawDevice>(fds[0]);
        unit_end = fds[1];
    }
    void TearDown() override {
        if (unit_end >= 0) ::close(unit_end);
    }

    void UnitSends(std::vector<std::uint8_t> report) {
        ASSERT_EQ(::write(unit_end, report.data(), report.size()), static_cast<ssize_t>(report.size()));
    }
    std::vector<std::uint8_t> UnitReceives() {
        std::vector<std::uint8_t> buffer(64);
        const ssize_t n = ::read(unit_end, buffer.data(), buffer.size());
        buffer.resize(n > 0 ? n : 0);
        return buffer;
    }
};

TEST_F(HidrawOverSocket, ReportsTravelWholeBothWays) {
    std::array<std::uint8_t, 21> request{};
    request[17] = 6;
    request[20] = 16;
    ASSERT_EQ(device->WriteReport(request, 100ms), HidIoStatus::Ok);
    EXPECT_EQ(UnitReceives(), std::vector<std::uint8_t>(request.begin(), request.end()));

    UnitSends({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    std::array<std::uint8_t, 64> input{};
    const HidReadResult read = device->ReadReport(input, 1000ms);
    ASSERT_EQ(read.Status, HidIoStatus::Ok);
    EXPECT_EQ(read.Size, 16u);
    EXPECT_EQ(input[0], 1);
    EXPECT_EQ(input[15], 16);
}

TEST_F(HidrawOverSocket, SilentDeviceTimesOutAndStaysOpen) {
    std::array<std::uint8_t, 17> input{};
    const auto start = Clock::now();
    EXPECT_EQ(device->ReadReport(input, 60ms).Status, HidIoStatus::TimedOut);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 60ms);
    EXPECT_LT(waited, 2s);
    EXPECT_TRUE(device->IsOpen());
}

TEST_F(HidrawOverSocket, DeviceThatTakesNothingMoreTimesOutOnWrite) {
    const int small = 4096;
    ::setsockopt(device->Descriptor(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    std::array<std::uint8_t, 21> request{};
    HidIoStatus status = HidIoStatus::Ok;
    int writes = 0;
    while (status == HidIoStatus::Ok && writes < 100000) {
        status = device->WriteReport(request, 20ms);
        ++writes;
    }
    EXPECT_EQ(status, HidIoStatus::TimedOut);
    EXPECT_TRUE(device->IsOpen());
}

TEST_F(HidrawOverSocket, QueuedReportsAreDiscardedOnRequest) {
    UnitSends({0xEE});
    UnitSends({0xEE, 0xEE});
    UnitSends({0xEE, 0xEE, 0xEE});
    device->DiscardInput();
    std::array<std::uint8_t, 17> input{};
    EXPECT_EQ(device->ReadReport(input, 10ms).Status, HidIoStatus::TimedOut);
    UnitSends({0x42});
    EXPECT_EQ(device->ReadReport(input, 1000ms).Status, HidIoStatus::Ok);
    EXPECT_EQ(input[0], 0x42);
    EXPECT_TRUE(device->IsOpen());
}

TEST_F(HidrawOverSocket, DeviceGoneIsReportedAndTheDescriptorForgotten) {
    UnitSends({0x11});
    ::close(unit_end);
    unit_end = -1;
    std::array<std::uint8_t, 17> input{};
    // What was sent before the unit left is still delivered...
    EXPECT_EQ(device->ReadReport(input, 1000ms).Status, HidIoStatus::Ok);
    // ...then its absence is seen, and the handle is let go at once.
    EXPECT_EQ(device->ReadReport(input, 1000ms).Status, HidIoStatus::Gone);
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(device->Descriptor(), -1);
    std::array<std::uint8_t, 21> request{};
    EXPECT_EQ(device->WriteReport(request, 10ms), HidIoStatus::Failed);
}

TEST_F(HidrawOverSocket, WriteToADeviceThatLeftFailsInsteadOfSucceeding) {
    ::close(unit_end);
    unit_end = -1;
    std::array<std::uint8_t, 21> request{};
    EXPECT_EQ(device->WriteReport(request, 100ms), HidIoStatus::Gone);
    EXPECT_EQ(device->Descriptor(), -1);
    device->Close();  // idempotent
    EXPECT_FALSE(device->IsOpen());
}

TEST_F(HidrawOverSocket, DiscardNoticesADeviceThatLeft) {
    ::close(unit_end);
    unit_end = -1;
    device->DiscardInput();
    EXPECT_FALSE(device->IsOpen());
}

class TempFile {
public:
    TempFile() {
        const char* base = std::getenv("TMPDIR");
        path_ = std::string(base ? base : "/tmp") + "/dlk_hidraw_XXXXXX";
        const int fd = ::mkstemp(path_.data());
        if (fd >= 0) ::close(fd);
    }
    ~TempFile() { ::unlink(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST(HidrawOpen, OpensReadWriteAndWithoutSharing) {
    TempFile node;
    auto first = HidrawDevice::Open(node.path());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsOpen());
    EXPECT_TRUE(::fcntl(first->Descriptor(), F_GETFL) & O_NONBLOCK);
    EXPECT_EQ((::fcntl(first->Descriptor(), F_GETFL) & O_ACCMODE), O_RDWR);
    EXPECT_EQ(HidrawDevice::Open(node.path()), nullptr) << "a second holder must be refused";
    first.reset();
    EXPECT_NE(HidrawDevice::Open(node.path()), nullptr) << "free again once the first let go";
}

TEST(HidrawOpen, MissingNodeIsRefused) {
    EXPECT_EQ(HidrawDevice::Open("/nonexistent/dlk/hidraw0"), nullptr);
}

}  // namespace
}  // namespace dlk
