// What the client's bridge costs a local program: bytes per second and the
// round trip of a 16-byte request, from the program's serial port through the
// client to a modem on loopback UDP that echoes, and back. A plain socat relay
// from a pseudo-terminal to the same echoing peer runs beside it as the
// reference.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "client/core/bridge/pause_rules.h"
#include "client/core/bridge/serial_port.h"
#include "client/core/link/client_link.h"
#include "client/testing/local_program_port.h"
#include "client/testing/recording_observer.h"
#include "platform/net/udp_socket.h"

extern char** environ;

namespace dlk {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A modem that answers every chunk with the same bytes: as a data packet to
// the client, or bare to a plain relay.
class EchoModem {
public:
    explicit EchoModem(bool dataPackets) : dataPackets_(dataPackets) {
        if (socket_.Open() != 0 || socket_.Bind(0) != 0) throw std::runtime_error("echo socket");
        thread_ = std::thread([this] { Run(); });
    }
    ~EchoModem() {
        stop_ = true;
        socket_.Wake();
        thread_.join();
        socket_.Close();
    }
    std::uint16_t Port() const { return socket_.LocalPort(); }

    void Announce(const UdpEndpoint& client) {
        const std::array<std::uint8_t, 10> on = {0x02, 0x0F, 0x35, 0x69, 0x38, 0x03, 0x56, 0x43, 0x80, 0x90};
        socket_.SendTo(on, client);
    }

private:
    void Run() {
        std::array<std::uint8_t, 2048> buffer{};
        while (!stop_) {
            const auto got = socket_.Receive(std::span(buffer).subspan(1));
            if (got.Status != ReceiveStatus::Datagram) continue;
            if (dataPackets_) {
                buffer[0] = 0x00;
                socket_.SendTo(std::span(buffer).first(got.Length + 1), got.Source);
            } else {
                socket_.SendTo(std::span(buffer).subspan(1, got.Length), got.Source);
            }
        }
    }

