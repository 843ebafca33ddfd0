#pragma once

#include <memory>
#include <string>

#include "platform/hid/hid_device.h"

namespace dlk {

// A hidraw node (or any descriptor that carries whole reports one per
// read/write, such as a SOCK_SEQPACKET socket). Every transfer is bounded in
// time; when the device is found gone the descriptor is closed and -1 held,
// so nothing is ever written to a descriptor number the system has reused.
class HidrawDevice final : public HidDevice {
public:
    // Opens for reading and writing and takes an exclusive advisory lock, the
    // nearest thing to opening without sharing: a second program that asks
    // the same is refused. nullptr when the node cannot be had (errno says why).
    static std::unique_ptr<HidrawDevice> Open(const std::string& path);

    // Adopts an open descriptor; it is made non-blocking.
    explicit HidrawDevice(int fd);
    ~HidrawDevice() override;
    HidrawDevice(const HidrawDevice&) = delete;
    HidrawDevice& operator=(const HidrawDevice&) = delete;

    int Descriptor() const { return fd_; }

    bool IsOpen() const override { return fd_ >= 0; }
    HidIoStatus WriteReport(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override;
    HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
    void DiscardInput() override;
    void Close() override;

private:
    // Closes the descriptor when err means the device has left.
    HidIoStatus StatusForError(int err);

    int fd_ = -1;
};

}  // namespace dlk
