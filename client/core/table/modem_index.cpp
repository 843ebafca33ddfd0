#include "client/core/table/modem_index.h"

namespace dlk::client {

std::uint64_t ModemIndex::KeyOf(const UdpEndpoint& at) {
    return std::uint64_t{at.Address} << 16 | at.Port;
}

void ModemIndex::Clear() {
    places_.clear();
    by_imei_.clear();
    by_address_.clear();
}

void ModemIndex::Append(const ImeiBcd& imei, const UdpEndpoint& at, bool online) {
    const auto index = static_cast<std::uint16_t>(places_.size());
    // The lowest index wins, as a walk from the start would find it.
    by_imei_.try_emplace(ImeiKey(imei), index);
    places_.push_back({KeyOf(at), nullptr, online, {}, {}});
    Insert(index);
}

void ModemIndex::Update(std::uint16_t index, const UdpEndpoint& at, bool online) {
    Place& place = places_[index];
    const std::uint64_t key = KeyOf(at);
    if (key != place.Key) {
        Remove(index);
        place.Key = key;
        place.Online = online;
        Insert(index);
        return;
    }
    if (online == place.Online) return;
    // Same address: only its list of on-line entries changes.
    Sharing& sharing = *place.At;
    if (online) {
        Link(sharing.Online, &Place::OnlineOnes, index);
    } else {
        Unlink(sharing.Online, &Place::OnlineOnes, index);
    }
    place.Online = online;
}

void ModemIndex::AllOffline() {
    for (auto& [key, sharing] : by_address_) sharing.Online = {};
    for (Place& place : places_) place.Online = false;
}

void ModemIndex::Link(Ends& ends, List list, std::uint16_t index) {
    // Its place is found from the highest down: an appended entry, the
    // common case, joins at once; one coming back below others passes each.
    std::uint16_t lower = ends.Highest;
    while (lower != kNone && lower > index) lower = (places_[lower].*list).Lower;
    const std::uint16_t higher = lower == kNone ? ends.Lowest : (places_[lower].*list).Higher;
    places_[index].*list = {lower, higher};
    (lower == kNone ? ends.Lowest : (places_[lower].*list).Higher) = index;
    (higher == kNone ? ends.Highest : (places_[higher].*list).Lower) = index;
}

void ModemIndex::Unlink(Ends& ends, List list, std::uint16_t index) {
    const Neighbours around = places_[index].*list;
    (around.Lower == kNone ? ends.Lowest : (places_[around.Lower].*list).Higher) = around.Higher;
    (around.Higher == kNone ? ends.Highest : (places_[around.Higher].*list).Lower) = around.Lower;
}

void ModemIndex::Insert(std::uint16_t index) {
    Place& place = places_[index];
    Sharing& sharing = by_address_[place.Key];
    place.At = &sharing;
    Link(sharing.All, &Place::All, index);
    if (place.Online) Link(sharing.Online, &Place::OnlineOnes, index);
}

void ModemIndex::Remove(std::uint16_t index) {
    const Place& place = places_[index];
    Unlink(place.At->All, &Place::All, index);
    if (place.Online) Unlink(place.At->Online, &Place::OnlineOnes, index);
    // Addresses a modem has left are forgotten, or one that wanders would
    // leave a trail behind it for as long as the link stays open.
    if (place.At->All.Lowest == kNone) by_address_.erase(place.Key);
}

std::optional<std::uint16_t> ModemIndex::ByImei(const ImeiBcd& imei) const {
    const auto found = by_imei_.find(ImeiKey(imei));
    if (found == by_imei_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::uint16_t> ModemIndex::ByAddress(const UdpEndpoint& at) const {
    const auto found = by_address_.find(KeyOf(at));
    if (found == by_address_.end() || found->second.All.Lowest == kNone) return std::nullopt;
    return found->second.All.Lowest;
}

std::optional<std::uint16_t> ModemIndex::OnlineByAddress(const UdpEndpoint& at) const {
    const auto found = by_address_.find(KeyOf(at));
    if (found == by_address_.end() || found->second.Online.Lowest == kNone) return std::nullopt;
    return found->second.Online.Lowest;
}

}  // namespace dlk::client