    const bool dataPackets_;
    UdpSocket socket_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Writes bytes and reads as many back; false when they did not all return
// within a second (lost on the way).
bool RoundTrip(int port, std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& back) {
    if (!sim::WriteAll(port, bytes)) return false;
    back.resize(bytes.size());
    std::size_t got = 0;
    while (got < bytes.size()) {
        pollfd p{port, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0) {
            tcflush(port, TCIFLUSH);
            return false;
        }
        const ssize_t n = ::read(port, back.data() + got, back.size() - got);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// Streams total bytes through the echo with at most window bytes in flight,
// which keeps every buffer on the way from overflowing. False when the echo
// stopped coming back for a second (bytes lost on the way).
bool Stream(int port, std::size_t total, std::size_t window, std::vector<std::uint8_t>& buffer) {
    buffer.resize(std::max<std::size_t>(buffer.size(), 4096));
    std::size_t sent = 0, got = 0;
    while (got < total) {
        const bool canSend = sent < total && sent - got < window;
        pollfd p{port, static_cast<short>(POLLIN | (canSend ? POLLOUT : 0)), 0};
        if (::poll(&p, 1, 1000) <= 0) {
            tcflush(port, TCIFLUSH);
            return false;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(port, buffer.data(), buffer.size());
            if (n <= 0) return false;
            got += static_cast<std::size_t>(n);
        }
        if (canSend && (p.revents & POLLOUT)) {
            const std::size_t length = std::min({window - (sent - got), total - sent, std::size_t{1024}});
            const ssize_t n = ::write(port, buffer.data(), length);
            if (n < 0) return false;
            sent += static_cast<std::size_t>(n);
        }
    }
    return true;
}

// A local program's view: a serial port whose bytes come back echoed.
class Rig {
public:
    virtual ~Rig() = default;
    int Port() const { return port_; }

protected:
    int port_ = -1;
};

class ClientRig : public Rig {
public:
    ClientRig() : folder_(MakeFolder()), side_((folder_ / "CNCB0").string()), modem_(true) {
        LinkSettings settings;
        settings.LocalPort = 0;
        settings.NullModemMode = 1;
        settings.OneModemActive = 0;
        if (!link_.OpenLink(settings, side_).Ok()) throw std::runtime_error("link did not open");
        modem_.Announce(LoopbackEndpoint(link_.BoundPort()));
        for (int i = 0; i < 1000; ++i) {
            std::lock_guard lock(table_.TableLock);
            if (!table_.Entries.empty()) {
                ClickPause(table_, 0, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        port_ = sim::OpenSerialPort(side_.LinkPath());
        if (port_ < 0) throw std::runtime_error("port did not open");
    }
    ~ClientRig() override {
        ::close(port_);
        link_.CloseLink();
        fs::remove_all(folder_);
    }

private:
    static fs::path MakeFolder() {
        std::string pattern = (fs::temp_directory_path() / "dlk_bench_XXXXXX").string();
        return ::mkdtemp(pattern.data());
    }
    fs::path folder_;
    serial_port side_;
    ModemTable table_;
    sim::RecordingObserver observer_;
    EchoModem modem_;
    ClientLink link_{table_, observer_};
};

class SocatRig : public Rig {
public:
    SocatRig() : modem_(false) {
        std::string pattern = (fs::temp_directory_path() / "dlk_bench_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        const std::string link = (folder_ / "ref").string();
        std::vector<std::string> argv = {"/usr/bin/socat", "PTY,link=" + link + ",raw,echo=0",
                                         "UDP:127.0.0.1:" + std::to_string(modem_.Port())};
        std::vector<char*> args;
        for (auto& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        if (posix_spawn(&pid_, args[0], nullptr, nullptr, args.data(), environ) != 0) {
            throw std::runtime_error("socat did not start");
        }
        for (int i = 0; i < 500 && !fs::exists(link); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        port_ = sim::OpenSerialPort(link);
        if (port_ < 0) throw std::runtime_error("socat's port did not open");
    }
    ~SocatRig() override {
        ::close(port_);
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        fs::remove_all(folder_);
    }

private:
    EchoModem modem_;
    fs::path folder_;
    pid_t pid_ = -1;
};

bool HaveSocat() {
    return ::access("/usr/bin/socat", X_OK) == 0;
}

double Percentile(std::vector<double>& samples, unsigned percent) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, samples.size() * percent / 100)];
}

// Both relays side by side, taking turns pass by pass, so that whatever else
// the machine runs weighs on both alike. Each iteration is one pass through
// the client and one through socat; the counters give each one's figures.

// Bytes per second both ways: 64 KiB a pass with 2 KiB in flight.
void BM_Throughput(benchmark::State& state) {
    if (!HaveSocat()) {
        state.SkipWithError("no socat");
        return;
    }
    ClientRig client;
    SocatRig socat;
    constexpr std::size_t kPass = 64 * 1024;
    std::vector<std::uint8_t> buffer;
    double clientSeconds = 0, socatSeconds = 0;
    std::int64_t lost = 0;
    for (auto _ : state) {
        for (Rig* rig : {static_cast<Rig*>(&client), static_cast<Rig*>(&socat)}) {
            const auto start = Clock::now();
            if (!Stream(rig->Port(), kPass, 2048, buffer)) ++lost;
            const double took = std::chrono::duration<double>(Clock::now() - start).count();
            (rig == &client ? clientSeconds : socatSeconds) += took;
        }
    }
    const double bytes = static_cast<double>(state.iterations()) * kPass;
    state.counters["client_MBps"] = bytes / clientSeconds / 1e6;
    state.counters["socat_MBps"] = bytes / socatSeconds / 1e6;
    state.counters["lost_passes"] = static_cast<double>(lost);
}

// The round trip of a 16-byte request: median and 99th percentile.
void BM_RoundTrip16(benchmark::State& state) {
    if (!HaveSocat()) {
        state.SkipWithError("no socat");
        return;
    }
    ClientRig client;
    SocatRig socat;
    std::vector<std::uint8_t> request(16, 0x5A), back;
    std::vector<double> clientMicros, socatMicros;
    std::int64_t lost = 0;
    for (auto _ : state) {
        for (Rig* rig : {static_cast<Rig*>(&client), static_cast<Rig*>(&socat)}) {
            const auto start = Clock::now();
            const bool ok = RoundTrip(rig->Port(), request, back);
            const double took = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            if (!ok)
                ++lost;
            else
                (rig == &client ? clientMicros : socatMicros).push_back(took);
        }
    }
    state.counters["client_median_us"] = Percentile(clientMicros, 50);
    state.counters["client_p99_us"] = Percentile(clientMicros, 99);
    state.counters["socat_median_us"] = Percentile(socatMicros, 50);
    state.counters["socat_p99_us"] = Percentile(socatMicros, 99);
    state.counters["lost"] = static_cast<double>(lost);
}

BENCHMARK(BM_Throughput)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_RoundTrip16)->Iterations(10000)->UseRealTime();

}  // namespace
}  // namespace dlk

BENCHMARK_MAIN();
