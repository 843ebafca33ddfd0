#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server_edit/core/account_records.h"

namespace dlk::server_edit {

// A record slot: the record exactly as it lies in the file, and whether it
// was deleted in this run. Deleted slots stay in place until the save, which
// writes only the live ones, and are the first to be reused by an add.
struct ClientSlot {
    bool Deleted = false;
    ClientRecord Record;
};

struct ModemSlot {
    bool Deleted = false;
    ModemRecord Record;
};

// The fields of the client and modem dialogs, in UTF-8.
struct ClientFields {
    std::string Id;
    std::string Name;
    std::string Password;
    bool Disabled = false;
};

struct ModemFields {
    std::string Imei;  // 15 decimal digits
    std::string Name;
    std::string OwnerId;
    bool Disabled = false;
};

// A table takes no more records than this, as the account files have always
// held; a longer file is still loaded whole and saved whole, and an add then
// needs a deleted slot to reuse.
inline constexpr std::size_t kMaxRecordsPerTable = 255;

inline constexpr char kStatusActive[] = "работает";
inline constexpr char kStatusDisabled[] = "выключен";

// The three account files in memory and every edit the window can make to
// them. Slots are numbered in file order; a row of a list carries its slot.
class AccountBook {
public:
    std::vector<ClientSlot> Clients;
    std::vector<ModemSlot> Modems;
    std::uint16_t ServerPort = 0;
    bool ServerFileFound = false;
    bool Modified = false;  // set by every confirmed edit; never cleared

    int ClientCount() const { return static_cast<int>(Clients.size()); }
    int ModemCount() const { return static_cast<int>(Modems.size()); }
    bool IsLiveClient(int slot) const;
    bool IsLiveModem(int slot) const;

    ClientFields ClientAt(int slot) const;
    ModemFields ModemAt(int slot) const;

    // Where the next added record goes: the first deleted slot, else a new
    // slot at the end; nothing when the table is full.
    std::optional<int> NextClientSlot() const;
    std::optional<int> NextModemSlot() const;

    // Both return the slot used, or nothing (and change nothing) when the
    // table is full. An added modem needs an IMEI of 15 digits; an owner ID
    // left as the dialog showed shownOwner (stored bytes) keeps those bytes.
    std::optional<int> AddClient(const ClientFields& fields);
    std::optional<int> AddModem(const ModemFields& fields, const std::string& shownOwner = {});

    // A text field whose dialog text is the one shown for it keeps its stored
    // bytes. A new client ID is carried to every modem the client owned,
    // deleted modems included, so they keep belonging to it.
    void ChangeClient(int slot, const ClientFields& fields);
    // Text fields as for a client. An IMEI text that is not 15 digits is
    // refused (false, nothing changes) unless it is the text of the IMEI
    // already stored, whose bytes then stay as they are.
    bool ChangeModem(int slot, const ModemFields& fields);

    // Marks the client deleted and, when asked, its live modems too; returns
    // the modem slots it marked.
    std::vector<int> DeleteClient(int slot, bool withModems);
    void DeleteModem(int slot);

    // Whether another live record already has this ID or IMEI text; the slot
    // being changed (or -1 when adding) is not compared with itself, and its
    // ID left as shown is compared as stored.
    bool ClientIdTaken(std::string_view id, int exceptSlot) const;
    bool ImeiTaken(std::string_view imeiText, int exceptSlot) const;

    bool ModemBelongsTo(int modemSlot, int clientSlot) const;

    // The slots each list shows, in slot order. With showAll false the modem
    // list shows only the modems of clientSlot, and nothing when it is -1.
    std::vector<int> ListedClients() const;
    std::vector<int> ListedModems(bool showAll, int clientSlot) const;

    // Row texts: name, ID, password, status; and name, IMEI, owner, status.
    std::array<std::string, 4> ClientRowTexts(int slot) const;
    std::array<std::string, 4> ModemRowTexts(int slot) const;

    // Stores a new port; false when it is the port already held.
    bool SetServerPort(std::uint16_t port);

private:
    void StoreClient(ClientRecord& record, const ClientFields& fields);
};

// Whether a text may be stored as an IMEI: exactly 15 decimal digits.
bool IsImeiText(std::string_view text);

}  // namespace dlk::server_edit
