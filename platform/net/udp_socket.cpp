#include "platform/net/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace dlk {

UdpEndpoint MakeEndpoint(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint16_t host_port) {
    const std::uint8_t octets[4] = {a, b, c, d};
    UdpEndpoint endpoint;
    std::memcpy(&endpoint.Address, octets, 4);
    endpoint.Port = htons(host_port);
    return endpoint;
}

UdpEndpoint LoopbackEndpoint(std::uint16_t host_port) {
    return MakeEndpoint(127, 0, 0, 1, host_port);
}

std::uint16_t HostPort(const UdpEndpoint& endpoint) {
    return ntohs(endpoint.Port);
}

UdpSocket::~UdpSocket() {
    Close();
}

int UdpSocket::Open() {
    Close();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return errno;
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    fd_ = fd;
    wake_fd_ = wake;
    return 0;
}

int UdpSocket::Bind(std::uint16_t host_port) {
    if (fd_ < 0) return EBADF;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(host_port);
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return errno;
    return 0;
}

std::uint16_t UdpSocket::LocalPort() const {
    if (fd_ < 0) return 0;
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
}

bool UdpSocket::SendTo(std::span<const std::uint8_t> datagram, const UdpEndpoint& to) const {
    if (fd_ < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = to.Address;
    address.sin_port = to.Port;
    const ssize_t sent = ::sendto(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent >= 0 && static_cast<std::size_t>(sent) == datagram.size();
}

ReceiveResult UdpSocket::Receive(std::span<std::uint8_t> buffer, int timeout_ms) const {
    ReceiveResult result;
    if (fd_ < 0) {
        result.Error = EBADF;
        return result;
    }
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeout_ms);
    if (ready < 0) {
        result.Error = errno;
        return result;
    }
    if (fds[1].revents != 0) {
        result.Status = ReceiveStatus::Woken;
        return result;
    }
    if (ready == 0) {
        result.Status = ReceiveStatus::TimedOut;
        return result;
    }
    sockaddr_in source{};
    socklen_t length = sizeof source;
    // MSG_TRUNC makes recvfrom report the datagram's real length, so one
    // larger than the buffer can be recognised instead of read in part.
    const ssize_t received = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&source), &length);
    if (received < 0) {
        result.Error = errno;
        return result;
    }
    result.Status = ReceiveStatus::Datagram;
    result.Length = static_cast<std::size_t>(received);
    result.Truncated = result.Length > buffer.size();
    result.Source.Address = source.sin_addr.s_addr;
    result.Source.Port = source.sin_port;
    return result;
}

void UdpSocket::Wake() const {
    if (wake_fd_ < 0) return;
    const std::uint64_t one = 1;
    // The counter only has to become non-zero; a full counter already is.
    [[maybe_unused]] const ssize_t written = ::write(wake_fd_, &one, sizeof one);
}

void UdpSocket::Close() {
    if (fd_ >= 0) ::close(fd_);
    if (wake_fd_ >= 0) ::close(wake_fd_);
    fd_ = -1;
    wake_fd_ = -1;
}

}  // namespace dlk
