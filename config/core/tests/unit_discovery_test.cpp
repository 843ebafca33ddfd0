#include "config/core/unit_discovery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace dlk::config {
namespace {

namespace fs = std::filesystem;

class FakeSysfs : public ::testing::Test {
protected:
    fs::path root;
    HidrawPaths paths;

    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/dlk_units_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        paths = {(root / "class/hidraw").string(), (root / "dev").string()};
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    void AddDevice(const std::string& name, const char* hid_id) {
        const fs::path dir = root / "class/hidraw" / name / "device";
        fs::create_directories(dir);
        std::ofstream(dir / "uevent") << "DRIVER=hid-generic\nHID_ID=" << hid_id << "\n";
    }
};

TEST_F(FakeSysfs, FindsUnitsAndBootLoadersOfTheRightVendorOnly) {
    AddDevice("hidraw0", "0003:0000046D:0000C52B");   // a mouse receiver
    AddDevice("hidraw1", "0003:000003EB:00002019");   // boot loader
    AddDevice("hidraw2", "0003:000003EB:00002FFF");   // same maker, other product
    AddDevice("hidraw3", "0003:00000001:00002018");   // other maker, same product
    AddDevice("hidraw12", "0003:000003EB:00002018");  // the unit

    const auto found = FindUnitCandidates(paths);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Node.Name, "hidraw1");
    EXPECT_EQ(found[0].Mode, UnitMode::BootLoader);
    EXPECT_EQ(found[1].Node.Name, "hidraw12");
    EXPECT_EQ(found[1].Node.Path, paths.DevDir + "/hidraw12");
    EXPECT_EQ(found[1].Mode, UnitMode::Normal);
}

TEST_F(FakeSysfs, ArrivalNoticeIsCheckedAgainstTheDevicesIds) {
    AddDevice("hidraw5", "0003:000003EB:00002018");
    AddDevice("hidraw6", "0003:0000046D:0000C52B");
    const auto unit = UnitCandidateForNode(paths, "hidraw5");
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->Mode, UnitMode::Normal);
    EXPECT_FALSE(UnitCandidateForNode(paths, "hidraw6"));
    EXPECT_FALSE(UnitCandidateForNode(paths, "hidraw7")) << "gone again before it was looked at";
}

TEST(UnitIds, OnlyTheTwoProductsOfTheMakerCount) {
    EXPECT_EQ(UnitModeForIds(0x03EB, 0x2018), UnitMode::Normal);
    EXPECT_EQ(UnitModeForIds(0x03EB, 0x2019), UnitMode::BootLoader);
    EXPECT_FALSE(UnitModeForIds(0x03EB, 0x2017));
    EXPECT_FALSE(UnitModeForIds(0x03EC, 0x2018));
}

}  // namespace
}  // namespace dlk::config
