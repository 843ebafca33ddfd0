#include "server_edit/core/account_book.h"

#include "platform/encoding/cp1251.h"
#include "platform/encoding/imei_bcd.h"

namespace dlk::server_edit {
namespace {

// The text as its field would hold it, so that comparisons see what a store
// would write.
std::string FieldText(std::string_view utf8, std::size_t capacity) {
    std::string bytes = Utf8ToCp1251(utf8);
    if (bytes.size() > capacity) bytes.resize(capacity);
    return bytes;
}

// What a changed field is to hold; nothing when the dialog shows it as it was
// read, and it keeps its bytes. Decoding turns the unassigned 0x98 into
// U+FFFD and reads a damaged length byte as the whole field; storing the
// shown text would give back neither.
std::optional<std::string> ChangedFieldText(std::string_view utf8, const std::string& stored, std::size_t capacity) {
    if (utf8 == Cp1251ToUtf8(stored)) return std::nullopt;
    return FieldText(utf8, capacity);
}

template <typename Slots>
std::optional<int> NextSlot(const Slots& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].Deleted) return static_cast<int>(i);
    }
    if (slots.size() >= kMaxRecordsPerTable) return std::nullopt;
    return static_cast<int>(slots.size());
}

// Takes the slot for an add; a new slot at the end holds zeros.
template <typename Slots>
std::optional<int> TakeSlot(Slots& slots) {
    const std::optional<int> slot = NextSlot(slots);
    if (!slot) return std::nullopt;
    if (static_cast<std::size_t>(*slot) == slots.size()) slots.emplace_back();
    slots[*slot].Deleted = false;
    return slot;
}

void StoreModem(ModemRecord& record, const ModemFields& fields, const ImeiBcd& imei, const std::string& shownOwner) {
    record.SetImei(imei);
    record.SetOwnerId(ChangedFieldText(fields.OwnerId, shownOwner, kClientIdCapacity).value_or(shownOwner));
    record.SetName(FieldText(fields.Name, kNameCapacity));
    record.SetDisabled(fields.Disabled);
}

const char* StatusText(bool disabled) {
    return disabled ? kStatusDisabled : kStatusActive;
}

}  // namespace

bool IsImeiText(std::string_view text) {
    return TextToImei(text).has_value();
}

bool AccountBook::IsLiveClient(int slot) const {
    return slot >= 0 && slot < ClientCount() && !Clients[slot].Deleted;
}

bool AccountBook::IsLiveModem(int slot) const {
    return slot >= 0 && slot < ModemCount() && !Modems[slot].Deleted;
}

ClientFields AccountBook::ClientAt(int slot) const {
    const ClientRecord& r = Clients.at(slot).Record;
    return {Cp1251ToUtf8(r.Id()), Cp1251ToUtf8(r.Name()), Cp1251ToUtf8(r.Password()), r.Disabled()};
}

ModemFields AccountBook::ModemAt(int slot) const {
    const ModemRecord& r = Modems.at(slot).Record;
    return {ImeiToText(r.Imei()), Cp1251ToUtf8(r.Name()), Cp1251ToUtf8(r.OwnerId()), r.Disabled()};
}

std::optional<int> AccountBook::NextClientSlot() const {
    return NextSlot(Clients);
}
std::optional<int> AccountBook::NextModemSlot() const {
    return NextSlot(Modems);
}

void AccountBook::StoreClient(ClientRecord& record, const ClientFields& fields) {
    record.SetId(FieldText(fields.Id, kClientIdCapacity));
    record.SetPassword(FieldText(fields.Password, kPasswordCapacity));
    record.SetName(FieldText(fields.Name, kNameCapacity));
    record.SetDisabled(fields.Disabled);
}

std::optional<int> AccountBook::AddClient(const ClientFields& fields) {
    const std::optional<int> slot = TakeSlot(Clients);
    if (!slot) return std::nullopt;
    StoreClient(Clients[*slot].Record, fields);
    Modified = true;
    return slot;
}

std::optional<int> AccountBook::AddModem(const ModemFields& fields, const std::string& shownOwner) {
    const std::optional<ImeiBcd> imei = TextToImei(fields.Imei);
    if (!imei) return std::nullopt;
    const std::optional<int> slot = TakeSlot(Modems);
    if (!slot) return std::nullopt;
    StoreModem(Modems[*slot].Record, fields, *imei, shownOwner);
    Modified = true;
    return slot;
}

