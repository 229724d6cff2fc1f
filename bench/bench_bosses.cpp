// One frame update of each boss fight at its busiest: the boss with all its parts, chains
// or body, on a frame where it fires, and every other world slot holding a flying bullet.
// Each iteration first puts the table and registers back; the median of five repetitions
// is the figure.
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <cstring>
#include <vector>

#include "krdxlib/geometry.h"
#include "shell/screens.h"
#include "world/bosses.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {

struct Snapshot {
    std::vector<TWorldObject> objects;
    std::vector<TPathPoint> path;
    int32_t regA = 0, regB = 0, head = 0;
};

void DefineKinds() {
    for (int32_t k = 80; k < 200; ++k) {
        TEnemyType& t = EnemyTypes[k];
        t.HitPoints = 1000;
        t.InitialState = StateActive;
        t.ContactKind = ContactDeadly;
        t.ShotResponse = ShotsDamage;
        t.BoxLeft = t.BoxTop = -8;
        t.BoxRight = t.BoxBottom = 8;
    }
    for (int32_t k : {126, 194, 195, 198}) EnemyTypes[k].FinePosition = 1;
}

// The boss of kind at (x, y), active at age, then bullets in every free slot.
Snapshot Fight(int32_t kind, int32_t x, int32_t y, int32_t age) {
    QuietWorld();
    DefineKinds();
    for (auto& ev : StageMap.Timeline) ev.Position = TimelineNever;
    StageNo = kind == 198 ? 2 : kind == 193 ? 1 : 5;
    StagePhase = PhaseBossFight;
    Players[0].X = 60;
    Players[0].Y = 120;
    const int32_t boss = SpawnObject(x, y, kind, 0);
    Objects[boss].State = StateActive;
    if (kind == 198) WorldRegA = TrailStrafing;
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind >= KindFirstEnemy) o.Age = age;
    }
    for (int32_t n = 0; FindFreeSlot(FirstWorldSlot, LastWorldSlot).second; ++n) {
        FireBullet(20 + (n * 37) % 280, 20 + (n * 53) % 200,
                   {.Kind = BulletKind::Needle,
                    .Speed = 8,
                    .Look = 1,
                    .Angle = (n * 97) % 1024,
                    .Hells = false});
    }
    return {{Objects, Objects + ObjectCount},
            {PathRing, PathRing + PathRingSize},
            WorldRegA,
            WorldRegB,
            PathHead};
}

void RunFight(benchmark::State& state, int32_t kind, int32_t x, int32_t y, int32_t age) {
    const Snapshot snap = Fight(kind, x, y, age);
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), snap.objects.data(), sizeof Objects);
        std::memcpy(static_cast<void*>(PathRing), snap.path.data(), sizeof PathRing);
        WorldRegA = snap.regA;
        WorldRegB = snap.regB;
        PathHead = snap.head;
        UpdateGameRun();
        benchmark::DoNotOptimize(Objects);
    }
}

// 192 in phase 9 just before its burst of 33 (age 2209 becomes 2210 in the frame).
void BM_BossCraft(benchmark::State& state) {
    RunFight(state, 192, 240, 120, 2209);
}
// 193 with its fourteen parts.
void BM_BossFortress(benchmark::State& state) {
    RunFight(state, 193, 239, 120, 100);
}
// 194 with both chains whole, each tip firing (age 44 becomes 45).
void BM_BossChains(benchmark::State& state) {
    RunFight(state, 194, 220, 120, 44);
}
// 198 strafing (age 59 becomes 60: sideways volley and the aimed bullet) with its body.
void BM_BossTrail(benchmark::State& state) {
    RunFight(state, 198, 160, 120, 59);
}

BENCHMARK(BM_BossCraft)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BossFortress)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BossChains)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BossTrail)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
