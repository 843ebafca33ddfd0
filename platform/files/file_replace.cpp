#include "platform/files/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

namespace dlk {
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

// err 0: the step says all there is to say.
bool Fail(std::string* error, const char* step, const std::filesystem::path& path, int err) {
    if (error) {
        *error = std::string(step) + " " + path.string();
        if (err != 0) *error += std::string(": ") + std::strerror(err);
    }
    return false;
}

// The name a chain of symbolic links ends at; it need not exist yet, so a
// link whose file is missing gets that file made rather than being
// replaced itself. Relative links count from their own folder.
std::optional<std::filesystem::path> FinalTarget(const std::filesystem::path& link, int& err) {
    std::filesystem::path at = link;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(at, ec);
        if (ec) {
            err = ec.value();
            return std::nullopt;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    err = ELOOP;
    return std::nullopt;
}

// The pattern for a temporary file beside target: the file's own name and a
// unique suffix, the name cut short where the whole would pass the folder's
// limit on a name's length (a file named near that limit can still be saved).
std::string TemporaryPattern(const std::filesystem::path& target) {
    constexpr std::string_view kSuffix = ".XXXXXX";
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t most = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    std::string name = target.filename().string();
    if (name.size() + kSuffix.size() > most) name.resize(most > kSuffix.size() ? most - kSuffix.size() : 1);
    return (target.parent_path() / name).string() + std::string(kSuffix);
}

}  // namespace

bool PendingFileReplace::Prepare(const std::filesystem::path& link, std::span<const std::uint8_t> bytes, mode_t newMode,
                                 std::string* error) {
    Discard();
    int err = 0;
    const auto found = FinalTarget(link, err);
    if (!found) return Fail(error, "не удаётся найти", link, err);
    const std::filesystem::path& target = *found;
    mode_t mode = newMode;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) return Fail(error, "не обычный файл:", target, EISDIR);
        // A device or pipe is never replaced, nor written into.
        if (!S_ISREG(old.st_mode)) return Fail(error, "не обычный файл:", target, 0);
        if (::access(target.c_str(), W_OK) != 0) return Fail(error, "нет права записи:", target, errno);
        mode = old.st_mode & 07777;
    }

    std::string temporary = TemporaryPattern(target);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Fail(error, "не удаётся создать", temporary, errno);
    int cause = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) cause = errno;
    // Closing can report a write the kernel deferred, so its result counts.
    if (::close(fd) != 0 && cause == 0) cause = errno;
    if (cause != 0) {
        ::unlink(temporary.c_str());
        return Fail(error, "ошибка записи", temporary, cause);
    }
    target_ = target;
    temporary_ = temporary;
    return true;
}

bool PendingFileReplace::Commit(std::string* error) {
    if (temporary_.empty()) return Fail(error, "нечего записывать в", target_, EINVAL);
    const bool ok = ::rename(temporary_.c_str(), target_.c_str()) == 0;
    const int err = errno;
    if (!ok) ::unlink(temporary_.c_str());
    temporary_.clear();
    return ok || Fail(error, "не удаётся заменить", target_, err);
}

void PendingFileReplace::Discard() {
    if (temporary_.empty()) return;
    ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, mode_t newMode,
                         std::string* error) {
    PendingFileReplace pending;
    return pending.Prepare(path, bytes, newMode, error) && pending.Commit(error);
}

}  // namespace dlk
