#include "platform/pty/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/pty/line_speed.h"

namespace dlk {
namespace {

// Raw bytes both ways: a new slave echoes and edits lines, and an echo would
// hand modem data straight back to the modems.
bool MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Debian gives a new slave to the tty group with write access, so that
// wall and write can reach a terminal; here that would let them inject bytes
// into the serial line. Done while the slave is still locked, so nobody can
// have opened it before.
bool KeepToOurselves(const char* slave) {
    struct stat info {};
    return ::chmod(slave, 0600) == 0 && ::stat(slave, &info) == 0 && info.st_uid == ::getuid() &&
           (info.st_mode & 0777) == 0600;
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    Close();
}

PseudoTerminal::OpenResult PseudoTerminal::Open(const std::string& linkName) {
    Close();
    // Held absolute, so the link is found again at Close wherever the
    // process has moved since.
    std::error_code error;
    const std::string linkPath = std::filesystem::absolute(linkName, error).string();
    if (error) return OpenResult::LinkFailed;

    master_ = ::open("/dev/ptmx", O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (master_ < 0) return OpenResult::NoPseudoTerminal;

    char name[PATH_MAX];
    if (grantpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0 || !KeepToOurselves(name) ||
        unlockpt(master_) != 0) {
        Close();
        return OpenResult::NoPseudoTerminal;
    }
    slave_path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (slave_ < 0 || !MakeRaw(slave_)) {
        Close();
        return OpenResult::NoPseudoTerminal;
    }
    // A refused speed is no reason to refuse the line: the speed of a
    // pseudo-terminal carries no meaning.
    SetArbitraryLineSpeed(slave_, kPseudoTerminalBaud);

    // Watched from after our own open, so only other programs are counted.
    // Without a watch the line simply behaves as if always in use.
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ >= 0 && ::inotify_add_watch(watch_, name, IN_OPEN | IN_CLOSE) < 0) CloseFd(watch_);
    program_opens_ = 0;

    struct stat st {};
    if (::lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            Close();
            return OpenResult::NameTaken;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(slave_path_.c_str(), linkPath.c_str()) != 0) {
        const bool taken = errno == EEXIST;
        Close();
        return taken ? OpenResult::NameTaken : OpenResult::LinkFailed;
    }
    link_path_ = linkPath;
    owns_link_ = true;
    return OpenResult::Opened;
}

void PseudoTerminal::Close() {
    if (owns_link_) {
        // Only our own link goes: the name may have been taken over since.
        char target[PATH_MAX];
        const ssize_t n = ::readlink(link_path_.c_str(), target, sizeof target - 1);
        if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == slave_path_) {
            ::unlink(link_path_.c_str());
        }
        owns_link_ = false;
    }
    CloseFd(master_);
    CloseFd(slave_);
    CloseFd(watch_);
    program_opens_ = 0;
    slave_path_.clear();
    link_path_.clear();
}

void PseudoTerminal::TakeOpenEvents() {
    if (watch_ < 0) return;
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t n = ::read(watch_, events, sizeof events);
        if (n <= 0) return;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->mask & IN_Q_OVERFLOW) {
                // Count lost: better to keep delivering than to go deaf.
                program_opens_ = 1;
            } else if (event->mask & IN_OPEN) {
                ++program_opens_;
            } else if ((event->mask & IN_CLOSE) && program_opens_ > 0 && --program_opens_ == 0) {
                tcflush(slave_, TCIFLUSH);
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

std::size_t PseudoTerminal::WriteSome(std::span<const std::uint8_t> bytes) {
    if (master_ < 0 || bytes.empty()) return 0;
    TakeOpenEvents();
    if (!ProgramHasPortOpen()) return 0;
    ssize_t n;
    do {
        n = ::write(master_, bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

}  // namespace dlk
