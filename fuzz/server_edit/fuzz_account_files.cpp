// Damaged account files: every record is read, listed, compared and written
// back without reading outside its 64 bytes, and an unedited table writes
// back exactly the whole records it was read from.
#include <algorithm>
#include <cstdlib>

#include "server_edit/core/account_book.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/account_storage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const dlk::server_edit::RecordFileContents contents = dlk::server_edit::ParseRecordFile(bytes);

    dlk::server_edit::AccountBook book;
    for (const auto& record : contents.Records) {
        book.Clients.push_back({false, dlk::server_edit::ClientRecord{record}});
        book.Modems.push_back({false, dlk::server_edit::ModemRecord{record}});
    }
    const std::vector<std::uint8_t> users = dlk::server_edit::ClientFileBytes(book);
    const std::vector<std::uint8_t> modems = dlk::server_edit::ModemFileBytes(book);
    // std::equal, not memcmp: an input without a whole record writes nothing,
    // and memcmp must not be handed the empty vector's null data.
    if (users.size() != size - contents.TrailingBytes || !std::equal(users.begin(), users.end(), data)) {
        std::abort();
    }
    if (modems != users) std::abort();

    for (int slot : book.ListedClients()) {
        (void)book.ClientRowTexts(slot);
        (void)book.ListedModems(false, slot);
        (void)book.ClientIdTaken(book.ClientAt(slot).Id, slot);
    }
    for (int slot : book.ListedModems(true, -1)) {
        (void)book.ModemRowTexts(slot);
        (void)book.ImeiTaken(book.ModemAt(slot).Imei, slot);
    }
    if (!book.Clients.empty()) {
        book.ChangeClient(0, {"new", "name", "pw", true});
        book.DeleteClient(0, true);
        (void)book.AddClient({"x", "y", "z", false});
    }

    const dlk::server_edit::ServerFileContents server = dlk::server_edit::ParseServerFile(bytes);
    const std::vector<std::uint8_t> patched = dlk::server_edit::PatchServerFile(bytes, server.Port);
    if (size >= dlk::server_edit::kServerFileSize && !std::ranges::equal(bytes, patched)) std::abort();
    return 0;
}
