#include "client/core/list/modem_sort.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace dlk::client {
namespace {

constexpr int kNoTie = -1;
constexpr int kTieColumn[kModemListColumnCount] = {1, kNoTie, 0, 0, 0, 4, 0};

std::uint8_t FoldLatin(std::uint8_t c) {
    return c >= 'a' && c <= 'z' ? static_cast<std::uint8_t>(c - 32) : c;
}

// Names by their bytes, Latin letters without case; a name that is the start
// of another sorts first.
int CompareNames(const ShortString<31>& a, const ShortString<31>& b) {
    const std::size_t la = a.Length(), lb = b.Length();
    for (std::size_t i = 0; i < la && i < lb; ++i) {
        const std::uint8_t ca = FoldLatin(a.bytes[i + 1]), cb = FoldLatin(b.bytes[i + 1]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

// The IMEI texts compare digit by digit, which is nibble by nibble.
int CompareImeis(const ImeiBcd& a, const ImeiBcd& b) {
    const int c = std::memcmp(a.data(), b.data(), 7);
    if (c != 0) return c < 0 ? -1 : 1;
    const int ha = a[7] >> 4, hb = b[7] >> 4;
    return ha == hb ? 0 : (ha < hb ? -1 : 1);
}

template <typename T>
int Compare(T a, T b) {
    return a == b ? 0 : (a < b ? -1 : 1);
}

// The stored address bytes as a little-endian signed number, so the last
// octet weighs most; then the stored port bytes, little-endian.
int CompareAddresses(const ModemEntry& a, const ModemEntry& b) {
    auto signedAddress = [](const ModemEntry& e) {
        std::uint8_t bytes[4];
        std::memcpy(bytes, &e.Address, 4);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | (bytes[1] << 8) | (bytes[2] << 16) |
                                         (static_cast<std::uint32_t>(bytes[3]) << 24));
    };
    auto storedPort = [](const ModemEntry& e) {
        std::uint8_t bytes[2];
        std::memcpy(bytes, &e.Port, 2);
        return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    };
    const int c = Compare(signedAddress(a), signedAddress(b));
    return c != 0 ? c : Compare(storedPort(a), storedPort(b));
}

int ComparePrimary(const ModemEntry& a, const ModemEntry& b, int column) {
    switch (column) {
        case 0: return CompareNames(a.Name, b.Name);
        case 1: return CompareImeis(a.Imei, b.Imei);
        case 2: return Compare(a.BytesReceived, b.BytesReceived);
        case 3: return Compare(a.BytesSent, b.BytesSent);
        case 4: return Compare(a.OnTime, b.OnTime);
        case 5: return Compare(a.OffTime, b.OffTime);
        case 6: return CompareAddresses(a, b);
        default: return 0;
    }
}

}  // namespace

bool ModemGreater(const ModemEntry& a, const ModemEntry& b, int column, bool descending) {
    bool greater = false;
    const int c = ComparePrimary(a, b, column);
    if (c != 0) {
        greater = c > 0;
    } else if (column >= 0 && column < kModemListColumnCount && kTieColumn[column] != kNoTie) {
        greater = ModemGreater(a, b, kTieColumn[column], descending);
    }
    return descending ? !greater : greater;
}

int EntryOfRow(const ModemTable& table, int row) {
    if (row < 0 || row >= table.ModemTableCount()) return -1;
    return table.Entries[static_cast<std::size_t>(row)].RowOrder;
}

namespace {

// Rows 0..entries.size()-1 ordered by column: a stable sort of the current
// permutation. Every chain of tie columns ends at the IMEI, which no two
// entries share, so this is a strict order and a stable sort gives the rows
// a pass-by-pass exchange of neighbours would. Two entries that are each
// "greater" than the other count as equal and keep their order.
std::vector<std::uint16_t> SortedRows(const std::vector<ModemEntry>& entries, int column, bool descending) {
    const std::size_t n = entries.size();
    std::vector<std::uint16_t> rows(n);
    for (std::size_t r = 0; r < n; ++r) rows[r] = entries[r].RowOrder;
    std::stable_sort(rows.begin(), rows.end(), [&](std::uint16_t x, std::uint16_t y) {
        const ModemEntry& ex = entries[x];
        const ModemEntry& ey = entries[y];
        return ModemGreater(ey, ex, column, descending) && !ModemGreater(ex, ey, column, descending);
    });
    return rows;
}

// Writes rows 0..rows.size()-1 back; the selection follows its modem.
void WriteRows(ModemTable& table, const std::vector<std::uint16_t>& rows) {
    const int selected = EntryOfRow(table, table.SelectedRow);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        table.Entries[r].RowOrder = rows[r];
        if (rows[r] == selected) table.SelectedRow = static_cast<std::int32_t>(r);
    }
    if (selected < 0) table.SelectedRow = -1;
}

}  // namespace

void SortModems(ModemTable& table, int column) {
    WriteRows(table, SortedRows(table.Entries, column, table.SortDescending != 0));
}

void SortModemsOnCopy(ModemTable& table, std::vector<ModemEntry>& scratch) {
    // About a hundred microseconds of copying per hold.
    constexpr std::size_t kEntriesPerHold = 4096;
    std::size_t n = 0;
    int column = 0;
    bool descending = false;
    {
        std::lock_guard lock(table.TableLock);
        n = table.ModemTableCount();
        column = table.SortColumn;
        descending = table.SortDescending != 0;
    }
    scratch.resize(n);
    for (std::size_t from = 0; from < n; from += kEntriesPerHold) {
        const std::size_t to = std::min(n, from + kEntriesPerHold);
        std::lock_guard lock(table.TableLock);
        if (table.ModemTableCount() < n) return;
        std::copy(table.Entries.begin() + static_cast<std::ptrdiff_t>(from),
                  table.Entries.begin() + static_cast<std::ptrdiff_t>(to),
                  scratch.begin() + static_cast<std::ptrdiff_t>(from));
    }
    const std::vector<std::uint16_t> rows = SortedRows(scratch, column, descending);
    std::lock_guard lock(table.TableLock);
    if (table.ModemTableCount() < n) return;
    WriteRows(table, rows);
}

}  // namespace dlk::client
