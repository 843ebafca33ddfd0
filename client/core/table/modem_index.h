#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "client/core/table/seeded_hash.h"
#include "platform/encoding/imei_bcd.h"
#include "platform/net/udp_socket.h"

namespace dlk::client {

// Where each entry of the modem table is, by IMEI and by address, so that a
// datagram finds its modem without walking the table. Entries are only
// appended, so an index once given never moves. Several entries may share an
// address (a modem's old address taken by another); each address keeps its
// entries in index order, and apart the on-line ones, so that the lowest
// on-line entry is found at once. Not thread-safe: the table keeps it under
// its own lock.
class ModemIndex {
public:
    // Entries indexed so far: 0..Count()-1.
    std::size_t Count() const { return count_; }
    void Clear();

    // The entry appended at index Count().
    void Append(const ImeiBcd& imei, const UdpEndpoint& at, bool online);
    // An entry's address or on-line state changed.
    void Update(std::uint16_t index, const UdpEndpoint& from, bool wasOnline, const UdpEndpoint& to, bool online);
    // Every entry went off-line.
    void AllOffline();

    std::optional<std::uint16_t> ByImei(const ImeiBcd& imei) const;
    std::optional<std::uint16_t> ByAddress(const UdpEndpoint& at) const;        // the lowest index
    std::optional<std::uint16_t> OnlineByAddress(const UdpEndpoint& at) const;  // the lowest on-line index

private:
    struct Sharing {
        std::vector<std::uint16_t> All;     // ascending
        std::vector<std::uint16_t> Online;  // ascending, a subset of All
    };

    static std::uint64_t KeyOf(const UdpEndpoint& at);
    void Insert(std::uint16_t index, const UdpEndpoint& at, bool online);
    void Remove(std::uint16_t index, const UdpEndpoint& at, bool online);

    std::size_t count_ = 0;
    std::unordered_map<std::uint64_t, std::uint16_t, SeededHash> by_imei_;
    std::unordered_map<std::uint64_t, Sharing, SeededHash> by_address_;
};

}  // namespace dlk::client
