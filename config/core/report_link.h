#pragma once

#include <chrono>
#include <span>

#include "config/core/reports.h"
#include "platform/hid/hid_device.h"

namespace dlk::config {

enum class LinkStatus {
    Ok,
    NoUnit,      // no device is attached
    TimedOut,    // the unit did not take the request or did not answer in time
    UnitGone,    // the unit went away; its device is closed
    Failed,      // the device refused the transfer
    BadRequest,  // the caller asked for something no report can carry; nothing was sent
};

// The text a window shows for a status that is not Ok (UTF-8; empty for Ok).
const char* LinkStatusMessage(LinkStatus status);

struct ReportTimeouts {
    std::chrono::milliseconds Write{1000};
    // Generous: after a block programming run the unit may take a while to
    // check its image before it answers CmdVerify.
    std::chrono::milliseconds Reply{3000};
};

// The configurator's one request buffer and one reply buffer, and the two
// transactions over whichever device is attached. Synchronous: meant for the
// window thread, one command at a time. Unlike the old program, every
// transfer is checked and bounded in time, and the reply buffer is only
// overwritten by a reply that actually arrived.
class ReportLink {
public:
    explicit ReportLink(ReportTimeouts timeouts = {});

    // The buffers outlive devices: attaching another keeps what they hold.
    void Attach(HidDevice* device) { device_ = device; }
    HidDevice* Device() const { return device_; }
    bool HasUnit() const { return device_ != nullptr && device_->IsOpen(); }

    ConfigReport& Request() { return request_; }
    const ConfigReport& Request() const { return request_; }
    ReplyReport& Reply() { return reply_; }
    const ReplyReport& Reply() const { return reply_; }

    // Writes all 21 bytes of the request buffer.
    LinkStatus Send();
    // Drops stale input, sends, then reads the next input report into the
    // reply buffer.
    LinkStatus Exchange();

    // One step per command, each setting only the fields the command names.
    LinkStatus Identify(UnitIdentity& identity);
    // Clears reply data[0] first, as Verify does.
    LinkStatus CheckImage(std::span<const std::uint8_t, kFirmwareBlockSize> image_tail, bool& suits);
    LinkStatus BeginProgramming();
    // Block `index` (0-2047) of a whole image.
    LinkStatus ProgramBlock(std::span<const std::uint8_t, kFirmwareImageSize> image, std::size_t index);
    // Clears reply data[0] first, so that no stale reply can pass.
    LinkStatus Verify(bool& passed);
    LinkStatus Finish();
    // count 1-16; the bytes are data[0..Count-1] of Reply() afterwards.
    LinkStatus ReadMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count);
    // 1-16 bytes.
    LinkStatus WriteMemory(std::uint8_t page, std::uint8_t address, std::span<const std::uint8_t> bytes);
    // count 1-16, of which the first named.size() (at most count) are given;
    // the rest go out as the request buffer holds them.
    LinkStatus WriteMemory(std::uint8_t page, std::uint8_t address, std::uint8_t count,
                           std::span<const std::uint8_t> named);
    LinkStatus EnterLoader();
    LinkStatus GsmPassThroughOn();
    LinkStatus GsmPassThroughOff();

private:
    LinkStatus StatusWithoutDevice() const;
    // The unit's yes (1) or no in reply data[0]; no reply at all counts as no.
    LinkStatus ExchangeForFlag(bool& flag);

    HidDevice* device_ = nullptr;
    ReportTimeouts timeouts_;
    ConfigReport request_;
    ReplyReport reply_;
};

}  // namespace dlk::config
