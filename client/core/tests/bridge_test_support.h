#pragma once

// Helpers shared by the local bridge tests: unique names, a scratch folder,
// a stand-in local program on either side, and a CPU-time probe.

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "client/testing/local_program_port.h"

namespace dlk::client::bridge_test {

inline std::string UniqueName(const char* stem) {
    static std::atomic<int> counter{0};
    return std::string(stem) + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dlk_bridge_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string Path(const std::string& name) const { return (std::filesystem::path(path_) / name).string(); }
    const std::string& Root() const { return path_; }

private:
    std::string path_;
};

// Collects what a reader thread forwards, block by block.
class BlockRecorder {
public:
    void operator()(std::span<const std::uint8_t> block) {
        std::lock_guard lock(mutex_);
        blocks_.emplace_back(block.begin(), block.end());
        changed_.notify_all();
    }
    auto Callback() {
        return [this](std::span<const std::uint8_t> block) { (*this)(block); };
    }
    // True once at least bytes have arrived in all.
    bool WaitForBytes(std::size_t bytes, std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return TotalLocked() >= bytes; });
    }
    std::vector<std::uint8_t> Joined() const {
        std::lock_guard lock(mutex_);
        std::vector<std::uint8_t> all;
        for (const auto& b : blocks_) all.insert(all.end(), b.begin(), b.end());
        return all;
    }
    std::vector<std::size_t> Sizes() const {
        std::lock_guard lock(mutex_);
        std::vector<std::size_t> sizes;
        for (const auto& b : blocks_) sizes.push_back(b.size());
        return sizes;
    }

private:
    std::size_t TotalLocked() const {
        std::size_t n = 0;
        for (const auto& b : blocks_) n += b.size();
        return n;
    }
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::vector<std::uint8_t>> blocks_;
};

inline std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed = 0) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return bytes;
}

using sim::OpenSerialPort;
using sim::WriteAll;

// Reads until want bytes came or nothing more arrives within timeoutMs.
inline std::vector<std::uint8_t> ReadFor(int fd, std::size_t want, int timeoutMs = 3000) {
    std::vector<std::uint8_t> got;
    while (got.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) break;
        std::uint8_t buffer[16384];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

inline bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

// CPU time this process used while body ran, in milliseconds: a reader
// spinning on a dead descriptor shows up here.
template <typename Body>
double CpuMillisecondsDuring(Body body) {
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
    };
    const double start = now();
    body();
    return now() - start;
}

inline std::size_t OpenDescriptorCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

}  // namespace dlk::client::bridge_test

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace dlk::client::bridge_test {

// A program run with its standard input and output on pipes, for driving
// real serial tools against the bridge.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv) {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0) return;
        if (::pipe2(out, O_CLOEXEC) != 0) {
            ::close(in[0]);
            ::close(in[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
    }
    ~ChildProcess() {
        CloseStdIn();
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0) ::close(stdout_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    int StdIn() const { return stdin_; }
    int StdOut() const { return stdout_; }
    void CloseStdIn() {
        if (stdin_ >= 0) ::close(stdin_);
        stdin_ = -1;
    }
    // The exit code, or -1 when it did not end by itself within timeoutMs.
    int Wait(int timeoutMs = 10000) {
        for (int waited = 0; pid_ > 0 && waited <= timeoutMs; waited += 10) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            ::usleep(10000);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
};

}  // namespace dlk::client::bridge_test
