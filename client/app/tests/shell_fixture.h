#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/app/unit1.h"
#include "core/settings/client_config_file.h"
#include "framework/core/application.h"
#include "framework/core/message_box.h"
#include "framework/tray/tray_recorder.h"
#include "net/udp_socket.h"

namespace dlk::shell_testing {

inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "client_app_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

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
    explicit PipeClient(const std::string& name) {
        fd_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::memcpy(a.sun_path + 1, name.data(), name.size());
        const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), size) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~PipeClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Connected() const { return fd_ >= 0; }
    bool Send(const std::vector<std::uint8_t>& bytes) const {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }
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

// A main window in a folder of its own, with its own socket names, a
// recording tray and answered message boxes.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        Application().Reset();
        Application().Title = "ДЛК-клиент";
        char pattern[] = "/tmp/dlk_shell_XXXXXX";
        folder_ = ::mkdtemp(pattern);
        static int counter = 0;
        const std::string unique = std::to_string(::getpid()) + "_" + std::to_string(++counter);
        env_.Folder = folder_;
        env_.LocalNames.PipeName = "dlk_shell_pipe_" + unique;
        env_.LocalNames.PortLink = (folder_ / "CNCB0").string();
        env_.Tray = &tray_;
        env_.CursorPos = [] { return TPoint{100, 100}; };
        settings_.LocalPort = FreeUdpPort();
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes_.push_back(r);
            return answer_;
        });
    }
    void TearDown() override {
        form_.reset();
        SetMessageBoxAnswerer(nullptr);
        Application().Reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TForm1& Start() {
        ClientConfig config = DefaultClientConfig(1024, 768, 0);
        config.Link = settings_;
        std::string error;
        EXPECT_TRUE(SaveClientConfig(folder_ / kClientConfigFileName, config, &error)) << error;
        form_ = std::make_unique<TForm1>(nullptr, env_);
        return *form_;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes_) texts.push_back(b.Text);
        return texts;
    }

    std::filesystem::path folder_;
    ShellEnvironment env_;
    TrayRecorder tray_;
    LinkSettings settings_;
    std::vector<MessageBoxRequest> boxes_;
    int answer_ = IDYES;
    std::unique_ptr<TForm1> form_;
};

}  // namespace dlk::shell_testing
