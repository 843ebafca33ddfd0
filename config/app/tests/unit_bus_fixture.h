#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "config/app/unit1.h"
#include "config/app/unit2.h"
#include "config/testing/configured_unit.h"
#include "framework/application/message_box.h"
#include "framework/tests/qt_test_app.h"
#include "platform/testing/temp_folder.h"

namespace dlk::config::testing {
using namespace ::dlk::testing;

inline std::shared_ptr<SimulatedUnit> ConfiguredUnit(std::uint8_t device_type, bool in_loader = false) {
    auto unit = std::make_shared<SimulatedUnit>(ConfiguredIdentity(device_type), in_loader);
    ConfigureUnit(*unit);
    return unit;
}

// A fake hidraw tree (sysfs entries and device folder) watched by the real
// hot-plug watcher, with simulated units behind its nodes, and the two
// windows over it.
class ConfigWindowTest : public ::testing::Test {
protected:
    TempFolder folder;
    HidrawPaths paths{(folder / "class").string(), (folder / "dev").string()};
    std::map<std::string, std::shared_ptr<SimulatedUnit>> units;  // by node path
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
        return {paths, [this](const std::string& path) -> std::shared_ptr<HidDevice> {
                    const auto found = units.find(path);
                    if (found == units.end() || refused.count(path) || !found->second->Present()) return nullptr;
                    return found->second;
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
    SimulatedUnit& Plug(const std::string& name, std::shared_ptr<SimulatedUnit> unit, std::uint16_t product = 0x2018) {
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

}  // namespace dlk::config::testing
