#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dlk {

// A local message channel: a Unix-domain SOCK_SEQPACKET socket in the
// abstract namespace (no file to clean up, gone with the process). Each
// send is one message and arrives whole, as on a message-mode pipe.
class MessageSocketServer {
public:
    enum class ListenResult { Listening, NameTaken, Failed };

    MessageSocketServer() = default;
    ~MessageSocketServer();
    MessageSocketServer(const MessageSocketServer&) = delete;
    MessageSocketServer& operator=(const MessageSocketServer&) = delete;

    // name is the abstract name without its leading zero byte.
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
