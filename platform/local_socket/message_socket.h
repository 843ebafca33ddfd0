#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dlk {

// Where the socket of a name lives: a bare name ("dlk_pipe") in the user's
// runtime folder, a name holding a '/' as the path it is. Empty when the
// user has no runtime folder.
std::string LocalSocketPath(std::string_view name);

// A local message channel: a Unix-domain SOCK_SEQPACKET socket file in the
// user's runtime folder, which no other user can enter. Each send is one
// message and arrives whole, as on a message-mode pipe. The file is removed
// on Close; one a crashed server left behind is taken over.
class MessageSocketServer {
public:
    enum class ListenResult { Listening, NameTaken, Failed };

    MessageSocketServer() = default;
    ~MessageSocketServer();
    MessageSocketServer(const MessageSocketServer&) = delete;
    MessageSocketServer& operator=(const MessageSocketServer&) = delete;

    // name as for LocalSocketPath. NameTaken while another server listens there.
    ListenResult Listen(std::string_view name);
    void Close();
    bool IsListening() const { return listen_ >= 0; }

    // Readable when a client waits to be accepted. Non-blocking.
    int ListenFd() const { return listen_; }

    // Takes one waiting client. Returns its connected socket (non-blocking,
    // close-on-exec) when the peer runs under our own user id; a peer of
    // another user is closed at once. -1 when nobody was served.
    int AcceptPeer();

private:
    int listen_ = -1;
    std::string path_;  // the socket file made by Listen
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

// Whole messages from a connected SEQPACKET socket.
class MessageReceiver {
public:
    enum class Status {
        Message,     // a message of one byte or more is in Message()
        Empty,       // the peer sent a message of no bytes
        NothingYet,  // nothing waiting
        HungUp,      // the peer has gone, or the socket failed
    };

    // Reads the next message whole, however long: its real length is
    // peeked first, since a short buffer would silently lose the rest.
    Status Receive(int fd);

    std::span<const std::uint8_t> Message() const { return {buffer_.data(), length_}; }

private:
    std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(8192);
    std::size_t length_ = 0;
};

// Sends one message without waiting and without raising SIGPIPE when the
// peer has gone. Returns false when the message was not taken whole.
bool SendMessage(int fd, std::span<const std::uint8_t> bytes);

// Connects as a client, for tests and local tools. -1 on failure.
int ConnectMessageSocket(std::string_view name);

}  // namespace dlk
