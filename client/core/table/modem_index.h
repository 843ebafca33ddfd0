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
// on-line entry is found at once. The lists are linked through the entries,
// so an entry leaves one in the same time however many share its address:
// a keep-alive tick that takes a crowd behind one address off-line costs no
// more than one behind many. Not thread-safe: the table keeps it under its
// own lock. At most 65,535 entries, as the table holds.
class ModemIndex {
public:
    ModemIndex() = default;
    // Its entries point into its own map.
    ModemIndex(const ModemIndex&) = delete;
    ModemIndex& operator=(const ModemIndex&) = delete;

    // Entries indexed so far: 0..Count()-1.
    std::size_t Count() const { return places_.size(); }
    void Clear();

    // The entry appended at index Count().
    void Append(const ImeiBcd& imei, const UdpEndpoint& at, bool online);
    // An entry's address or on-line state may have changed; the index
    // remembers where the entry was.
    void Update(std::uint16_t index, const UdpEndpoint& at, bool online);
    // Every entry went off-line.
    void AllOffline();

    std::optional<std::uint16_t> ByImei(const ImeiBcd& imei) const;
    std::optional<std::uint16_t> ByAddress(const UdpEndpoint& at) const;        // the lowest index
    std::optional<std::uint16_t> OnlineByAddress(const UdpEndpoint& at) const;  // the lowest on-line index

private:
    static constexpr std::uint16_t kNone = 0xFFFF;

    // An entry's neighbours on one list of its address, lower and higher.
    struct Neighbours {
        std::uint16_t Lower = kNone;
        std::uint16_t Higher = kNone;
    };
    struct Ends {
        std::uint16_t Lowest = kNone;
        std::uint16_t Highest = kNone;
    };
    struct Sharing {
        Ends All;
        Ends Online;  // a subset of All
    };
    // One entry as the index last heard of it. The map keeps its elements
    // where they are, and an address is forgotten only once no entry is at
    // it: the entry reaches its address's lists without a hash.
    struct Place {
        std::uint64_t Key = 0;
        Sharing* At = nullptr;
        bool Online = false;
        Neighbours All;
        Neighbours OnlineOnes;  // meaningful only while Online
    };
    using List = Neighbours Place::*;

    static std::uint64_t KeyOf(const UdpEndpoint& at);
    void Link(Ends& ends, List list, std::uint16_t index);
    void Unlink(Ends& ends, List list, std::uint16_t index);
    void Insert(std::uint16_t index);
    void Remove(std::uint16_t index);

    std::vector<Place> places_;  // by entry index
    std::unordered_map<std::uint64_t, std::uint16_t, SeededHash> by_imei_;
    std::unordered_map<std::uint64_t, Sharing, SeededHash> by_address_;
};

}  // namespace dlk::client
