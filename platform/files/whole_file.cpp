#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace dlk {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::size_t limit,
                                                       int* error) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer, possibly for
    // ever; a regular file reads the same either way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    auto fail = [&] {
        if (error) *error = errno;
        if (fd >= 0) ::close(fd);
        return std::nullopt;
    };
    if (fd < 0) return fail();
    // Only a regular file: a pipe or device in its place could block for
    // ever or never end.
    struct stat info {};
    if (::fstat(fd, &info) != 0) return fail();
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return fail();
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof chunk, limit - bytes.size());
        const ssize_t n = ::read(fd, chunk, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace dlk
