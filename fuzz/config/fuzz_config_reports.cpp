// Whatever a device or sysfs hands us: a uevent text, input reports of any
// length as replies, and request reports of any content reaching the
// simulated unit (which later tests trust to behave).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "config/core/report_link.h"
#include "config/testing/simulated_unit.h"
#include "platform/hid/hidraw_enumeration.h"

namespace {

// Hands out the fuzz input as consecutive input reports.
class FuzzedDevice : public dlk::HidDevice {
public:
    explicit FuzzedDevice(std::span<const std::uint8_t> input) : input_(input) {}
    bool IsOpen() const override { return true; }
    dlk::HidIoStatus WriteReport(std::span<const std::uint8_t>, std::chrono::milliseconds) override {
        return dlk::HidIoStatus::Ok;
    }
    dlk::HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds) override {
        if (input_.empty()) return {dlk::HidIoStatus::TimedOut, 0};
        const std::size_t size = std::min<std::size_t>({input_[0], input_.size() - 1, into.size()});
        std::copy_n(input_.begin() + 1, size, into.begin());
        input_ = input_.subspan(std::min(input_.size(), size + 1));
        if (size == 0) return {dlk::HidIoStatus::TimedOut, 0};
        return {dlk::HidIoStatus::Ok, size};
    }
    void DiscardInput() override {}
    void Close() override {}

private:
    std::span<const std::uint8_t> input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);

    dlk::ParseHidIdFromUevent(std::string_view(reinterpret_cast<const char*>(data), size));

    FuzzedDevice device(input);
    dlk::config::ReportLink link;
    link.Attach(&device);
    dlk::config::UnitIdentity id;
    bool flag = false;
    link.Identify(id);
    link.Verify(flag);
    link.ReadMemory(0, 0xF8, 16);

    dlk::config::SimulatedUnit unit(dlk::config::UnitIdentity{});
    std::array<std::uint8_t, 17> reply{};
    for (std::size_t at = 0; at + dlk::config::kConfigReportSize <= size; at += dlk::config::kConfigReportSize) {
        std::array<std::uint8_t, dlk::config::kConfigReportSize> request;
        std::copy_n(data + at, request.size(), request.begin());
        request[0] = 0;
        unit.WriteReport(request, {});
        unit.ReadReport(reply, {});
    }
    return 0;
}
