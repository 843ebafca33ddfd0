#include "core/replace_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dlk {
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path name = target;
    name += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    return name;
}

}  // namespace

bool PendingFileReplace::Prepare(const std::filesystem::path& link, std::span<const std::uint8_t> bytes) {
    Discard();
    // A symbolic link is followed, so the file it names is replaced, not the
    // link; something other than a file, or a file the user may not write,
    // stays as it is, as it would when written in place.
    std::error_code error;
    std::filesystem::path target = link;
    if (std::filesystem::is_symlink(link, error)) {
        target = std::filesystem::weakly_canonical(link, error);
        if (error) return false;
    }
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_regular_file(status) || ::access(target.c_str(), W_OK) != 0) return false;
    }
    const std::filesystem::path temporary = TemporaryNameFor(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;

    bool ok = true;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    target_ = target;
    temporary_ = temporary;
    return true;
}

bool PendingFileReplace::Commit() {
    if (temporary_.empty()) return false;
    const bool ok = ::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!ok) ::unlink(temporary_.c_str());
    temporary_.clear();
    return ok;
}

void PendingFileReplace::Discard() {
    if (temporary_.empty()) return;
    ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace dlk
