// The behaviour and bullet passes over a full world table with a realistic mix: firing
// enemies and turrets, rays, trailing rays and their trail pieces, free flights, homing
// bullets and explosions, the ship parked mid-screen. Each iteration first puts the table
// back (BM_RestoreTable in bench_world.cpp measures that part alone).
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <cstring>
#include <vector>

#include "krdxlib/geometry.h"
#include "shell/screens.h"
#include "world/bullets.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {

void DefineKinds() {
    const int32_t fine[] = {91, 104, 116, 126, 129, 134};
    for (int32_t k = 80; k < 192; ++k) {
        TEnemyType& t = EnemyTypes[k];
        t = {};
        t.HitPoints = 10;
        t.InitialState = StateActive;
        t.ContactKind = ContactDeadly;
        t.ShotResponse = ShotsDamage;
        t.TightLeft = t.TightRight = t.TightTop = t.TightBottom = 1;
        for (int32_t f : fine) t.FinePosition |= f == k && f != 91;
    }
}

// 193 busy slots: 48 enemies, 80 rays, 10 trailing rays with 20 trail pieces, 20 free
// flights, 10 homing bullets, 5 explosions.
std::vector<TWorldObject> MixedTable() {
    QuietWorld();
    DefineKinds();
    StageNo = 1;
    for (auto& ev : StageMap.Timeline) ev.Position = TimelineNever;
    Players[0].X = 80;
    Players[0].Y = 120;
    Players[0].ShipState = ShipFlying;
    const int32_t enemyKinds[] = {80, 81,  82,  83,  84,  86,  87,  89,  90,  91,
                                  93, 101, 104, 114, 115, 116, 126, 128, 129, 134};
    for (int32_t i = 0; i < 48; ++i) {
        const int32_t kind = enemyKinds[i % 20];
        const int32_t slot = SpawnObject(120 + (i * 37) % 180, 30 + (i * 53) % 180, kind, i % 3);
        // Ages just before a volley, so that many of them fire in the measured frame.
        Objects[slot].Age = (i % 4 == 0) ? 119 : 59 + i;
    }
    ClassSettings[0] = ClassSettings[1] = ClassSettings[2] = ClassSettings[3] = ClassNormal;
    for (int32_t i = 0; i < 80; ++i) {
        FireBullet(100 + i * 2, 40 + i,
                   {.Kind = KindFirstBullet + i % 5,
                    .Speed = 16 + i % 32,
                    .Look = static_cast<uint32_t>(i % 4),
                    .Angle = i * 13,
                    .Hells = false});
    }
    for (int32_t i = 0; i < 10; ++i) {
        FireBullet(200, 20 + i * 20,
                   {.Kind = BulletKind::TrailRay,
                    .Speed = 64,
                    .Look = 1,
                    .Angle = 500 + i,
                    .Hells = false});
        FireBullet(190, 20 + i * 20,
                   {.Kind = BulletKind::TrailPiece,
                    .Class = 3,
                    .Look = 1,
                    .Angle = 500 + i,
                    .Mode = 16,
                    .Hells = false});
        FireBullet(180, 20 + i * 20,
                   {.Kind = BulletKind::TrailPiece,
                    .Class = 3,
                    .Look = 1,
                    .Angle = 500 + i,
                    .Mode = 16,
                    .Hells = false});
    }
    const int32_t modes[] = {ModeBounce, ModeTurning, ModeAimLate, ModeCurving};
    for (int32_t i = 0; i < 20; ++i) {
        FireBullet(150 + i * 3, 60 + i * 5,
                   {.Kind = i % 2 ? BulletKind::TrailCrystal : BulletKind::Crystal,
                    .Speed = 32,
                    .Look = 1,
                    .Angle = i * 50,
                    .Mode = modes[i % 4],
                    .ModeValue = 3,
                    .Hells = false});
    }
    for (int32_t i = 0; i < 10; ++i) {
        FireBullet(250, 30 + i * 18,
                   {.Kind = BulletKind::Homing,
                    .Speed = 48,
                    .Class = 3,
                    .Look = 1,
                    .Angle = i * 100,
                    .Hells = false});
    }
    for (int32_t i = 0; i < 5; ++i) {
        const int32_t slot = FindFreeSlot(FirstWorldSlot, LastWorldSlot).first;
        TWorldObject& o = Objects[slot];
        o = {};
        o.Kind = EffectKind::LargeExplosion;
        o.X = 240;
        o.Y = 40 + i * 40;
        o.FineX = o.X * 16;
        o.FineY = o.Y * 16;
        o.Parent = ShootBackS;
    }
    // Whatever is left is more rays, so that the table is full.
    while (FindFreeSlot(FirstWorldSlot, LastWorldSlot).second) {
        FireBullet(300, 120,
                   {.Kind = BulletKind::Needle, .Speed = 24, .Angle = 512, .Hells = false});
    }
    return {Objects, Objects + ObjectCount};
}

void BM_BehaviourAndBulletPasses(benchmark::State& state) {
    const std::vector<TWorldObject> full = MixedTable();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), full.data(), sizeof Objects);
        BehaviourPass();
        BulletPass();
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_BehaviourAndBulletPasses);

void BM_ItemBehaviourAndBulletPasses(benchmark::State& state) {
    const std::vector<TWorldObject> full = MixedTable();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), full.data(), sizeof Objects);
        ItemPass();
        BehaviourPass();
        BulletPass();
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_ItemBehaviourAndBulletPasses);

// The whole frame update of a game run on the same table.
void BM_FrameUpdateMixedTable(benchmark::State& state) {
    const std::vector<TWorldObject> full = MixedTable();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(Objects), full.data(), sizeof Objects);
        UpdateGameRun();
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_FrameUpdateMixedTable);

}  // namespace
