#include "client/core/table/modem_index.h"

#include <algorithm>

namespace dlk::client {
namespace {

void InsertSorted(std::vector<std::uint16_t>& list, std::uint16_t index) {
    // Appended entries have the highest index: the common case is the end.
    if (list.empty() || list.back() < index) {
        list.push_back(index);
        return;
    }
    const auto at = std::lower_bound(list.begin(), list.end(), index);
    if (at == list.end() || *at != index) list.insert(at, index);
}

void EraseSorted(std::vector<std::uint16_t>& list, std::uint16_t index) {
    const auto at = std::lower_bound(list.begin(), list.end(), index);
    if (at != list.end() && *at == index) list.erase(at);
}

}  // namespace

std::uint64_t ModemIndex::KeyOf(const UdpEndpoint& at) {
    return std::uint64_t{at.Address} << 16 | at.Port;
}

void ModemIndex::Clear() {
    count_ = 0;
    by_imei_.clear();
    by_address_.clear();
}

void ModemIndex::Append(const ImeiBcd& imei, const UdpEndpoint& at, bool online) {
    const auto index = static_cast<std::uint16_t>(count_++);
    // The lowest index wins, as a walk from the start would find it.
    by_imei_.try_emplace(ImeiKey(imei), index);
    Insert(index, at, online);
}

void ModemIndex::Update(std::uint16_t index, const UdpEndpoint& from, bool wasOnline, const UdpEndpoint& to,
                        bool online) {
    if (from == to && wasOnline == online) return;
    Remove(index, from, wasOnline);
    Insert(index, to, online);
}

void ModemIndex::AllOffline() {
    for (auto& [key, sharing] : by_address_) sharing.Online.clear();
}

void ModemIndex::Insert(std::uint16_t index, const UdpEndpoint& at, bool online) {
    Sharing& sharing = by_address_[KeyOf(at)];
    InsertSorted(sharing.All, index);
    if (online) InsertSorted(sharing.Online, index);
}

void ModemIndex::Remove(std::uint16_t index, const UdpEndpoint& at, bool online) {
    const auto found = by_address_.find(KeyOf(at));
    if (found == by_address_.end()) return;
    EraseSorted(found->second.All, index);
    if (online) EraseSorted(found->second.Online, index);
    // Addresses a modem has left are forgotten, or one that wanders would
    // leave a trail behind it for as long as the link stays open.
    if (found->second.All.empty()) by_address_.erase(found);
}

std::optional<std::uint16_t> ModemIndex::ByImei(const ImeiBcd& imei) const {
    const auto found = by_imei_.find(ImeiKey(imei));
    if (found == by_imei_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::uint16_t> ModemIndex::ByAddress(const UdpEndpoint& at) const {
    const auto found = by_address_.find(KeyOf(at));
    if (found == by_address_.end() || found->second.All.empty()) return std::nullopt;
    return found->second.All.front();
}

std::optional<std::uint16_t> ModemIndex::OnlineByAddress(const UdpEndpoint& at) const {
    const auto found = by_address_.find(KeyOf(at));
    if (found == by_address_.end() || found->second.Online.empty()) return std::nullopt;
    return found->second.Online.front();
}

}  // namespace dlk::client
