// How fast the settings store takes writes with every commit synced to disk, and how fast it reads.
#include "settings/RegistryStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();
