#pragma once

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/local_socket/message_socket.h"
#include "platform/net/udp_socket.h"

// What the shell's tests and the test of the real program both need from
// outside the window: a free UDP port and the local program's end of the
// message socket.
namespace dlk::client::shell_testing {

// A UDP port nobody holds at the moment of asking.
inline std::uint16_t FreeUdpPort() {
    UdpSocket probe;
    probe.Open();
    probe.Bind(0);
    const std::uint16_t port = probe.LocalPort();
    probe.Close();
    return port;
}

// A local program's end of the message socket.
class PipeClient {
public:
    PipeClient() = default;
    explicit PipeClient(const std::string& name) { Connect(name); }
    ~PipeClient() { Close(); }
    PipeClient(const PipeClient&) = delete;
    PipeClient& operator=(const PipeClient&) = delete;

    bool Connect(const std::string& name) {
        Close();
        fd_ = ConnectMessageSocket(name);
        return fd_ >= 0;
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool Connected() const { return fd_ >= 0; }
    bool Send(const std::vector<std::uint8_t>& bytes) const { return SendMessage(fd_, bytes); }
    // One message, or nothing within the time limit.
    std::vector<std::uint8_t> Receive(int limitMs = 3000) const {
        timeval tv{limitMs / 1000, (limitMs % 1000) * 1000};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        std::vector<std::uint8_t> buffer(8192);
        const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        buffer.resize(n > 0 ? std::size_t(n) : 0);
        return buffer;
    }

private:
    int fd_ = -1;
};

}  // namespace dlk::client::shell_testing
