#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "server_edit/app/unit1.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

// A folder with the server file, no modems and `count` clients.
void WriteClients(const dlk::testing::TempFolder& folder, int count) {
    std::vector<std::uint8_t> users;
    users.reserve(std::size_t(count) * kAccountRecordSize);
    for (int i = 0; i < count; ++i) {
        const std::string id = std::to_string(100000 + i);
        const auto record = testing::MakeClient(std::uint8_t(i), id, "client " + id, "pw" + id).Bytes;
        users.insert(users.end(), record.begin(), record.end());
    }
    folder.Write(kUsersFileName, users);
    folder.Write(kModemsFileName, {});
    folder.Write(kServerFileName, {0x5A, 0x40, 0x1F});
}

// The window opening over the files: what the user waits for at start.
void BM_OpenEditor(benchmark::State& state) {
    dlk::testing::TempFolder folder;
    WriteClients(folder, int(state.range(0)));
    for (auto _ : state) {
        auto* form = new TForm1(nullptr, folder.path());
        benchmark::DoNotOptimize(form->ListView1->ItemCount());
        state.PauseTiming();
        delete form;
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenEditor)->Arg(10000)->Arg(20000)->Arg(40000)->Arg(80000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace dlk::server_edit
