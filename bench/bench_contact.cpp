// The contact pass with all 193 world slots busy: enemy bullets around the ship (some
// scratching), enemies (some solid, some deadly) under fire from all 64 shot slots. Each
// iteration first puts the tables back (BM_RestoreContactTables alone measures that part).
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <cstring>
#include <vector>

#include "audio/effects.h"
#include "krdxlib/geometry.h"
#include "world/bullets.h"
#include "world/passes.h"
#include "world/ship.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {
constexpr int32_t TargetKind = 150;
constexpr int32_t ShipX = 50, ShipY = 120;

struct TSnapshot {
    std::vector<TWorldObject> Objects;
    TPlayer Ship;
};

TSnapshot BusyWorld() {
    QuietWorld();
    SilentEffects();

    TEnemyType& t = EnemyTypes[TargetKind];
    t.HitPoints = 1 << 30;  // never destroyed while measured
    t.InitialState = StateActive;
    t.ShotResponse = ShotsDamage;
    t.BoxLeft = t.BoxTop = -8;
    t.BoxRight = t.BoxBottom = 8;

    TPlayer& p = Players[0];
    NewLife(0);
    p.X = ShipX;
    p.Y = ShipY;
    p.ShipState = ShipFlying;
    p.Invulnerable = 0;
    p.AnchorWeaponLevel = 28;
    DockPoint(p, p.AnchorX, p.AnchorY);

    // 97 enemies in a grid over the right of the field, 96 bullets round the ship.
    for (int32_t i = 0; i < 97; ++i) {
        const int32_t s = SpawnObject(112 + (i % 10) * 21, 12 + (i / 10) * 21, TargetKind, 0);
        if (i % 10 == 3) Objects[s].ContactKind = ContactSolid;
        if (i % 10 == 7) Objects[s].ContactKind = ContactDeadly;
        if (i % 10 == 5) Objects[s].ShotResponse = ShotsStopped;
    }
    for (int32_t i = 0; i < 96; ++i) {
        const int32_t dx = (i * 7) % 61 - 30, dy = (i * 11) % 61 - 30;
        const bool tooClose = dx > -6 && dx < 6 && dy > -6 && dy < 6;
        FireBullet(ShipX + (tooClose ? 40 : dx), ShipY + dy,
                   {.Kind = KindFirstBullet + i % 16,
                    .Look = static_cast<uint32_t>(i % 9),
                    .Hells = false});
    }
    // Every shot slot busy: main shots, wide and bound shots on the enemies, and a few
    // anchor trails and drills that pierce.
    for (int32_t s = 0; s <= LastShotSlot; ++s) {
        const TWorldObject& e = Objects[FirstWorldSlot + (s * 3) % 97];
        const int32_t kinds[] = {16, 18, 25, 26, 16, 18, 23, 39};
        PlaceShot(s, kinds[s % 8], e.X + s % 5 - 2, e.Y, 112, 0, s % 3 == 0 ? s - 1 : s);
    }
    return {{Objects, Objects + ObjectCount}, p};
}

void Restore(const TSnapshot& snap) {
    std::memcpy(static_cast<void*>(Objects), snap.Objects.data(),
                snap.Objects.size() * sizeof(TWorldObject));
    Players[0] = snap.Ship;
    for (TEffect& e : Effects) e.Kind = 0;
}

void BM_ContactPass(benchmark::State& state) {
    const TSnapshot snap = BusyWorld();
    for (auto _ : state) {
        Restore(snap);
        ScratchCounter = 0;
        ContactPass();
        benchmark::DoNotOptimize(Objects);
        benchmark::DoNotOptimize(Players);
    }
}
BENCHMARK(BM_ContactPass)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RestoreContactTables(benchmark::State& state) {
    const TSnapshot snap = BusyWorld();
    for (auto _ : state) {
        Restore(snap);
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_RestoreContactTables)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
