#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace dlk {

class DatagramBatch;

// A UDP peer as a socket address holds it: both fields in network byte order,
// so they can be copied to and from the wire without conversion.
struct UdpEndpoint {
    std::uint32_t Address = 0;  // IPv4, network byte order
    std::uint16_t Port = 0;     // network byte order
    bool operator==(const UdpEndpoint&) const = default;
};

// Builds an endpoint from host-order values (a.b.c.d given as four octets).
UdpEndpoint MakeEndpoint(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint16_t host_port);
UdpEndpoint LoopbackEndpoint(std::uint16_t host_port);
std::uint16_t HostPort(const UdpEndpoint& endpoint);

enum class ReceiveStatus {
    Datagram,  // Length and Source are valid
    Woken,     // Wake() was called; nothing was read
    TimedOut,
    Error,  // Error holds errno
};

struct ReceiveResult {
    ReceiveStatus Status = ReceiveStatus::Error;
    // The datagram's real length, even when it was larger than the buffer
    // (then only the buffer's worth was kept and Truncated is set).
    std::size_t Length = 0;
    bool Truncated = false;
    UdpEndpoint Source{};
    int Error = 0;
};

// One IPv4 datagram socket. Sends may come from several threads at once; one
// thread receives. Wake() lets another thread end a blocked Receive, because
// closing the descriptor under a blocked recvfrom does not wake it on Linux.
// Stopping a receiver is: set its stop flag, Wake(), join it, then Close().
class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // 0 on success, else errno. Opening an open socket closes it first.
    int Open();
    // Binds every local address at the given port (0: the system picks one).
    // No SO_REUSEADDR, so a port in use is reported (EADDRINUSE).
    // 0 on success, else errno.
    int Bind(std::uint16_t host_port);
    // Asks for room for this many bytes of waiting datagrams (the system
    // caps it at its own limit). 0 on success, else errno.
    int SetReceiveBuffer(int bytes);
    // The bound port in host order, 0 when unbound or closed.
    std::uint16_t LocalPort() const;

    // One whole datagram; false when the system did not take all of it.
    bool SendTo(std::span<const std::uint8_t> datagram, const UdpEndpoint& to) const;
    // Several datagrams to one peer in one system call (at most 64 are
    // taken at once; more go in further calls). Returns how many the system
    // took whole.
    std::size_t SendAllTo(std::span<const std::span<const std::uint8_t>> datagrams, const UdpEndpoint& to) const;

    // Waits for one datagram (timeout_ms < 0: no limit) or a Wake().
    ReceiveResult Receive(std::span<std::uint8_t> buffer, int timeout_ms = -1) const;
    // Waits as Receive does, then takes every datagram already waiting, up to
    // the batch's capacity, in one call. Status Datagram means at least one
    // is in the batch; Length is their count.
    ReceiveResult ReceiveBatch(DatagramBatch& batch, int timeout_ms = -1) const;

    // Ends the current and every later Receive with Woken until Close().
    void Wake() const;
    // Idempotent; the caller has joined every thread that used the socket.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }

private:
    // Status Datagram when the socket is readable.
    ReceiveResult WaitReadable(int timeout_ms) const;

    int fd_ = -1;
    int wake_fd_ = -1;
};

}  // namespace dlk
