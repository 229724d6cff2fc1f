// One game-scene draw on the terrain stage with every table full: 193 world objects, 64
// ship shots and 129 particles, from the real pictures of the build.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iterator>

#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "render/display.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

// Kinds the layer pass draws, spread over the five layers.
constexpr int32_t SpriteKinds[] = {8,   9,   68,  69,  72,  73,  80,  87,  88,  89,  90,  91,
                                   93,  94,  95,  96,  98,  99,  100, 101, 102, 103, 104, 112,
                                   114, 115, 116, 124, 125, 126, 128, 129, 134, 192, 193, 198};

void FillWorld() {
    ResetWorld();
    ResetShellState();
    BuildTrigTables();
    StageNo = 1;  // terrain
    StagePhase = PhaseBossFight;
    BossSlot = 64;
    ScrollX = 1000;
    ScrollY = 100;
    UpdateCount = 12345;
    for (int32_t c = 0; c < MaxTileColumns; ++c)
        for (int32_t r = 0; r < TileColumnBytes; ++r)
            StageMap.TileMap[c * TileColumnBytes + r] =
                static_cast<uint8_t>((c * 7 + r * 3) % 96 + 1);

    uint32_t seed = 1;
    auto next = [&seed](int32_t n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int32_t>((seed >> 16) % static_cast<uint32_t>(n));
    };
    for (int32_t i = FirstWorldSlot; i <= LastWorldSlot; ++i) {
        TWorldObject& o = Objects[i];
        o.X = next(320);
        o.Y = next(240);
        o.Age = next(64);
        o.Aim = next(1024);
        o.Frame = next(8);
        o.Param = next(4);
        o.Flash = next(4) == 0 ? 2 : 0;
        const int32_t n = i - FirstWorldSlot;
        if (n < 120) {
            o.Kind = KindFirstBullet + n % 16;  // enemy bullets, various looks
            const uint32_t look = static_cast<uint32_t>(n % 9);
            std::memcpy(&o.State, &look, sizeof look);
        } else if (n < 135) {
            o.Kind = ItemKind::Medal;
        } else {
            o.Kind = SpriteKinds[n % std::size(SpriteKinds)];
            o.Layer = n % 5;
            o.State = 4;
            o.HitPoints = 5000;
        }
    }
    for (int32_t i = FirstShotSlot; i <= LastShotSlot; ++i) {
        TWorldObject& o = Objects[i];
        o.Kind = KindFirstShot + i % 32;
        o.X = next(320);
        o.Y = next(240);
        o.Age = next(30);
        o.Param = next(1024);
        o.Frame = next(4);
    }
    for (TEffect& e : Effects) {
        e.Kind = 1 + next(5);
        e.Colour = 76;
        e.FadeShift = 3;
        e.Age = next(30);
        e.FineX = next(5000);
        e.FineY = 1 + next(3800);
    }
    TPlayer& s = Players[0];
    s.X = 120;
    s.Y = 130;
    s.AnchorX = 70;
    s.AnchorY = 150;
    s.AnchorHeading = 300;
    s.ChargeA = 40;
    s.Lives = 2;
    s.Score = 1234567;
    s.GaugeMax = 50;
}

void Run(benchmark::State& state) {
    CurrentScreen = ScreenGame;
    SetSize(Display.BackBuffer, ScreenWidth, ScreenHeight);
    DXDraw1RestoreSurface();  // the stage 1 sheets from the program's directory
    for (auto _ : state) {
        DrawGameRun();
        benchmark::DoNotOptimize(Display.BackBuffer.Pixels.data());
    }
}
// Every tile of the map drawn with a picture: the most the tile map can cost.
void BM_GameSceneFullTiles(benchmark::State& state) {
    FillWorld();
    Run(state);
}
BENCHMARK(BM_GameSceneFullTiles)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The stage 1 map of the build, where it has the most terrain.
void BM_GameSceneStageMap(benchmark::State& state) {
    FillWorld();
    LoadStageMapFile(DataPath("Stage1.map"), StageMap);
    ScrollX = 1600;
    Run(state);
}
BENCHMARK(BM_GameSceneStageMap)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
