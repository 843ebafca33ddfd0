#include "server_edit/core/account_storage.h"

#include <algorithm>
#include <array>

#include "platform/files/file_replace.h"
#include "server_edit/core/account_files.h"

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
void LoadTable(const std::filesystem::path& path, const char* fileName, const FileReader& read, Slots& slots,
               LoadedAccounts& loaded) {
    const RecordFileContents contents = ReadRecordFile(path, read);
    slots.resize(contents.records.size());
    for (std::size_t i = 0; i < contents.records.size(); ++i) slots[i].record.bytes = contents.records[i];
    if (contents.trailingBytes != 0) loaded.notices.push_back({fileName, contents.trailingBytes, false, {}});
    if (contents.unreadable) {
        loaded.notices.push_back({fileName, 0, true, contents.error});
        loaded.unreadFiles.push_back(fileName);
    }
}

}  // namespace

std::vector<std::uint8_t> ClientFileBytes(const AccountBook& book) {
    return LiveRecordBytes(book.Clients);
}
std::vector<std::uint8_t> ModemFileBytes(const AccountBook& book) {
    return LiveRecordBytes(book.Modems);
}

LoadedAccounts LoadAccounts(const std::filesystem::path& folder, const FileReader& read) {
    LoadedAccounts loaded;
    const ServerFileContents server = ReadServerFile(folder / kServerFileName, read);
    loaded.book.ServerFileFound = server.found;
    loaded.book.ServerPort = server.port;
    if (server.unreadable) {
        loaded.notices.push_back({kServerFileName, 0, true, server.error});
        loaded.unreadFiles.push_back(kServerFileName);
    }
    LoadTable(folder / kUsersFileName, kUsersFileName, read, loaded.book.Clients, loaded);
    LoadTable(folder / kModemsFileName, kModemsFileName, read, loaded.book.Modems, loaded);
    return loaded;
}

SaveResult SaveAccounts(const AccountBook& book, const std::filesystem::path& folder,
                        const std::vector<std::string>& unreadFiles) {
    struct Planned {
        const char* fileName;
        std::vector<std::uint8_t> bytes;
        PendingFileReplace pending;
        bool prepared = false;
    };
    std::array<Planned, 3> files{{{kServerFileName, {}, {}},
                                  {kUsersFileName, ClientFileBytes(book), {}},
                                  {kModemsFileName, ModemFileBytes(book), {}}}};
    SaveResult result;

    // The server file is only ever updated, never created: the relay server
    // owns byte 0 and whatever follows the port.
    bool writeServer = book.ServerFileFound;
    if (writeServer) {
        const FileBytes old = ReadAccountFile(folder / kServerFileName);
        if (old.outcome == ReadOutcome::Read) {
            files[0].bytes = PatchServerFile(old.bytes, book.ServerPort);
        } else {
            auto& outcome = old.outcome == ReadOutcome::Missing ? result.lostFiles : result.failedFiles;
            outcome.push_back(kServerFileName);
            writeServer = false;
        }
    }

    // A file not read whole at start holds records nobody has seen: writing
    // the table over it would lose them.
    const auto unread = [&unreadFiles](const char* fileName) {
        return std::find(unreadFiles.begin(), unreadFiles.end(), fileName) != unreadFiles.end();
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i == 0 && !writeServer) continue;
        if (unread(files[i].fileName)) {
            result.refusedFiles.push_back(files[i].fileName);
            continue;
        }
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
