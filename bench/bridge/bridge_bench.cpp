// What the client's bridge costs a local program: bytes per second, bytes
// lost, CPU time per megabyte and the round trip of a 16-byte request, from
// the program's serial port through the client to a modem on loopback UDP
// that echoes, and back. Plain socat relays from a pseudo-terminal to the
// same echoing peer run beside it as the reference: with socat's own
// datagram size, and with -b 255, the protocol's largest chunk.

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
#include <fstream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "client/core/bridge/serial_port.h"
#include "client/core/link/client_link.h"
#include "client/core/table/pause_rules.h"
#include "client/testing/local_program_port.h"
#include "client/testing/recording_observer.h"
#include "platform/net/udp_socket.h"

extern char** environ;

namespace dlk::client {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A modem that answers every chunk with the same bytes: as a data packet to
// the client, or bare to a plain relay.
class EchoModem {
public:
    explicit EchoModem(bool dataPackets) : data_packets_(dataPackets) {
        if (socket_.Open() != 0 || socket_.Bind(0) != 0) throw std::runtime_error("echo socket");
        // The modem is no part of what is measured: it must not lose a burst.
        socket_.SetReceiveBuffer(4 << 20);
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
        std::vector<std::uint8_t> buffer(65536);
        while (!stop_) {
            const auto got = socket_.Receive(std::span(buffer).subspan(1));
            if (got.Status != ReceiveStatus::Datagram) continue;
            if (data_packets_) {
                buffer[0] = 0x00;
                socket_.SendTo(std::span(buffer).first(got.Length + 1), got.Source);
            } else {
                socket_.SendTo(std::span(buffer).subspan(1, got.Length), got.Source);
            }
        }
    }