void AccountBook::ChangeClient(int slot, const ClientFields& fields) {
    ClientRecord& client = Clients.at(slot).Record;
    const std::string oldId = client.Id();
    const std::optional<std::string> newId = ChangedFieldText(fields.Id, oldId, kClientIdCapacity);
    if (newId && *newId != oldId) {
        for (ModemSlot& modem : Modems) {
            if (modem.Record.OwnerId() == oldId) modem.Record.SetOwnerId(*newId);
        }
        client.SetId(*newId);
    }
    if (const auto password = ChangedFieldText(fields.Password, client.Password(), kPasswordCapacity)) {
        client.SetPassword(*password);
    }
    if (const auto name = ChangedFieldText(fields.Name, client.Name(), kNameCapacity)) client.SetName(*name);
    client.SetDisabled(fields.Disabled);
    Modified = true;
}

bool AccountBook::ChangeModem(int slot, const ModemFields& fields) {
    ModemRecord& record = Modems.at(slot).Record;
    const std::optional<ImeiBcd> imei = TextToImei(fields.Imei);
    if (!imei && fields.Imei != ImeiToText(record.Imei())) return false;
    if (imei) record.SetImei(*imei);
    if (const auto owner = ChangedFieldText(fields.OwnerId, record.OwnerId(), kClientIdCapacity)) {
        record.SetOwnerId(*owner);
    }
    if (const auto name = ChangedFieldText(fields.Name, record.Name(), kNameCapacity)) record.SetName(*name);
    record.SetDisabled(fields.Disabled);
    Modified = true;
    return true;
}

std::vector<int> AccountBook::DeleteClient(int slot, bool withModems) {
    std::vector<int> deletedModems;
    if (withModems) {
        for (int m = 0; m < ModemCount(); ++m) {
            if (IsLiveModem(m) && ModemBelongsTo(m, slot)) {
                Modems[m].Deleted = true;
                deletedModems.push_back(m);
            }
        }
    }
    Clients.at(slot).Deleted = true;
    Modified = true;
    return deletedModems;
}

void AccountBook::DeleteModem(int slot) {
    Modems.at(slot).Deleted = true;
    Modified = true;
}

bool AccountBook::ClientIdTaken(std::string_view id, int exceptSlot) const {
    std::string wanted = FieldText(id, kClientIdCapacity);
    if (exceptSlot >= 0 && exceptSlot < ClientCount()) {
        const std::string own = Clients[exceptSlot].Record.Id();
        if (!ChangedFieldText(id, own, kClientIdCapacity)) wanted = own;
    }
    for (int c = 0; c < ClientCount(); ++c) {
        if (c == exceptSlot || !IsLiveClient(c)) continue;
        if (Clients[c].Record.Id() == wanted) return true;
    }
    return false;
}

bool AccountBook::ImeiTaken(std::string_view imeiText, int exceptSlot) const {
    for (int m = 0; m < ModemCount(); ++m) {
        if (m == exceptSlot || !IsLiveModem(m)) continue;
        if (ImeiToText(Modems[m].Record.Imei()) == imeiText) return true;
    }
    return false;
}

bool AccountBook::ModemBelongsTo(int modemSlot, int clientSlot) const {
    if (modemSlot < 0 || modemSlot >= ModemCount() || clientSlot < 0 || clientSlot >= ClientCount()) {
        return false;
    }
    return SameClientId(Modems[modemSlot].Record.OwnerIdField(), Clients[clientSlot].Record.IdField());
}

std::vector<int> AccountBook::ListedClients() const {
    std::vector<int> slots;
    for (int c = 0; c < ClientCount(); ++c) {
        if (!Clients[c].Deleted) slots.push_back(c);
    }
    return slots;
}

std::vector<int> AccountBook::ListedModems(bool showAll, int clientSlot) const {
    std::vector<int> slots;
    if (!showAll && clientSlot < 0) return slots;
    for (int m = 0; m < ModemCount(); ++m) {
        if (Modems[m].Deleted) continue;
        if (!showAll && !ModemBelongsTo(m, clientSlot)) continue;
        slots.push_back(m);
    }
    return slots;
}

std::array<std::string, 4> AccountBook::ClientRowTexts(int slot) const {
    const ClientFields f = ClientAt(slot);
    return {f.Name, f.Id, f.Password, StatusText(f.Disabled)};
}

std::array<std::string, 4> AccountBook::ModemRowTexts(int slot) const {
    const ModemFields f = ModemAt(slot);
    return {f.Name, f.Imei, f.OwnerId, StatusText(f.Disabled)};
}

bool AccountBook::SetServerPort(std::uint16_t port) {
    if (port == ServerPort) return false;
    ServerPort = port;
    Modified = true;
    return true;
}

}  // namespace dlk::server_edit
