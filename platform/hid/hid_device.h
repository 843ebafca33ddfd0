#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dlk {

// What one report transfer came to. A unit that was pulled out is told apart
// from one that merely did not answer in time, because the first must be
// closed and forgotten while the second may still be talked to.
enum class HidIoStatus {
    Ok,
    TimedOut,  // nothing moved within the time allowed; the device stays open
    Gone,      // the device went away; it is closed now and IsOpen() is false
    Failed,    // any other refusal (short write, not open, unexpected error)
};

struct HidReadResult {
    HidIoStatus Status = HidIoStatus::Failed;
    std::size_t Size = 0;  // bytes of the input report, when Status is Ok
};

// One HID device as the report protocol sees it: an output report goes out
// whole with its report id in front; an input report comes back as the device
// sent it (without a report id when the device numbers none of its reports).
// Implemented by the hidraw backend and by the simulated modem unit.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual bool IsOpen() const = 0;
    virtual HidIoStatus WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) = 0;
    virtual HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) = 0;
    // Drops input reports already queued, so that a reply read next belongs
    // to the request written next.
    virtual void DiscardInput() = 0;
    // Idempotent.
    virtual void Close() = 0;
};

}  // namespace dlk
