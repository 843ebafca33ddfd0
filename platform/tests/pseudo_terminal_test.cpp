#include "platform/pty/pseudo_terminal.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/pty/line_speed.h"

namespace dlk {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "dlk_pty_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (fs::path(path_) / name).string(); }

private:
    std::string path_;
};

// What a local program does with the serial port name it was given.
int OpenAsSerialPort(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
}

std::vector<std::uint8_t> ReadAvailable(int fd, std::size_t want, int timeoutMs = 2000) {
    std::vector<std::uint8_t> got;
    while (got.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) break;
        std::uint8_t buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN);
}

std::size_t OpenDescriptorCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

const std::vector<std::uint8_t> kControlBytes = {0x0A, 0x0D, 0x03, 0x11, 0x13, 0x04, 0x7F,
                                                 0x00, 0xFF, 0x1A, 0x0D, 0x0A, 0x15, 0x1C};

TEST(PseudoTerminal, BytesCrossBothWaysUntranslatedAndAreNotEchoed) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    EXPECT_EQ(fs::read_symlink(folder / "CNCB0").string(), pty.SlavePath());

    const int port = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(port, 0);

    ASSERT_EQ(::write(port, kControlBytes.data(), kControlBytes.size()), static_cast<ssize_t>(kControlBytes.size()));
    EXPECT_EQ(ReadAvailable(pty.MasterFd(), kControlBytes.size()), kControlBytes);

    EXPECT_EQ(pty.WriteSome(kControlBytes), kControlBytes.size());
    EXPECT_EQ(ReadAvailable(port, kControlBytes.size()), kControlBytes);
    // Nothing comes back to the client's end: no echo of what it wrote.
    EXPECT_FALSE(Readable(pty.MasterFd(), 50));
    ::close(port);
}

TEST(PseudoTerminal, LineIsRaw8N1WithoutFlowControlAtTheUsualSpeed) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    const int port = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(port, 0);
    termios tio{};
    ASSERT_EQ(tcgetattr(port, &tio), 0);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(ReadLineSpeed(port), kPseudoTerminalBaud);
    ::close(port);
}

TEST(PseudoTerminal, ClosedPortLeavesTheClientEndQuiet) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    const int port = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(port, 0);
    ::close(port);
    // A hang-up here would wake a reader at once, and again, for ever.
    pollfd p{pty.MasterFd(), POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 100), 0);

    // The next program finds the line as the first one did.
    const int again = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(again, 0);
    const std::uint8_t byte = 0x55;
    ASSERT_EQ(::write(again, &byte, 1), 1);
    EXPECT_EQ(ReadAvailable(pty.MasterFd(), 1), std::vector<std::uint8_t>{0x55});
    ::close(again);
}

TEST(PseudoTerminal, WritesNeverWaitForAProgramThatDoesNotRead) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    const int port = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(port, 0);
    const std::vector<std::uint8_t> block(4096, 0x41);
    std::size_t taken = 0;
    for (int i = 0; i < 256; ++i) taken += pty.WriteSome(block);
    EXPECT_GT(taken, 0u);
    EXPECT_LT(taken, block.size() * 256);  // the rest was dropped, nothing blocked
    ::close(port);
}

TEST(PseudoTerminal, NoProgramIsGreetedWithOldBytes) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    const std::vector<std::uint8_t> old = {0xAA, 0xBB};
    const std::vector<std::uint8_t> fresh = {0x01, 0x02, 0x03};

    // Nobody has the port open: nothing is kept for later.
    EXPECT_EQ(pty.WriteSome(old), 0u);
    const int first = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(first, 0);
    EXPECT_EQ(pty.WriteSome(fresh), fresh.size());
    EXPECT_EQ(ReadAvailable(first, fresh.size()), fresh);

    // What the first program left unread goes with it.
    EXPECT_EQ(pty.WriteSome(old), old.size());
    ::close(first);
    pty.TakeOpenEvents();
    const int second = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(second, 0);
    EXPECT_EQ(pty.WriteSome(fresh), fresh.size());
    EXPECT_EQ(ReadAvailable(second, fresh.size()), fresh);

    // Two programs at once: the port counts as open until both have gone.
    const int third = OpenAsSerialPort(folder / "CNCB0");
    ASSERT_GE(third, 0);
    ::close(second);
    EXPECT_EQ(pty.WriteSome(fresh), fresh.size());
    EXPECT_EQ(ReadAvailable(third, fresh.size()), fresh);
    ::close(third);
    EXPECT_EQ(pty.WriteSome(fresh), 0u);
}

