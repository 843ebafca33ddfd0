#include "platform/local_socket/message_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/runtime_folder/runtime_folder.h"

namespace dlk {
namespace {

// Fills the address of the socket file; returns its length, 0 when there is
// no path or it does not fit.
socklen_t FileAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() + 1 > sizeof address.sun_path) return 0;
    std::memcpy(address.sun_path, path.data(), path.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
}

// A socket file that nobody listens on any more (its server died without
// removing it) refuses connections; a live one accepts or is busy.
bool IsStaleSocket(const sockaddr_un& address, socklen_t length) {
    struct stat info {};
    if (::lstat(address.sun_path, &info) != 0 || !S_ISSOCK(info.st_mode)) return false;
    const int probe = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (probe < 0) return false;
    const bool refused =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), length) != 0 && errno == ECONNREFUSED;
    ::close(probe);
    return refused;
}

// Credentials travel with every message once the receiver asks for them; a
// zero-length read that carries none is the end of the connection rather
// than an empty message.
void AskForCredentials(int fd) {
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on);
}

bool SameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
    return peer.uid == ::geteuid();
}

}  // namespace

MessageSocketServer::~MessageSocketServer() {
    Close();
}

std::string LocalSocketPath(std::string_view name) {
    return InRuntimeFolder(name).string();
}

MessageSocketServer::ListenResult MessageSocketServer::Listen(std::string_view name) {
    Close();
    sockaddr_un address;
    const socklen_t length = FileAddress(LocalSocketPath(name), address);
    if (length == 0) return ListenResult::Failed;

    listen_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listen_ < 0) return ListenResult::Failed;
    AskForCredentials(listen_);
    int bound = ::bind(listen_, reinterpret_cast<const sockaddr*>(&address), length);
    if (bound != 0 && errno == EADDRINUSE && IsStaleSocket(address, length)) {
        ::unlink(address.sun_path);
        bound = ::bind(listen_, reinterpret_cast<const sockaddr*>(&address), length);
    }
    if (bound != 0) {
        const bool taken = errno == EADDRINUSE;
        Close();
        return taken ? ListenResult::NameTaken : ListenResult::Failed;
    }
    path_ = address.sun_path;
    struct stat info {};
    if (::lstat(path_.c_str(), &info) == 0) {
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
    // The folder keeps other users out already; the file's own mode says the same.
    ::chmod(path_.c_str(), 0600);
    if (::listen(listen_, 4) != 0) {
        Close();
        return ListenResult::Failed;
    }
    return ListenResult::Listening;
}

void MessageSocketServer::Close() {
    if (!path_.empty()) {
        // Only our own file goes: a later server may have taken the name since.
        struct stat info {};
        if (::lstat(path_.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_) {
            ::unlink(path_.c_str());
        }
        path_.clear();
    }
    if (listen_ >= 0) ::close(listen_);
    listen_ = -1;
}

int MessageSocketServer::AcceptPeer() {
    if (listen_ < 0) return -1;
    const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return -1;
    if (!SameUser(fd)) {
        ::close(fd);
        return -1;
    }
    AskForCredentials(fd);
    return fd;
}

MessageReceiver::Status MessageReceiver::Receive(int fd) {
    length_ = 0;
    ssize_t size;
    do {
        size = ::recv(fd, nullptr, 0, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
    } while (size < 0 && errno == EINTR);
    if (size < 0) {
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? Status::NothingYet : Status::HungUp;
    }
    if (static_cast<std::size_t>(size) > buffer_.size()) {
        buffer_.resize(static_cast<std::size_t>(size));
    }

    iovec io{buffer_.data(), buffer_.size()};
    // Room for the credentials alone: descriptors a peer might pass along
    // find no room and are closed by the kernel, never landing here.
    alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(ucred))];
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    header.msg_control = control;
    header.msg_controllen = sizeof control;
    ssize_t got;
    do {
        got = ::recvmsg(fd, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? Status::NothingYet : Status::HungUp;
    }
    if (got == 0) return header.msg_controllen > 0 ? Status::Empty : Status::HungUp;
    length_ = static_cast<std::size_t>(got);
    return Status::Message;
}

bool SendMessage(int fd, std::span<const std::uint8_t> bytes) {
    if (fd < 0) return false;
    ssize_t n;
    do {
        n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    return n >= 0 && static_cast<std::size_t>(n) == bytes.size();
}

int ConnectMessageSocket(std::string_view name) {
    sockaddr_un address;
    const socklen_t length = FileAddress(LocalSocketPath(name), address);
    if (length == 0) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace dlk
