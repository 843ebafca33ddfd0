#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "config/app/unit1.h"
#include "config/app/unit2.h"
#include "config/core/tests/hex_bytes.h"
#include "config/testing/simulated_unit.h"
#include "framework/core/message_box.h"
#include "framework/tests/qt_test_app.h"
#include "platform/testing/temp_folder.h"

namespace dlk::testing {

// The window's handle on a simulated unit: closing it lets go of the unit
// without pulling it out, as closing a device node does.
class UnitHandle final : public HidDevice {
public:
    explicit UnitHandle(SimulatedUnit& unit) : unit_(unit) {}
    bool IsOpen() const override { return open_ && unit_.IsOpen(); }
    HidIoStatus WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override {
        return open_ ? unit_.WriteReport(report, timeout) : HidIoStatus::Failed;
    }
    HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override {
        return open_ ? unit_.ReadReport(into, timeout) : HidReadResult{};
    }
    void DiscardInput() override { unit_.DiscardInput(); }
    void Close() override { open_ = false; }

private:
    SimulatedUnit& unit_;
    bool open_ = true;
};

// A unit with settings a user would have made: 9600 8N1, connect on a call,
// alarm SMS, 1 minute, 8 s, UTC+03:00 by the schedule with two points.
inline std::unique_ptr<SimulatedUnit> ConfiguredUnit(std::uint8_t device_type, bool in_loader = false) {
    auto unit = std::make_unique<SimulatedUnit>(UnitIdentity{.UsbProgramVersion = 4,
                                                             .DeviceType = device_type,
                                                             .MainProgramVersion = 17,
                                                             .SerialNumber = 513,
                                                             .HardwareMinor = 1,
                                                             .HardwareMajor = 2},
                                                in_loader);
    for (std::size_t p = 0; p < kSettingsPageCount; ++p) unit->Page(p).fill(0xA5);
    auto put = [](SettingsPage& page, std::size_t address, const std::vector<std::uint8_t>& bytes) {
        std::copy(bytes.begin(), bytes.end(), page.begin() + address);
    };
    auto text = [](SettingsPage& page, std::size_t address, const std::string& s) {
        std::memcpy(page.data() + address, s.data(), s.size());
        page[address + s.size()] = 0;
    };
    SettingsPage& p0 = unit->Page(0);
    put(p0, 0x00, HexBytes("80 25 00 00  00 00 08 5A  30 10 02"));
    text(p0, 0x10, "\"internet.mts.ru\"");
    text(p0, 0x30, "\"mts\"");
    text(p0, 0x50, "\"\"");
    text(p0, 0x60, "\"pool.ntp.org\"");
    text(p0, 0x80, "\"192.168.100.200\"");
    text(p0, 0xB0, "\"5000\"");
    put(p0, 0xB8, HexBytes("1E 00 00"));
    put(p0, 0xFE, HexBytes("02 82"));
    unit->Page(1).fill(0);
    put(unit->Page(1), 0, HexBytes("3C 40 78 00"));
    text(unit->Page(2), 0x00, "0011000B919761214365F70008A70C");
    unit->Page(2)[0x1E] = 5;
    text(unit->Page(2), 0x1F, "Alarm");
    return unit;
}

// A fake hidraw tree (sysfs entries and device folder) watched by the real
// hot-plug watcher, with simulated units behind its nodes, and the two
// windows over it.
class ConfigWindowTest : public ::testing::Test {
protected:
    TempFolder folder;
    HidrawPaths paths{(folder / "class").string(), (folder / "dev").string()};
    std::map<std::string, std::unique_ptr<SimulatedUnit>> units;  // by node path
    std::set<std::string> refused;                                // nodes that do not open
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> panel;
    std::vector<MessageBoxRequest> boxes;

    void SetUp() override {
        EnsureApplication();
        std::filesystem::create_directories(paths.SysfsClassDir);
        std::filesystem::create_directories(paths.DevDir);
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            return int(IDOK);
        });
    }
    void TearDown() override {
        CloseWindows();
        SetMessageBoxAnswerer(nullptr);
        TForm::SetModalAnswerer(nullptr);
    }

    UnitBus Bus() {
        return {paths, [this](const std::string& path) -> std::unique_ptr<HidDevice> {
                    const auto found = units.find(path);
                    if (found == units.end() || refused.count(path) || !found->second->Present()) return nullptr;
                    return std::make_unique<UnitHandle>(*found->second);
                }};
    }
    void OpenWindows() {
        form = std::make_unique<TForm1>(nullptr, Bus());
        panel = std::make_unique<TForm2>(form.get());
        form->Form2 = panel.get();
    }

    void CloseWindows() {
        panel.reset();
        form.reset();
    }

    std::string NodePath(const std::string& name) const { return paths.DevDir + "/" + name; }
    // The sysfs entry first, then the node, as the kernel makes them.
    SimulatedUnit& Plug(const std::string& name, std::unique_ptr<SimulatedUnit> unit, std::uint16_t product = 0x2018) {
        const auto dir = std::filesystem::path(paths.SysfsClassDir) / name / "device";
        std::filesystem::create_directories(dir);
        char id[64];
        std::snprintf(id, sizeof id, "HID_ID=0003:000003EB:0000%04X\n", product);
        std::ofstream(dir / "uevent") << id;
        SimulatedUnit& kept = *unit;
        units[NodePath(name)] = std::move(unit);
        std::ofstream(NodePath(name)).put('\0');
        return kept;
    }
    void Unplug(const std::string& name) {
        units.at(NodePath(name))->Unplug();
        std::filesystem::remove(NodePath(name));
        std::filesystem::remove_all(std::filesystem::path(paths.SysfsClassDir) / name);
    }
    // Another HID device, not a unit.
    void PlugOther(const std::string& name) {
        const auto dir = std::filesystem::path(paths.SysfsClassDir) / name / "device";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "uevent") << "HID_ID=0003:0000046D:0000C52B\n";
        std::ofstream(NodePath(name)).put('\0');
    }
    bool WaitOpen(bool open) {
        return WaitUntil([&] { return form->DevicePath.empty() != open; }, 3000);
    }
    // Lets queued notices arrive and be handled.
    void Settle() {
        WaitUntil([] { return false; }, 150);
    }
};

}  // namespace dlk::testing
