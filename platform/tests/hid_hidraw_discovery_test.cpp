// Finding hidraw devices in a sysfs-like tree and following nodes in a
// /dev-like folder, both built in a temporary directory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/hid/hidraw_enumeration.h"
#include "platform/hid/hidraw_watcher.h"

namespace dlk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class TempDir {
public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/dlk_hid_XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

std::string Uevent(const char* hid_id) {
    return std::string("DRIVER=hid-generic\nHID_ID=") + hid_id +
           "\nHID_NAME=Device\nHID_PHYS=usb-0000:00:14.0-1/input0\n";
}

TEST(HidUevent, ReadsBusVendorAndProduct) {
    const auto ids = ParseHidIdFromUevent(Uevent("0003:000003EB:00002018"));
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->VendorId, 0x03EB);
    EXPECT_EQ(ids->ProductId, 0x2018);
    const auto lower = ParseHidIdFromUevent("HID_ID=0003:000003eb:00002019");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->ProductId, 0x2019);
}

TEST(HidUevent, RefusesMissingOrMalformedIds) {
    EXPECT_FALSE(ParseHidIdFromUevent("DRIVER=hid-generic\nHID_NAME=x\n"));
    EXPECT_FALSE(ParseHidIdFromUevent("HID_ID=0003:000003EB\n"));
    EXPECT_FALSE(ParseHidIdFromUevent("HID_ID=0003:0000XYZ1:00002018\n"));
    EXPECT_FALSE(ParseHidIdFromUevent("HID_ID=0003:000103EB:00002018\n"));  // wider than 16 bits
    EXPECT_FALSE(ParseHidIdFromUevent("HID_ID=0003::00002018\n"));
    EXPECT_FALSE(ParseHidIdFromUevent("XHID_ID=0003:000003EB:00002018\n"));
    EXPECT_FALSE(ParseHidIdFromUevent(""));
}

TEST(HidrawName, OnlyHidrawAndDigits) {
    EXPECT_TRUE(IsHidrawName("hidraw0"));
    EXPECT_TRUE(IsHidrawName("hidraw123"));
    EXPECT_FALSE(IsHidrawName("hidraw"));
    EXPECT_FALSE(IsHidrawName("hidraw1x"));
    EXPECT_FALSE(IsHidrawName("hidraw1/../../x"));
    EXPECT_FALSE(IsHidrawName("ttyS0"));
    EXPECT_FALSE(IsHidrawName(".."));
}

TEST(HidrawEnumeration, ListsReadableDevicesInNodeOrder) {
    TempDir root;
    const fs::path sys = root.path() / "sys/class/hidraw";
    WriteFile(sys / "hidraw10/device/uevent", Uevent("0003:000003EB:00002018"));
    WriteFile(sys / "hidraw2/device/uevent", Uevent("0003:0000046D:0000C52B"));
    WriteFile(sys / "hidraw1/device/uevent", Uevent("0003:000003EB:00002019"));
    WriteFile(sys / "hidraw3/device/uevent", "DRIVER=hid-generic\n");  // no ids: skipped
    fs::create_directories(sys / "hidraw4");                           // no device link: skipped
    WriteFile(sys / "notes/device/uevent", Uevent("0003:000003EB:00002018"));

    const HidrawPaths paths{sys.string(), "/devfake"};
    const auto nodes = EnumerateHidraw(paths);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].Name, "hidraw1");
    EXPECT_EQ(nodes[0].Path, "/devfake/hidraw1");
    EXPECT_EQ(nodes[0].ProductId, 0x2019);
    EXPECT_EQ(nodes[1].Name, "hidraw2");
    EXPECT_EQ(nodes[1].VendorId, 0x046D);
    EXPECT_EQ(nodes[2].Name, "hidraw10");

    const auto one = ReadHidrawNode(paths, "hidraw10");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->ProductId, 0x2018);
    EXPECT_FALSE(ReadHidrawNode(paths, "hidraw3"));
    EXPECT_FALSE(ReadHidrawNode(paths, "../hidraw10"));
}

TEST(HidrawEnumeration, MissingClassFolderMeansNoDevices) {
    EXPECT_TRUE(EnumerateHidraw({"/nonexistent/dlk/sys/class/hidraw", "/dev"}).empty());
}

// Collects changes until `wanted` have come or a generous time has passed.
std::vector<HidrawChange> Collect(HidrawWatcher& watcher, std::size_t wanted) {
    std::vector<HidrawChange> all;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (all.size() < wanted && std::chrono::steady_clock::now() < deadline) {
        if (!watcher.WaitForChanges(100ms)) continue;
        for (auto& c : watcher.TakeChanges()) all.push_back(std::move(c));
    }
    return all;
}

TEST(HidrawWatcher, ReportsArrivalPermissionChangeAndRemovalOfHidrawNodesOnly) {
    TempDir dev;
    HidrawWatcher watcher(dev.path().string());
    ASSERT_TRUE(watcher.Start());
    EXPECT_GE(watcher.Descriptor(), 0);
    EXPECT_TRUE(watcher.TakeChanges().empty());

    WriteFile(dev.path() / "ttyUSB0", "");  // not ours
    WriteFile(dev.path() / "hidraw7", "");
    auto changes = Collect(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Kind, HidrawChangeKind::Arrived);
    EXPECT_EQ(changes[0].Name, "hidraw7");
    EXPECT_EQ(changes[0].Path, (dev.path() / "hidraw7").string());

    // udev setting the group and mode afterwards is another chance to open it.
    ASSERT_EQ(::chmod((dev.path() / "hidraw7").c_str(), 0660), 0);
    changes = Collect(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Kind, HidrawChangeKind::Arrived);

    fs::remove(dev.path() / "hidraw7");
    changes = Collect(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Kind, HidrawChangeKind::Removed);
    EXPECT_EQ(changes[0].Name, "hidraw7");
}

TEST(HidrawWatcher, RenamedNodesLeaveAndArrive) {
    TempDir dev;
    WriteFile(dev.path() / "hidraw1", "");
    HidrawWatcher watcher(dev.path().string());
    ASSERT_TRUE(watcher.Start());
    fs::rename(dev.path() / "hidraw1", dev.path() / "hidraw2");
    const auto changes = Collect(watcher, 2);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].Kind, HidrawChangeKind::Removed);
    EXPECT_EQ(changes[0].Name, "hidraw1");
    EXPECT_EQ(changes[1].Kind, HidrawChangeKind::Arrived);
    EXPECT_EQ(changes[1].Name, "hidraw2");
}

TEST(HidrawWatcher, MissingFolderCannotBeWatched) {
    HidrawWatcher watcher("/nonexistent/dlk/dev");
    EXPECT_FALSE(watcher.Start());
    EXPECT_EQ(watcher.Descriptor(), -1);
    EXPECT_FALSE(watcher.WaitForChanges(0ms));
    EXPECT_TRUE(watcher.TakeChanges().empty());
}

}  // namespace
}  // namespace dlk
