#include "platform/net/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/net/datagram_batch.h"

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

int UdpSocket::SetReceiveBuffer(int bytes) {
    if (fd_ < 0) return EBADF;
    if (::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) != 0) return errno;
    return 0;
}

std::uint16_t UdpSocket::LocalPort() const {
    if (fd_ < 0) return 0;
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
}

namespace {

sockaddr_in ToSockaddr(const UdpEndpoint& to) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = to.Address;
    address.sin_port = to.Port;
    return address;
}

constexpr std::size_t kMostPerSend = 64;

}  // namespace

bool UdpSocket::SendTo(std::span<const std::uint8_t> datagram, const UdpEndpoint& to) const {
    if (fd_ < 0) return false;
    const sockaddr_in address = ToSockaddr(to);
    const ssize_t sent = ::sendto(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent >= 0 && static_cast<std::size_t>(sent) == datagram.size();
}

std::size_t UdpSocket::SendAllTo(std::span<const std::span<const std::uint8_t>> datagrams,
                                 const UdpEndpoint& to) const {
    if (fd_ < 0) return 0;
    sockaddr_in address = ToSockaddr(to);
    std::array<iovec, kMostPerSend> vectors;
    std::array<mmsghdr, kMostPerSend> headers;
    std::size_t taken = 0, whole = 0;
    while (taken < datagrams.size()) {
        const std::size_t count = std::min(kMostPerSend, datagrams.size() - taken);
        for (std::size_t i = 0; i < count; ++i) {
            const auto datagram = datagrams[taken + i];
            vectors[i] = {const_cast<std::uint8_t*>(datagram.data()), datagram.size()};
            headers[i] = {};
            headers[i].msg_hdr.msg_name = &address;
            headers[i].msg_hdr.msg_namelen = sizeof address;
            headers[i].msg_hdr.msg_iov = &vectors[i];
            headers[i].msg_hdr.msg_iovlen = 1;
        }
        int sent;
        do {
            sent = ::sendmmsg(fd_, headers.data(), static_cast<unsigned>(count), MSG_NOSIGNAL);
        } while (sent < 0 && errno == EINTR);
        // A datagram the system refuses is lost, as one sendto would lose
        // it; the rest still go.
        if (sent > 0) {
            taken += static_cast<std::size_t>(sent);
            whole += static_cast<std::size_t>(sent);
        } else {
            ++taken;
        }
    }
    return whole;
}

ReceiveResult UdpSocket::WaitReadable(int timeout_ms) const {
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
    result.Status = ReceiveStatus::Datagram;
    return result;
}

ReceiveResult UdpSocket::Receive(std::span<std::uint8_t> buffer, int timeout_ms) const {
    ReceiveResult result = WaitReadable(timeout_ms);
    if (result.Status != ReceiveStatus::Datagram) return result;
    sockaddr_in source{};
    socklen_t length = sizeof source;
    // MSG_TRUNC makes recvfrom report the datagram's real length, so one
    // larger than the buffer can be recognised instead of read in part.
    const ssize_t received = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&source), &length);
    if (received < 0) {
        result.Status = ReceiveStatus::Error;
        result.Error = errno;
        return result;
    }
    result.Length = static_cast<std::size_t>(received);
    result.Truncated = result.Length > buffer.size();
    result.Source.Address = source.sin_addr.s_addr;
    result.Source.Port = source.sin_port;
    return result;
}

ReceiveResult UdpSocket::ReceiveBatch(DatagramBatch& batch, int timeout_ms) const {
    batch.count_ = 0;
    ReceiveResult result = WaitReadable(timeout_ms);
    if (result.Status != ReceiveStatus::Datagram) return result;
    batch.Prepare();
    const int received = ::recvmmsg(fd_, batch.headers_.data(), static_cast<unsigned>(batch.headers_.size()),
                                    MSG_TRUNC | MSG_DONTWAIT, nullptr);
    if (received <= 0) {
        result.Status = ReceiveStatus::Error;
        result.Error = received < 0 ? errno : EAGAIN;
        return result;
    }
    batch.count_ = static_cast<std::size_t>(received);
    result.Length = batch.count_;
    return result;
}

DatagramBatch::DatagramBatch(std::size_t capacity, std::size_t slotSize)
    : slot_size_(slotSize), storage_(capacity * slotSize), vectors_(capacity), sources_(capacity), headers_(capacity) {
    // The buffers never move, so every header points at its slot for good.
    for (std::size_t i = 0; i < capacity; ++i) {
        vectors_[i] = {storage_.data() + i * slot_size_, slot_size_};
        headers_[i].msg_hdr.msg_name = &sources_[i];
        headers_[i].msg_hdr.msg_iov = &vectors_[i];
        headers_[i].msg_hdr.msg_iovlen = 1;
    }
}

void DatagramBatch::Prepare() {
    // The address length is the one field a receive both reads and writes.
    for (mmsghdr& header : headers_) header.msg_hdr.msg_namelen = sizeof(sockaddr_in);
}

std::span<const std::uint8_t> DatagramBatch::Datagram(std::size_t i) const {
    return {storage_.data() + i * slot_size_, std::min<std::size_t>(headers_[i].msg_len, slot_size_)};
}

bool DatagramBatch::Truncated(std::size_t i) const {
    return headers_[i].msg_len > slot_size_ || (headers_[i].msg_hdr.msg_flags & MSG_TRUNC) != 0;
}

UdpEndpoint DatagramBatch::Source(std::size_t i) const {
    return {sources_[i].sin_addr.s_addr, sources_[i].sin_port};
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
