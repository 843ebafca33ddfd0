// The window thread's cost of a crowd of modems coming on at once: the
// table is filled as the receiver fills it, then the window handles the
// modem-state changes. "per_message" is how the window used to do it, kept
// here only for comparison: for every change its own look-up in the modems
// file, a sort of the whole table under TableLock, a paint and a tip.
// "batched" is what the window does now: the waiting changes taken at once,
// one reading of the file for the new entries, one sort of a copy, one
// paint, one tip.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "client/app/modem_list_render.h"
#include "client/core/link/link_messages.h"
#include "client/core/link/modem_state_queue.h"
#include "client/core/list/list_frame.h"
#include "client/core/list/modem_sort.h"
#include "client/core/settings/modem_settings_lookup.h"
#include "client/core/settings/modems_file.h"
#include "client/core/table/pause_rules.h"
#include "client/testing/modem_burst.h"
#include "platform/files/file_replace.h"

namespace dlk::client {
namespace {

namespace fs = std::filesystem;

const std::array<int, kModemListColumns> kWidths = {150, 120, 60, 60, 60, 60, 120};
constexpr int kClientWidth = 704;
constexpr int kClientHeight = 201;  // the window's first size, below its header

// A modems file with a record for every tenth modem of the crowd.
class ModemsFile {
public:
    explicit ModemsFile(std::uint32_t modems) {
        std::string pattern = (fs::temp_directory_path() / "dlk_bench_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        std::vector<std::uint8_t> bytes;
        for (std::uint32_t i = 0; i < modems; i += 10) {
            ModemUserSettings s;
            s.Name = MakeShortString<31>("modem " + std::to_string(i));
            s.PausedAtStart = 0;
            const ImeiBcd imei = sim::CrowdImei(i);
            const auto encoded = EncodeModemSettings(s);
            bytes.insert(bytes.end(), imei.begin(), imei.end());
            bytes.insert(bytes.end(), encoded.begin(), encoded.end());
            bytes.resize(bytes.size() + kModemRecordSize - 8 - kModemSettingsSize, 0);
        }
        std::string error;
        WriteFileAtomically(Path(), bytes, 0600, &error);
    }
    ~ModemsFile() { fs::remove_all(folder_); }
    fs::path Path() const { return folder_ / kModemsFileName; }

private:
    fs::path folder_;
};

// The receiver's part: every modem announced, and the changes queued.
void HearCrowd(ModemTable& table, ModemStateQueue& queue, std::uint32_t modems) {
    std::lock_guard lock(table.TableLock);
    for (std::uint32_t i = 0; i < modems; ++i) {
        const auto notice =
            table.ApplyAnnouncement({true, 0x55, sim::CrowdImei(i), MakeEndpoint(10, 0, 0, 1, 4000)}, 0.5);
        if (notice) queue.Push(1, *notice);
    }
}

// What painting the shown list costs the window thread.
void Paint(ModemTable& table) {
    ListFrame frame;
    {
        std::lock_guard lock(table.TableLock);
        TakeListFrame(table, kClientWidth, kClientHeight, frame);
    }
    auto surface = RenderModemList(frame, kWidths);
    benchmark::DoNotOptimize(surface->Image().constBits());
}

std::string Tip(ModemTable& table) {
    std::lock_guard lock(table.TableLock);
    return OnlineTip(table.OnlineCount);
}

// The look-up as it was: the whole file read again for every new entry.
void LookUpOneByOne(ModemTable& table, std::uint16_t index, const fs::path& file) {
    ImeiBcd imei;
    {
        std::lock_guard lock(table.TableLock);
        imei = table.Entries[index].Imei;
    }
    const auto stored = FindModemSettings(file, imei);
    if (!stored) return;
    std::lock_guard lock(table.TableLock);
    SetUserSettings(table.Entries[index], *stored);
    ApplyPauseRuleToKnownNewModem(table, index, 0);
}

void PerMessage(ModemTable& table, ModemStateQueue& queue, const fs::path& file) {
    std::vector<ModemStateQueue::Item> items;
    queue.TakeAll(items);  // stands for the messages, each taken on its own
    for (const ModemStateQueue::Item& item : items) {
        if (item.Notice.Change == ModemStateChange::New) LookUpOneByOne(table, item.Notice.Index, file);
        {
            std::lock_guard lock(table.TableLock);
            SortModems(table, table.SortColumn);
        }
        Paint(table);
        benchmark::DoNotOptimize(Tip(table));
    }
}

void Batched(ModemTable& table, ModemStateQueue& queue, const fs::path& file) {
    std::vector<ModemStateQueue::Item> items;
    std::vector<std::uint16_t> fresh;
    std::vector<ModemEntry> sortCopy;
    queue.TakeAll(items);
    for (const ModemStateQueue::Item& item : items)
        if (item.Notice.Change == ModemStateChange::New) fresh.push_back(item.Notice.Index);
    LookUpModemSettings(table, fresh, 0, file);
    SortModemsOnCopy(table, sortCopy);
    Paint(table);
    benchmark::DoNotOptimize(Tip(table));
}

template <void (*Handle)(ModemTable&, ModemStateQueue&, const fs::path&)>
void BM_WindowModemsComingOn(benchmark::State& state) {
    const auto modems = static_cast<std::uint32_t>(state.range(0));
    const ModemsFile file(modems);
    for (auto _ : state) {
        state.PauseTiming();
        ModemTable table;
        ModemStateQueue queue;
        HearCrowd(table, queue, modems);
        state.ResumeTiming();
        Handle(table, queue, file.Path());
        benchmark::DoNotOptimize(table.Entries.data());
    }
    state.counters["modems"] = modems;
}

void BM_WindowModemsComingOn_per_message(benchmark::State& state) {
    BM_WindowModemsComingOn<PerMessage>(state);
}
void BM_WindowModemsComingOn_batched(benchmark::State& state) {
    BM_WindowModemsComingOn<Batched>(state);
}
// The two side by side for each crowd.
BENCHMARK(BM_WindowModemsComingOn_per_message)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowModemsComingOn_batched)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowModemsComingOn_per_message)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowModemsComingOn_batched)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dlk::client
