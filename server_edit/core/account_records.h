#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/encoding/imei_bcd.h"

namespace dlk::server_edit {

// The relay server reads these records as they lie in the files, so they are
// kept as their raw 64 bytes: whatever the editor does not edit (reserved
// blocks, the tails of text fields past their length, the old bytes of a
// reused slot) goes back to disk unchanged. Texts here are code page 1251.
inline constexpr std::size_t kAccountRecordSize = 64;
using AccountRecordBytes = std::array<std::uint8_t, kAccountRecordSize>;

inline constexpr std::size_t kClientIdCapacity = 8;
inline constexpr std::size_t kPasswordCapacity = 8;
inline constexpr std::size_t kNameCapacity = 31;
inline constexpr std::size_t kImeiDigits = 15;

// One record of DLK_users.dat.
struct ClientRecord {
    static constexpr std::size_t kIdOffset = 0;
    static constexpr std::size_t kNameOffset = 9;
    static constexpr std::size_t kDisabledOffset = 41;
    static constexpr std::size_t kPasswordOffset = 42;

    AccountRecordBytes Bytes{};

    std::string Id() const;
    std::string Name() const;
    std::string Password() const;
    bool Disabled() const { return Bytes[kDisabledOffset] != 0; }

    void SetId(std::string_view cp1251);
    void SetName(std::string_view cp1251);
    void SetPassword(std::string_view cp1251);
    void SetDisabled(bool disabled) { Bytes[kDisabledOffset] = disabled ? 1 : 0; }

    std::span<std::uint8_t, kClientIdCapacity + 1> IdField() {
        return std::span(Bytes).subspan<kIdOffset, kClientIdCapacity + 1>();
    }
    std::span<const std::uint8_t, kClientIdCapacity + 1> IdField() const {
        return std::span(Bytes).subspan<kIdOffset, kClientIdCapacity + 1>();
    }
};

// One record of DLK_modems.dat.
struct ModemRecord {
    static constexpr std::size_t kImeiOffset = 0;
    static constexpr std::size_t kNameOffset = 8;
    static constexpr std::size_t kDisabledOffset = 40;
    static constexpr std::size_t kOwnerIdOffset = 55;

    AccountRecordBytes Bytes{};

    ImeiBcd Imei() const;
    std::string Name() const;
    std::string OwnerId() const;
    bool Disabled() const { return Bytes[kDisabledOffset] != 0; }

    void SetImei(const ImeiBcd& imei);
    void SetName(std::string_view cp1251);
    void SetOwnerId(std::string_view cp1251);
    void SetDisabled(bool disabled) { Bytes[kDisabledOffset] = disabled ? 1 : 0; }

    std::span<const std::uint8_t, kClientIdCapacity + 1> OwnerIdField() const {
        return std::span(Bytes).subspan<kOwnerIdOffset, kClientIdCapacity + 1>();
    }
};

// A modem belongs to a client when the owner ID and the client ID hold the
// same counted characters, case and spaces included. A length byte beyond the
// field counts as the whole field, as everywhere else in these files.
bool SameClientId(std::span<const std::uint8_t, kClientIdCapacity + 1> a,
                  std::span<const std::uint8_t, kClientIdCapacity + 1> b);

}  // namespace dlk::server_edit
