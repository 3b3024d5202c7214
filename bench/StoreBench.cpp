// How fast the settings store takes writes with every commit synced to disk, and how fast it reads.
// First prints `settings_load_ms <median>`: what a program's start costs in reading its saved settings
// (every option, both scan lists and the profiles), each time on a store freshly opened from the file.
// Run: build/bench/store_bench [--benchmark_filter=...]
#include "settings/ProfileBook.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using vantrel::settings::RegistryStore;
using vantrel::settings::StoreLocation;

void BM_DurableWriteProfileInt(benchmark::State& state) {
    QTemporaryDir dir;
    auto store = RegistryStore::open(StoreLocation{dir.path()});
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            store->WriteProfileInt(QStringLiteral("Options"), QStringLiteral("Packets"), ++value));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DurableWriteProfileInt)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_DurableWriteNewListEntry(benchmark::State& state) {
    QTemporaryDir dir;
    auto store = RegistryStore::open(StoreLocation{dir.path()});
    int n = 0;
    for (auto _ : state) {
        const QString address = QStringLiteral("10.0.%1.%2").arg(n / 256).arg(n % 256);
        ++n;
        benchmark::DoNotOptimize(
            store->WriteProfileString(QStringLiteral("ListScan\\Hosts"), address, address));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DurableWriteNewListEntry)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_GetProfileString(benchmark::State& state) {
    QTemporaryDir dir;
    auto store = RegistryStore::open(StoreLocation{dir.path()});
    store->WriteProfileString(QStringLiteral("Options"), QStringLiteral("Log String"),
                              QStringLiteral("Vtrlog.rtf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            store->GetProfileString(QStringLiteral("Options"), QStringLiteral("log string"), QString()));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetProfileString)->Unit(benchmark::kMicrosecond);

// A store as a user's looks after a while: every option saved, a few list entries, groups and profiles.
void fillSavedStore(RegistryStore& store) {
    using namespace vantrel::settings;
    OptionSet options = OptionSet::defaults();
    options.setNumber(OptionId::Packets, 20);
    options.setNumber(OptionId::ListScanAutoSort, 1);
    options.setNumber(OptionId::AutoSort, 1);
    options.setText(OptionId::ISPAddress, QStringLiteral("isp.example.net"));
    SaveSettings(store, options);
    for (int i = 0; i < 8; ++i) {
        const QString address = QStringLiteral("192.0.2.%1").arg(10 + i);
        store.WriteProfileString(section::kListScanHosts, address, address);
        store.WriteProfileString(section::kProfiles, QStringLiteral("Host %1").arg(i), address);
    }
    for (int i = 0; i < 3; ++i) {
        const QString group = QStringLiteral("Lab %1").arg(i);
        store.WriteProfileString(section::kSeqScan + QLatin1Char('\\') + group, QStringLiteral("START1"),
                                 QStringLiteral("10"));
        store.WriteProfileString(section::kSeqScan, group, group);
    }
}

// What a start reads: LoadSettings, then the profiles as the Profile Manager lists them.
void loadAtStart(RegistryStore& store) {
    using namespace vantrel::settings;
    const LoadedSettings loaded = LoadSettings(store);
    ProfileBook book(store);
    book.load(loaded.options.isOn(OptionId::AutoSort), kNameColumn);
    benchmark::DoNotOptimize(book.size());
}

void printSettingsLoad() {
    QTemporaryDir dir;
    fillSavedStore(*RegistryStore::open(StoreLocation{dir.path()}));
    constexpr int kRuns = 301;
    std::vector<double> times;
    times.reserve(kRuns);
    for (int run = 0; run < kRuns; ++run) {
        const auto store = RegistryStore::open(StoreLocation{dir.path()});
        const auto start = std::chrono::steady_clock::now();
        loadAtStart(*store);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    std::printf("settings_load_ms %.4f\n", times[kRuns / 2]);
    std::fflush(stdout);
}

void BM_SettingsLoadOnOpenStore(benchmark::State& state) {
    QTemporaryDir dir;
    auto store = RegistryStore::open(StoreLocation{dir.path()});
    fillSavedStore(*store);
    for (auto _ : state)
        loadAtStart(*store);
}
BENCHMARK(BM_SettingsLoadOnOpenStore)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    printSettingsLoad();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