TEST(PseudoTerminal, PublishedNameReplacesOldLinksButNeverAFile) {
    ScratchFolder folder;
    {
        fs::create_symlink("/nonexistent/old", folder / "CNCB0");
        PseudoTerminal pty;
        ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
        EXPECT_EQ(fs::read_symlink(folder / "CNCB0").string(), pty.SlavePath());
        pty.Close();
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "CNCB0")));
    }
    {
        std::ofstream(folder / "CNCB0") << "user data";
        PseudoTerminal pty;
        EXPECT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::NameTaken);
        EXPECT_FALSE(pty.IsOpen());
        std::ifstream in(folder / "CNCB0");
        std::string text;
        std::getline(in, text);
        EXPECT_EQ(text, "user data");
        fs::remove(folder / "CNCB0");
    }
    {
        fs::create_directory(folder / "CNCB0");
        PseudoTerminal pty;
        EXPECT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::NameTaken);
        EXPECT_TRUE(fs::is_directory(folder / "CNCB0"));
    }
    {
        PseudoTerminal pty;
        EXPECT_EQ(pty.Open(folder / "missing/CNCB0"), PseudoTerminal::OpenResult::LinkFailed);
        EXPECT_FALSE(pty.IsOpen());
    }
}

TEST(PseudoTerminal, CloseLeavesALinkThatSomeoneElseMadeSince) {
    ScratchFolder folder;
    PseudoTerminal pty;
    ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
    fs::remove(folder / "CNCB0");
    fs::create_symlink("/dev/null", folder / "CNCB0");
    pty.Close();
    pty.Close();
    EXPECT_EQ(fs::read_symlink(folder / "CNCB0").string(), "/dev/null");
}

TEST(PseudoTerminal, PlainNameIsPublishedInTheCurrentFolder) {
    ScratchFolder folder;
    const fs::path started = fs::current_path();
    fs::current_path(folder / "");
    PseudoTerminal pty;
    const auto result = pty.Open("CNCB0");
    fs::current_path(started);
    ASSERT_EQ(result, PseudoTerminal::OpenResult::Opened);
    EXPECT_EQ(fs::read_symlink(folder / "CNCB0").string(), pty.SlavePath());
    pty.Close();  // found again although the process has moved on
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "CNCB0")));
}

TEST(PseudoTerminal, RepeatedOpenAndCloseLeaksNoDescriptor) {
    ScratchFolder folder;
    const std::size_t before = OpenDescriptorCount();
    for (int i = 0; i < 20; ++i) {
        PseudoTerminal pty;
        ASSERT_EQ(pty.Open(folder / "CNCB0"), PseudoTerminal::OpenResult::Opened);
        const int port = OpenAsSerialPort(folder / "CNCB0");
        ASSERT_GE(port, 0);
        ::close(port);
        if (i % 2 == 0) pty.Close();  // the other half close in the destructor
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

// Debian mounts the pseudo-terminals with mode=620,gid=5 (the tty group may
// write to every new slave). The child builds such a mount of its own in a
// private mount namespace, so the test shows the same wherever it runs.
TEST(PseudoTerminal, SlaveIsTheUsersAloneEvenWhereTheTtyGroupMayWriteNewOnes) {
    ScratchFolder folder;
    const std::string link = folder / "CNCB0";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool mounted =
            ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount("devpts", "/dev/pts", "devpts", 0, "newinstance,mode=620,gid=5,ptmxmode=666") == 0 &&
            ::mount("/dev/pts/ptmx", "/dev/ptmx", nullptr, MS_BIND, nullptr) == 0;
        if (!mounted) ::_exit(77);
        PseudoTerminal pty;
        if (pty.Open(link) != PseudoTerminal::OpenResult::Opened) ::_exit(2);
        struct stat info {};
        if (::stat(pty.SlavePath().c_str(), &info) != 0) ::_exit(3);
        ::_exit((info.st_mode & 0777) == 0600 && info.st_uid == ::getuid() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private pseudo-terminal mount (needs root)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the slave's mode or owner is wrong";
}

}  // namespace
}  // namespace dlk
