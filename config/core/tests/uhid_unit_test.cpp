// A virtual unit made by the kernel's uhid driver, found through sysfs and
// talked to through its hidraw node. Needs /dev/uhid and the right to open
// it and the new node; skipped where either is missing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <set>
#include <thread>

#include "config/core/report_link.h"
#include "config/core/unit_discovery.h"
#include "platform/hid/hidraw_device.h"
#include "platform/hid/hidraw_watcher.h"

namespace dlk::config {
namespace {

using namespace std::chrono_literals;

// Vendor-defined: a 16-byte input report and a 20-byte output report, no ids.
constexpr std::uint8_t kReportDescriptor[] = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x10, 0x09, 0x01, 0x81, 0x02, 0x95, 0x14, 0x09, 0x01, 0x91, 0x02, 0xC0,
};

const UnitIdentity kVirtualUnit{.UsbProgramVersion = 7,
                                .DeviceType = 1,
                                .MainProgramVersion = 9,
                                .SerialNumber = 4242,
                                .HardwareMinor = 0,
                                .HardwareMajor = 1};

bool SendEvent(int fd, const uhid_event& event) {
    return ::write(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

class VirtualUnit {
public:
    ~VirtualUnit() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (fd_ >= 0) {
            uhid_event destroy{};
            destroy.type = UHID_DESTROY;
            SendEvent(fd_, destroy);
            ::close(fd_);
        }
    }

    bool Create() {
        fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
        if (fd_ < 0) return false;
        uhid_event create{};
        create.type = UHID_CREATE2;
        std::strcpy(reinterpret_cast<char*>(create.u.create2.name), "DLK virtual modem unit");
        create.u.create2.rd_size = sizeof kReportDescriptor;
        std::memcpy(create.u.create2.rd_data, kReportDescriptor, sizeof kReportDescriptor);
        create.u.create2.bus = 0x03;  // USB
        create.u.create2.vendor = kUnitVendorId;
        create.u.create2.product = kUnitProductId;
        if (!SendEvent(fd_, create)) return false;
        thread_ = std::thread([this] { Serve(); });
        return true;
    }

    int identify_requests() const { return identify_requests_; }

private:
    void Serve() {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            uhid_event event{};
            if (::read(fd_, &event, sizeof event) <= 0) return;
            if (event.type != UHID_OUTPUT) continue;
            // The request as written, with or without its leading report id.
            const std::size_t size = event.u.output.size;
            if (size < 20 || event.u.output.data[size - 4] != 0) continue;
            ++identify_requests_;
            uhid_event reply{};
            reply.type = UHID_INPUT2;
            reply.u.input2.size = kReportPayloadSize;
            const ReportPayload payload = EncodeIdentify(kVirtualUnit);
            std::memcpy(reply.u.input2.data, payload.data(), payload.size());
            SendEvent(fd_, reply);
        }
    }

    int fd_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<int> identify_requests_{0};
    std::thread thread_;
};

TEST(UhidUnit, IdentifiesAVirtualUnitThroughHidraw) {
    const HidrawPaths paths;
    std::set<std::string> before;
    for (const auto& c : FindUnitCandidates(paths)) before.insert(c.Node.Name);

    HidrawWatcher watcher(paths.DevDir);
    const bool watching = watcher.Start();
    VirtualUnit unit;
    if (!unit.Create()) GTEST_SKIP() << "/dev/uhid is missing or cannot be opened: " << std::strerror(errno);

    std::optional<UnitCandidate> found;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!found && std::chrono::steady_clock::now() < deadline) {
        for (auto& c : FindUnitCandidates(paths))
            if (!before.count(c.Node.Name) && ::access(c.Node.Path.c_str(), F_OK) == 0) found = c;
        if (found) break;
        if (!watching) {
            std::this_thread::sleep_for(50ms);
        } else if (watcher.WaitForChanges(100ms)) {
            watcher.TakeChanges();
        }
    }
    if (!found) GTEST_SKIP() << "no hidraw node appeared for the virtual unit";
    EXPECT_EQ(found->Mode, UnitMode::Normal);

    auto device = HidrawDevice::Open(found->Node.Path);
    if (!device) GTEST_SKIP() << "cannot open " << found->Node.Path << ": " << std::strerror(errno);

    ReportLink link;
    link.Attach(device.get());
    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(id.SerialNumber, 4242);
    EXPECT_EQ(id.MainProgramVersion, 9);
    EXPECT_EQ(unit.identify_requests(), 1);
}

}  // namespace
}  // namespace dlk::config
