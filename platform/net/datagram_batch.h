#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/net/udp_socket.h"

namespace dlk {

// Room for up to Capacity() datagrams of up to slotSize bytes each, filled by
// UdpSocket::ReceiveBatch in one system call. Allocated once; a receiver
// reuses it for every batch.
class DatagramBatch {
public:
    DatagramBatch(std::size_t capacity, std::size_t slotSize);
    DatagramBatch(const DatagramBatch&) = delete;
    DatagramBatch& operator=(const DatagramBatch&) = delete;

    std::size_t Capacity() const { return headers_.size(); }
    std::size_t Count() const { return count_; }
    // The bytes kept of datagram i: all of it unless Truncated(i).
    std::span<const std::uint8_t> Datagram(std::size_t i) const;
    // Longer than its slot: only the slot's worth was kept.
    bool Truncated(std::size_t i) const;
    UdpEndpoint Source(std::size_t i) const;

private:
    friend class UdpSocket;
    void Prepare();  // readies the headers for the next receive

    std::size_t slot_size_;
    std::vector<std::uint8_t> storage_;
    std::vector<iovec> vectors_;
    std::vector<sockaddr_in> sources_;
    std::vector<mmsghdr> headers_;
    std::size_t count_ = 0;
};

}  // namespace dlk
