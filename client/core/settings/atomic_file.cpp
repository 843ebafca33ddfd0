#include "core/settings/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dlk {
namespace {

class FileDescriptor {
   public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closing can report a write the kernel deferred, so its result counts.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

   private:
    int fd_;
};

std::string Describe(const std::string& step, const std::filesystem::path& path, int err) {
    return step + " " + path.string() + ": " + std::strerror(err);
}

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

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                      std::size_t limit, int* error) {
    auto fail = [&] {
        if (error) *error = errno;
        return std::nullopt;
    };
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return fail();
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof chunk, limit - bytes.size());
        const ssize_t n = ::read(fd.Get(), chunk, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         mode_t newMode, std::string* error) {
    auto fail = [&](const std::string& step, const std::filesystem::path& what, int err) {
        if (error) *error = Describe(step, what, err);
        return false;
    };

    mode_t mode = newMode;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) return fail("не обычный файл:", path, EISDIR);
        mode = old.st_mode & 07777;
    }

    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = (folder / (path.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.Get() < 0) return fail("не удаётся создать", temp, errno);

    auto discard = [&](const std::string& step, int err) {
        ::unlink(temp.c_str());
        return fail(step, temp, err);
    };
    if (::fchmod(fd.Get(), mode) != 0) return discard("не удаётся задать права", errno);
    if (!WriteAll(fd.Get(), bytes)) return discard("ошибка записи", errno);
    if (::fsync(fd.Get()) != 0) return discard("ошибка записи", errno);
    if (!fd.Close()) return discard("ошибка записи", errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fail("не удаётся заменить", path, err);
    }
    return true;
}

}  // namespace dlk