    const bool data_packets_;
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

// Streams total bytes through the echo with at most window bytes in flight.
// Returns the bytes lost on the way: what had not come back once nothing
// more came for a second.
std::size_t Stream(int port, std::size_t total, std::size_t window, std::vector<std::uint8_t>& buffer) {
    buffer.resize(std::max<std::size_t>(buffer.size(), 16384));
    std::size_t sent = 0, got = 0;
    while (got < total) {
        const bool canSend = sent < total && sent - got < window;
        pollfd p{port, static_cast<short>(POLLIN | (canSend ? POLLOUT : 0)), 0};
        if (::poll(&p, 1, 1000) <= 0) {
            tcflush(port, TCIOFLUSH);
            return sent - got;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(port, buffer.data(), buffer.size());
            if (n <= 0) return sent - got;
            got += static_cast<std::size_t>(n);
        }
        if (canSend && (p.revents & POLLOUT)) {
            const std::size_t length = std::min({window - (sent - got), total - sent, std::size_t{1024}});
            const ssize_t n = ::write(port, buffer.data(), length);
            if (n < 0) return sent - got;
            sent += static_cast<std::size_t>(n);
        }
    }
    return 0;
}

// CPU time in nanoseconds a thread or process has run, from the scheduler's
// account (finer than the clock ticks of /proc/.../stat).
std::uint64_t RunTimeNs(const fs::path& schedstat) {
    std::ifstream in(schedstat);
    std::uint64_t ns = 0;
    in >> ns;
    return ns;
}

// The client's own threads, by the names its workers give themselves.
std::uint64_t ClientThreadsNs() {
    std::uint64_t ns = 0;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/self/task", error)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name == "UDP_port" || name == "serial_port") ns += RunTimeNs(task.path() / "schedstat");
    }
    return ns;
}

// A local program's view: a serial port whose bytes come back echoed.
class Rig {
public:
    virtual ~Rig() = default;
    int Port() const { return port_; }
    // CPU time the relay itself has used so far.
    virtual std::uint64_t CpuNs() const = 0;

protected:
    int port_ = -1;
};

class ClientRig : public Rig {
public:
    // others: modems on-line but paused, known before the echoing one, which
    // is the table's last entry.
    explicit ClientRig(std::size_t others = 0)
        : folder_(MakeFolder()), side_((folder_ / "CNCB0").string()), modem_(true) {
        for (std::size_t i = 0; i < others; ++i) {
            const ImeiBcd imei{0x35,
                               0x01,
                               0,
                               static_cast<std::uint8_t>(i >> 16),
                               static_cast<std::uint8_t>(i >> 8),
                               static_cast<std::uint8_t>(i),
                               0,
                               0};
            table_.ApplyAnnouncement(
                {true, 0x0F, imei,
                 MakeEndpoint(10, static_cast<std::uint8_t>(i >> 16), static_cast<std::uint8_t>(i >> 8),
                              static_cast<std::uint8_t>(i), 4000)},
                0.5);
        }
        LinkSettings settings;
        settings.LocalPort = 0;
        settings.NullModemMode = 1;
        settings.OneModemActive = 0;
        if (!link_.OpenLink(settings, side_).Ok()) throw std::runtime_error("link did not open");
        modem_.Announce(LoopbackEndpoint(link_.BoundPort()));
        for (int i = 0; i < 1000; ++i) {
            std::lock_guard lock(table_.TableLock);
            if (table_.Entries.size() > others) {
                ClickPause(table_, static_cast<std::uint16_t>(others), 0);
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
    std::uint64_t CpuNs() const override { return ClientThreadsNs(); }
    std::uint64_t DroppedBlocks() const { return side_.DroppedBlocks(); }

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
    // blockSize 0: socat's own.
    explicit SocatRig(std::size_t blockSize = 0) : modem_(false) {
        std::string pattern = (fs::temp_directory_path() / "dlk_bench_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        const std::string link = (folder_ / "ref").string();
        std::vector<std::string> argv = {"/usr/bin/socat"};
        if (blockSize != 0) {
            argv.push_back("-b");
            argv.push_back(std::to_string(blockSize));
        }
        argv.push_back("PTY,link=" + link + ",raw,echo=0");
        argv.push_back("UDP:127.0.0.1:" + std::to_string(modem_.Port()));
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
    std::uint64_t CpuNs() const override { return RunTimeNs("/proc/" + std::to_string(pid_) + "/schedstat"); }

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

// The three relays side by side, taking turns pass by pass, so that
// whatever else the machine runs weighs on all alike. Each iteration is one
// pass through each; the counters give each one's figures, under these names.
constexpr const char* kRelayNames[] = {"client", "socat", "socat255"};
constexpr std::size_t kRelays = std::size(kRelayNames);

struct RelayFigures {
    double Seconds = 0;
    std::uint64_t CpuNs = 0;
    std::uint64_t Lost = 0;
};

// One pass of bytes through each rig in turn, added to that rig's figures.
void StreamThroughEach(Rig* const* rigs, RelayFigures* figures, std::size_t count, std::size_t bytes,
                       std::size_t window, std::vector<std::uint8_t>& buffer) {
    for (std::size_t r = 0; r < count; ++r) {
        const std::uint64_t cpu = rigs[r]->CpuNs();
        const auto start = Clock::now();
        figures[r].Lost += Stream(rigs[r]->Port(), bytes, window, buffer);
        figures[r].Seconds += std::chrono::duration<double>(Clock::now() - start).count();
        figures[r].CpuNs += rigs[r]->CpuNs() - cpu;
    }
}

// Bytes per second both ways with the given window in flight, bytes lost,
// and the relay's CPU time per megabyte carried.
void BM_Throughput(benchmark::State& state) {
    if (!HaveSocat()) {
        state.SkipWithError("no socat");
        return;
    }
    const auto window = static_cast<std::size_t>(state.range(0));
    ClientRig client;
    SocatRig socat;
    SocatRig socat255(kMaxChunk);
    Rig* rigs[] = {&client, &socat, &socat255};
    RelayFigures figures[kRelays];
    constexpr std::size_t kPass = 256 * 1024;
    std::vector<std::uint8_t> buffer;
    for (auto _ : state) StreamThroughEach(rigs, figures, kRelays, kPass, window, buffer);
    const double megabytes = static_cast<double>(state.iterations()) * kPass / 1e6;
    for (std::size_t r = 0; r < kRelays; ++r) {
        const std::string name = kRelayNames[r];
        state.counters[name + "_MBps"] = megabytes / figures[r].Seconds;
        state.counters[name + "_lost_B"] = static_cast<double>(figures[r].Lost);
        state.counters[name + "_cpu_ms_per_MB"] = static_cast<double>(figures[r].CpuNs) / 1e6 / megabytes;
    }
    state.counters["client_per_socat255"] = figures[2].Seconds / figures[0].Seconds;
    state.counters["client_per_socat"] = figures[1].Seconds / figures[0].Seconds;
    state.counters["client_dropped_blocks"] = static_cast<double>(client.DroppedBlocks());
}

// The round trip of a 16-byte request: median and 99th percentile.
void BM_RoundTrip16(benchmark::State& state) {
    if (!HaveSocat()) {
        state.SkipWithError("no socat");
        return;
    }
    ClientRig client;
    SocatRig socat;
    SocatRig socat255(kMaxChunk);
    Rig* rigs[] = {&client, &socat, &socat255};
    std::vector<double> micros[kRelays];
    std::vector<std::uint8_t> request(16, 0x5A), back;
    std::int64_t lost = 0;
    for (auto _ : state) {
        for (std::size_t r = 0; r < kRelays; ++r) {
            const auto start = Clock::now();
            const bool ok = RoundTrip(rigs[r]->Port(), request, back);
            const double took = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            if (ok) {
                micros[r].push_back(took);
            } else {
                ++lost;
            }
        }
    }
    for (std::size_t r = 0; r < kRelays; ++r) {
        const std::string name = kRelayNames[r];
        state.counters[name + "_median_us"] = Percentile(micros[r], 50);
        state.counters[name + "_p99_us"] = Percentile(micros[r], 99);
    }
    state.counters["lost"] = static_cast<double>(lost);
}

// The same stream through two clients taking turns: one that knows 10
// modems, one that knows 10,000 (all on-line, all but the echoing one
// paused). The ratio is what a crowd of modems costs the bridge.
void BM_ThroughputWithManyModems(benchmark::State& state) {
    const auto window = static_cast<std::size_t>(state.range(0));
    constexpr std::size_t kModems[] = {10, 10000};
    ClientRig few(kModems[0] - 1);
    ClientRig many(kModems[1] - 1);
    Rig* rigs[] = {&few, &many};
    RelayFigures figures[2];
    constexpr std::size_t kPass = 256 * 1024;
    std::vector<std::uint8_t> buffer;
    for (auto _ : state) StreamThroughEach(rigs, figures, 2, kPass, window, buffer);
    const double megabytes = static_cast<double>(state.iterations()) * kPass / 1e6;
    for (std::size_t r = 0; r < 2; ++r) {
        const std::string name = "modems" + std::to_string(kModems[r]);
        state.counters[name + "_MBps"] = megabytes / figures[r].Seconds;
        state.counters[name + "_lost_B"] = static_cast<double>(figures[r].Lost);
        state.counters[name + "_cpu_ms_per_MB"] = static_cast<double>(figures[r].CpuNs) / 1e6 / megabytes;
    }
    state.counters["many_per_few"] = figures[0].Seconds / figures[1].Seconds;
}

BENCHMARK(BM_ThroughputWithManyModems)->Arg(8192)->Arg(65536)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Throughput)->Arg(2048)->Arg(8192)->Arg(16384)->Arg(65536)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_RoundTrip16)->Iterations(10000)->UseRealTime();

}  // namespace
}  // namespace dlk::client

BENCHMARK_MAIN();
