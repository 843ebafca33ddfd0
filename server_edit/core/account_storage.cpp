#include "core/account_storage.h"

#include "core/account_files.h"
#include "core/replace_file.h"

#include <array>

namespace dlk {
namespace {

template <typename Slots>
std::vector<std::uint8_t> LiveRecordBytes(const Slots& slots) {
    std::vector<std::uint8_t> bytes;
    for (const auto& slot : slots) {
        if (slot.Deleted) continue;
        bytes.insert(bytes.end(), slot.record.bytes.begin(), slot.record.bytes.end());
    }
    return bytes;
}

template <typename Slots>
void LoadTable(const std::filesystem::path& path, const char* fileName, Slots& slots,
               std::vector<LoadNotice>& notices) {
    const RecordFileContents contents = ReadRecordFile(path);
    slots.resize(contents.records.size());
    for (std::size_t i = 0; i < contents.records.size(); ++i) slots[i].record.bytes = contents.records[i];
    if (contents.trailingBytes != 0) notices.push_back({fileName, contents.trailingBytes});
}

}  // namespace

std::vector<std::uint8_t> ClientFileBytes(const AccountBook& book) { return LiveRecordBytes(book.Clients); }
std::vector<std::uint8_t> ModemFileBytes(const AccountBook& book) { return LiveRecordBytes(book.Modems); }

LoadedAccounts LoadAccounts(const std::filesystem::path& folder) {
    LoadedAccounts loaded;
    const ServerFileContents server = ReadServerFile(folder / kServerFileName);
    loaded.book.ServerFileFound = server.found;
    loaded.book.ServerPort = server.port;
    LoadTable(folder / kUsersFileName, kUsersFileName, loaded.book.Clients, loaded.notices);
    LoadTable(folder / kModemsFileName, kModemsFileName, loaded.book.Modems, loaded.notices);
    return loaded;
}

SaveResult SaveAccounts(const AccountBook& book, const std::filesystem::path& folder) {
    struct Planned {
        const char* fileName;
        std::vector<std::uint8_t> bytes;
        PendingFileReplace pending;
        bool prepared = false;
    };
    std::array<Planned, 3> files{{{kServerFileName, {}, {}}, {kUsersFileName, ClientFileBytes(book), {}},
                                  {kModemsFileName, ModemFileBytes(book), {}}}};
    SaveResult result;

    // The server file is only ever updated, never created: the relay server
    // owns byte 0 and whatever follows the port.
    bool writeServer = book.ServerFileFound;
    if (writeServer) {
        std::vector<std::uint8_t> old;
        if (ReadWholeFile(folder / kServerFileName, old)) {
            files[0].bytes = PatchServerFile(old, book.ServerPort);
        } else {
            result.failedFiles.push_back(kServerFileName);
            writeServer = false;
        }
    }

    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i == 0 && !writeServer) continue;
        files[i].prepared = files[i].pending.Prepare(folder / files[i].fileName, files[i].bytes);
        if (!files[i].prepared) result.failedFiles.push_back(files[i].fileName);
    }
    if (!result.Ok()) return result;  // pending files discard themselves

    for (Planned& file : files) {
        if (file.prepared && !file.pending.Commit()) result.failedFiles.push_back(file.fileName);
    }
    return result;
}

}  // namespace dlk
