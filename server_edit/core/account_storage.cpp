#include "server_edit/core/account_storage.h"

#include <algorithm>
#include <array>

#include "platform/files/file_replace.h"
#include "server_edit/core/account_files.h"

namespace dlk::server_edit {
namespace {

template <typename Slots>
std::vector<std::uint8_t> LiveRecordBytes(const Slots& slots) {
    std::vector<std::uint8_t> bytes;
    for (const auto& slot : slots) {
        if (slot.Deleted) continue;
        bytes.insert(bytes.end(), slot.Record.Bytes.begin(), slot.Record.Bytes.end());
    }
    return bytes;
}

template <typename Slots>
void LoadTable(const std::filesystem::path& path, const char* fileName, const FileReader& read, Slots& slots,
               LoadedAccounts& loaded) {
    const RecordFileContents contents = ReadRecordFile(path, read);
    slots.resize(contents.Records.size());
    for (std::size_t i = 0; i < contents.Records.size(); ++i) slots[i].Record.Bytes = contents.Records[i];
    if (contents.TrailingBytes != 0) loaded.Notices.push_back({fileName, contents.TrailingBytes, false, {}});
    if (contents.Unreadable) {
        loaded.Notices.push_back({fileName, 0, true, contents.Error});
        loaded.UnreadFiles.push_back(fileName);
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
    loaded.Book.ServerFileFound = server.Found;
    loaded.Book.ServerPort = server.Port;
    if (server.Unreadable) {
        loaded.Notices.push_back({kServerFileName, 0, true, server.Error});
        loaded.UnreadFiles.push_back(kServerFileName);
    }
    LoadTable(folder / kUsersFileName, kUsersFileName, read, loaded.Book.Clients, loaded);
    LoadTable(folder / kModemsFileName, kModemsFileName, read, loaded.Book.Modems, loaded);
    return loaded;
}

SaveResult SaveAccounts(const AccountBook& book, const std::filesystem::path& folder,
                        const std::vector<std::string>& unreadFiles) {
    struct Planned {
        const char* FileName;
        std::vector<std::uint8_t> Bytes;
        PendingFileReplace Pending;
        bool Prepared = false;
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
        if (old.Outcome == ReadOutcome::Read) {
            files[0].Bytes = PatchServerFile(old.Bytes, book.ServerPort);
        } else {
            auto& outcome = old.Outcome == ReadOutcome::Missing ? result.LostFiles : result.FailedFiles;
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
        if (unread(files[i].FileName)) {
            result.RefusedFiles.push_back(files[i].FileName);
            continue;
        }
        files[i].Prepared = files[i].Pending.Prepare(folder / files[i].FileName, files[i].Bytes);
        if (!files[i].Prepared) result.FailedFiles.push_back(files[i].FileName);
    }
    if (!result.Ok()) return result;  // pending files discard themselves

    for (Planned& file : files) {
        if (!file.Prepared) continue;
        auto& outcome = file.Pending.Commit() ? result.WrittenFiles : result.FailedFiles;
        outcome.push_back(file.FileName);
    }
    return result;
}

}  // namespace dlk::server_edit
