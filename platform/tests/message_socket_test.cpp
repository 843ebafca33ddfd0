#include "platform/local_socket/message_socket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "platform/runtime_folder/runtime_folder.h"

namespace dlk {
namespace {

std::string UniqueName() {
    static std::atomic<int> counter{0};
    return "dlk_test_msg_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

bool WaitReadable(int fd, int timeoutMs = 2000) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

// Accepts the one client that has just connected.
int AcceptOne(MessageSocketServer& server) {
    if (!WaitReadable(server.ListenFd())) return -1;
    return server.AcceptPeer();
}

MessageReceiver::Status NextMessage(MessageReceiver& receiver, int fd) {
    if (!WaitReadable(fd)) return MessageReceiver::Status::NothingYet;
    return receiver.Receive(fd);
}

std::vector<std::uint8_t> CountingBytes(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST(MessageSocket, SecondServerOfTheSameNameIsRefused) {
    const std::string name = UniqueName();
    MessageSocketServer first, second;
    ASSERT_EQ(first.Listen(name), MessageSocketServer::ListenResult::Listening);
    EXPECT_EQ(second.Listen(name), MessageSocketServer::ListenResult::NameTaken);
    EXPECT_FALSE(second.IsListening());
    first.Close();
    EXPECT_EQ(second.Listen(name), MessageSocketServer::ListenResult::Listening);
    EXPECT_EQ(MessageSocketServer().Listen(""), MessageSocketServer::ListenResult::Failed);
    EXPECT_EQ(MessageSocketServer().Listen(std::string(200, 'x')), MessageSocketServer::ListenResult::Failed);
}

TEST(MessageSocket, MessagesArriveWholeWhateverTheirLength) {
    const std::string name = UniqueName();
    MessageSocketServer server;
    ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
    const int client = ConnectMessageSocket(name);
    ASSERT_GE(client, 0);
    const int peer = AcceptOne(server);
    ASSERT_GE(peer, 0);

    MessageReceiver receiver;
    EXPECT_EQ(receiver.Receive(peer), MessageReceiver::Status::NothingYet);
    for (std::size_t length : {std::size_t{1}, std::size_t{8192}, std::size_t{10000}, std::size_t{3}}) {
        const auto sent = CountingBytes(length);
        ASSERT_EQ(::send(client, sent.data(), sent.size(), 0), static_cast<ssize_t>(length));
        ASSERT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::Message);
        EXPECT_EQ(std::vector<std::uint8_t>(receiver.Message().begin(), receiver.Message().end()), sent)
            << "length " << length;
    }
    ::close(client);
    ::close(peer);
}

TEST(MessageSocket, EmptyMessageIsToldApartFromHangUp) {
    const std::string name = UniqueName();
    MessageSocketServer server;
    ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
    const int client = ConnectMessageSocket(name);
    ASSERT_GE(client, 0);
    const int peer = AcceptOne(server);
    ASSERT_GE(peer, 0);

    const std::uint8_t byte = 7;
    ASSERT_EQ(::send(client, &byte, 0, 0), 0);
    ASSERT_EQ(::send(client, &byte, 1, 0), 1);
    ASSERT_EQ(::send(client, &byte, 0, 0), 0);
    ::close(client);

    MessageReceiver receiver;
    EXPECT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::Empty);
    EXPECT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::Message);
    EXPECT_EQ(receiver.Message().size(), 1u);
    EXPECT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::Empty);
    EXPECT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::HungUp);
    EXPECT_EQ(NextMessage(receiver, peer), MessageReceiver::Status::HungUp);
    ::close(peer);
}

TEST(MessageSocket, SendingToADepartedPeerFailsQuietly) {
    const std::string name = UniqueName();
    MessageSocketServer server;
    ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
    const int client = ConnectMessageSocket(name);
    const int peer = AcceptOne(server);
    ASSERT_GE(peer, 0);
    const auto bytes = CountingBytes(16);
    EXPECT_TRUE(SendMessage(peer, bytes));
    ::close(client);
    // Would end the process with SIGPIPE without MSG_NOSIGNAL.
    EXPECT_FALSE(SendMessage(peer, bytes));
    EXPECT_FALSE(SendMessage(-1, bytes));
    ::close(peer);
}

TEST(MessageSocket, SendingNeverWaitsForASlowReader) {
    const std::string name = UniqueName();
    MessageSocketServer server;
    ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
    const int client = ConnectMessageSocket(name);
    const int peer = AcceptOne(server);
    ASSERT_GE(peer, 0);
    const auto bytes = CountingBytes(512);
    int refused = 0;
    for (int i = 0; i < 10000 && refused == 0; ++i) {
        if (!SendMessage(peer, bytes)) ++refused;
    }
    EXPECT_EQ(refused, 1);  // the queue filled up, and the send said so instead of blocking
    ::close(client);
    ::close(peer);
}

TEST(MessageSocket, PeersOfAnotherUserAreNotServed) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs to run a peer under another user id";
    // A plain stranger cannot even enter the runtime folder; one that gets
    // past the file modes (file access as root, yet another user) is still
    // turned away by its credentials.
    for (const bool pastTheFileModes : {false, true}) {
        const std::string name = UniqueName();
        const std::string path = LocalSocketPath(name);  // the stranger's own folder is elsewhere
        MessageSocketServer server;
        ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setresuid(65534, 65534, 0) != 0 || (pastTheFileModes && ::setfsuid(0) < 0)) ::_exit(2);
            const int fd = ConnectMessageSocket(path);
            if (fd < 0 || !pastTheFileModes) ::_exit(fd < 0 && !pastTheFileModes ? 0 : 3);
            std::uint8_t byte = 1;
            ::send(fd, &byte, 1, MSG_NOSIGNAL);
            ::_exit(::recv(fd, &byte, 1, 0) <= 0 ? 0 : 4);  // the server hung up
        }
        if (pastTheFileModes) {
            EXPECT_EQ(AcceptOne(server), -1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_EQ(WEXITSTATUS(status), 0) << "past the file modes: " << pastTheFileModes;
    }
}

// The socket is a file of the user's alone, gone with its server; one left
// by a server that crashed is taken over, anything else of the name is not.
TEST(MessageSocket, SocketFileIsPrivateAndOnlyAStaleOneIsReplaced) {
    const std::string name = UniqueName(), file = UniqueName();
    const std::string path = LocalSocketPath(name);
    EXPECT_EQ(path, (*UserRuntimeFolder() / name).string());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(MessageSocketServer().Listen(name) == MessageSocketServer::ListenResult::Listening ? 0 : 1);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0) << "the crashed server left its file";
    {
        MessageSocketServer server;
        ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
        ASSERT_EQ(::lstat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    std::ofstream(LocalSocketPath(file)) << "keep";
    EXPECT_EQ(MessageSocketServer().Listen(file), MessageSocketServer::ListenResult::NameTaken);
    EXPECT_TRUE(std::filesystem::is_regular_file(LocalSocketPath(file)));
}

TEST(MessageSocket, RepeatedServingLeaksNoDescriptor) {
    auto count = [] {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
        return n;
    };
    const std::size_t before = count();
    for (int i = 0; i < 20; ++i) {
        const std::string name = UniqueName();
        MessageSocketServer server;
        ASSERT_EQ(server.Listen(name), MessageSocketServer::ListenResult::Listening);
        const int client = ConnectMessageSocket(name);
        const int peer = AcceptOne(server);
        ASSERT_GE(peer, 0);
        ::close(client);
        ::close(peer);
    }
    EXPECT_EQ(count(), before);
}

}  // namespace
}  // namespace dlk
