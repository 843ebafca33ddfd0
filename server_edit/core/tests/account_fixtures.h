#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/temp_folder.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/account_records.h"

namespace dlk::server_edit::testing {
using namespace ::dlk::testing;

// Records as another program might have left them: every byte the editor
// does not own holds a pattern that a rewrite would destroy.
inline AccountRecordBytes PatternBytes(std::uint8_t seed) {
    AccountRecordBytes bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed * 7 + i * 13 + 1);
    return bytes;
}

inline ClientRecord MakeClient(std::uint8_t seed, std::string_view id, std::string_view name, std::string_view password,
                               bool disabled = false) {
    ClientRecord r;
    r.Bytes = PatternBytes(seed);
    r.SetId(id);
    r.SetName(name);
    r.SetPassword(password);
    r.SetDisabled(disabled);
    return r;
}

inline ModemRecord MakeModem(std::uint8_t seed, const ImeiBcd& imei, std::string_view name, std::string_view owner,
                             bool disabled = false) {
    ModemRecord r;
    r.Bytes = PatternBytes(seed);
    r.SetImei(imei);
    r.SetName(name);
    r.SetOwnerId(owner);
    r.SetDisabled(disabled);
    return r;
}

inline std::vector<std::uint8_t> Concat(const std::vector<AccountRecordBytes>& records) {
    std::vector<std::uint8_t> bytes;
    for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
    return bytes;
}

// The folder most editor tests start from: the server on port 8000, three
// clients (the third disabled) and three modems (the third disabled), each
// record with its own pattern in the bytes the editor does not own.
struct ThreeOfEach {
    std::vector<AccountRecordBytes> clients = {MakeClient(1, "alpha", "Alpha", "pa").Bytes,
                                               MakeClient(2, "beta", "Beta", "pb").Bytes,
                                               MakeClient(3, "gamma", "Gamma", "pc", true).Bytes};
    std::vector<AccountRecordBytes> modems = {MakeModem(4, *TextToImei("111111111111111"), "m1", "beta").Bytes,
                                              MakeModem(5, *TextToImei("222222222222222"), "m2", "alpha").Bytes,
                                              MakeModem(6, *TextToImei("333333333333333"), "m3", "beta", true).Bytes};

    void WriteTo(TempFolder& folder) const {
        folder.Write(kServerFileName, std::vector<std::uint8_t>{0x5A, 0x40, 0x1F});
        folder.Write(kUsersFileName, Concat(clients));
        folder.Write(kModemsFileName, Concat(modems));
    }
};

}  // namespace dlk::server_edit::testing
