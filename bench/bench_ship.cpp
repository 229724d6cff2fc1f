// The ship update and the ship-shot pass with all 64 shot slots busy, on a terrain map,
// the ship firing continuously. Each iteration first puts the slots and the ship back
// (BM_RestoreShipSlots alone measures that part).
#include <benchmark/benchmark.h>

#include "bench_setup.h"

#include <cstring>
#include <vector>

#include "audio/effects.h"
#include "krdxlib/geometry.h"
#include "world/passes.h"
#include "world/ship.h"
#include "world/state.h"
#include "world/step.h"
#include "zvrandom.h"

namespace {

struct TSnapshot {
    std::vector<TWorldObject> Shots;
    TPlayer Ship;
};

TSnapshot BusyShots() {
    QuietWorld();
    SilentEffects();

    // A cavern: ceiling and floor rows, some pillars.
    HasTerrain = 1;
    StageMap.TileAttributes[1] = TileSolidBit;
    for (int32_t c = 0; c < SolidColumns; ++c) {
        StageMap.TileMap[c * TileColumnBytes + 0] = 1;
        StageMap.TileMap[c * TileColumnBytes + 13] = 1;
        if (c % 9 == 0) StageMap.TileMap[c * TileColumnBytes + 6] = 1;
    }

    TPlayer& p = Players[0];
    p.MoveSpeeds[0] = p.MoveSpeeds[2] = 3;
    p.MoveSpeeds[1] = 2;
    p.MoveSpeeds[3] = 1;
    p.HeadingTurnSpeed = 32;
    p.OrbitTurnSpeed = 16;
    NewLife(0);
    p.X = 100;
    p.Y = 120;
    p.ShipState = ShipFlying;
    p.Invulnerable = 0;  // no sparkles filling the effect table over the iterations
    p.MainShotLevel = 10;
    p.AnchorWeaponLevel = 24;
    DockPoint(p, p.AnchorX, p.AnchorY);

    // Every shot slot busy with a mix of kinds, each with its own step.
    const int32_t kinds[] = {16, 18, 22, 23, 25, 26, 32, 33, 37, 39, 40, 44};
    for (int32_t s = 0; s <= LastShotSlot; ++s) {
        const int32_t kind = kinds[s % 12];
        PlaceShot(s, kind, 20 + (s * 37) % 280, 20 + (s * 53) % 200, 48 - s, (s % 7) * 8 - 24, s,
                  kind == ShotKind::GroundMissile ? 3 : 8);
    }
    PlayCommand = {};
    TButtonSet& down = PlayCommand.Buttons;
    down[BtnA] = down[BtnB] = down[BtnUp] = down[BtnRight] = true;
    return {{Objects, Objects + ShotSlotsPerShip * PlayerCount}, p};
}

void Restore(const TSnapshot& snap) {
    std::memcpy(static_cast<void*>(Objects), snap.Shots.data(),
                snap.Shots.size() * sizeof(TWorldObject));
    Players[0] = snap.Ship;
}

void BM_ShipUpdateAndShotPass(benchmark::State& state) {
    const TSnapshot snap = BusyShots();
    for (auto _ : state) {
        Restore(snap);
        ShipUpdate(0);
        ShipShotPass();
        benchmark::DoNotOptimize(Objects);
        benchmark::DoNotOptimize(Players);
    }
}
BENCHMARK(BM_ShipUpdateAndShotPass);

void BM_RestoreShipSlots(benchmark::State& state) {
    const TSnapshot snap = BusyShots();
    for (auto _ : state) {
        Restore(snap);
        benchmark::DoNotOptimize(Objects);
    }
}
BENCHMARK(BM_RestoreShipSlots);

}  // namespace
