// Saving a play and restoring it, together: what a look-ahead pays per move it tries.
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <memory>

#include "world/objects.h"
#include "world/snapshot.h"
#include "world/spawn.h"

namespace {

void BM_SnapshotSaveRestore(benchmark::State& state) {
    QuietWorld();
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        SpawnObject(20 + s % 280, 20 + (s * 7) % 200, KindFirstEnemy + s % 50, 0);
    }
    const auto snapshot = std::make_unique<TPlaySnapshot>();
    for (auto _ : state) {
        SavePlay(*snapshot);
        benchmark::DoNotOptimize(snapshot.get());
        RestorePlay(*snapshot);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SnapshotSaveRestore);

}  // namespace
