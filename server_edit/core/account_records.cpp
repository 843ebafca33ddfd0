#include "server_edit/core/account_records.h"

#include <algorithm>

#include "platform/encoding/short_string.h"

namespace dlk::server_edit {
namespace {

std::span<const std::uint8_t> Field(const AccountRecordBytes& bytes, std::size_t offset, std::size_t capacity) {
    return std::span(bytes).subspan(offset, capacity + 1);
}

std::span<std::uint8_t> Field(AccountRecordBytes& bytes, std::size_t offset, std::size_t capacity) {
    return std::span(bytes).subspan(offset, capacity + 1);
}

}  // namespace

std::string ClientRecord::Id() const {
    return ReadShortString(Field(Bytes, kIdOffset, kClientIdCapacity));
}
std::string ClientRecord::Name() const {
    return ReadShortString(Field(Bytes, kNameOffset, kNameCapacity));
}
std::string ClientRecord::Password() const {
    return ReadShortString(Field(Bytes, kPasswordOffset, kPasswordCapacity));
}

void ClientRecord::SetId(std::string_view cp1251) {
    WriteShortString(Field(Bytes, kIdOffset, kClientIdCapacity), cp1251);
}
void ClientRecord::SetName(std::string_view cp1251) {
    WriteShortString(Field(Bytes, kNameOffset, kNameCapacity), cp1251);
}
void ClientRecord::SetPassword(std::string_view cp1251) {
    WriteShortString(Field(Bytes, kPasswordOffset, kPasswordCapacity), cp1251);
}

ImeiBcd ModemRecord::Imei() const {
    ImeiBcd imei;
    std::copy_n(Bytes.begin() + kImeiOffset, imei.size(), imei.begin());
    return imei;
}
std::string ModemRecord::Name() const {
    return ReadShortString(Field(Bytes, kNameOffset, kNameCapacity));
}
std::string ModemRecord::OwnerId() const {
    return ReadShortString(Field(Bytes, kOwnerIdOffset, kClientIdCapacity));
}

void ModemRecord::SetImei(const ImeiBcd& imei) {
    std::copy(imei.begin(), imei.end(), Bytes.begin() + kImeiOffset);
}
void ModemRecord::SetName(std::string_view cp1251) {
    WriteShortString(Field(Bytes, kNameOffset, kNameCapacity), cp1251);
}
void ModemRecord::SetOwnerId(std::string_view cp1251) {
    WriteShortString(Field(Bytes, kOwnerIdOffset, kClientIdCapacity), cp1251);
}

bool SameClientId(std::span<const std::uint8_t, kClientIdCapacity + 1> a,
                  std::span<const std::uint8_t, kClientIdCapacity + 1> b) {
    return ReadShortString(a) == ReadShortString(b);
}

}  // namespace dlk::server_edit
