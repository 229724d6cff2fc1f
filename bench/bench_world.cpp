// One frame update of a game run with all 193 world slots busy, with the passes that exist.
// Each iteration first puts the full table back (BM_RestoreTable alone measures that part).
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <cstring>
#include <vector>

#include "krdxlib/geometry.h"
#include "shell/screens.h"
#include "world/objects.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {

std::vector<TWorldObject> FullTable() {
    QuietWorld();
    for (int32_t k = 80; k < 200; ++k) {
        TEnemyType& t = EnemyTypes[k];
        t.HitPoints = 10;
        t.InitialState = StateActive;
        t.ContactKind = ContactDeadly;
        t.ShotResponse = ShotsDamage;
        t.ScrollsWithMap = k % 3 == 0;
        t.FinePosition = k % 2 == 0;
        t.BoxLeft = t.BoxTop = -8;
        t.BoxRight = t.BoxBottom = 8;
    }
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        SpawnObject(20 + s % 280, 20 + (s * 7) % 200, 80 + s % 50, 0);
    }
    for (auto& ev : StageMap.Timeline) ev.Position = TimelineNever;
    StageNo = 2;
    StagePhase = 0;
    HasTerrain = 1;
    ScrollSpeedX = 12;
    LoopStart = 256;
    LoopLength = 1024;
    return {Objects, Objects + ObjectCount};
}

void BM_FrameUpdateFullTable(benchmark::State& state) {
    const std::vector<TWorldObject> full = FullTable();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), full.data(), sizeof Objects);
        UpdateGameRun();
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_FrameUpdateFullTable);

void BM_RestoreTable(benchmark::State& state) {
    const std::vector<TWorldObject> full = FullTable();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), full.data(), sizeof Objects);
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_RestoreTable);

}  // namespace
