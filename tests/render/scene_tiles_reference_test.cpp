// The tile layer, drawn screen row by screen row, against the same tiles drawn one at a time
// by Draw: random maps, keys and scroll positions (negative ones too), and a sheet too small
// for every tile number.
#include <gtest/gtest.h>

#include "render/scene.h"
#include "render/scene_fixture.h"

namespace scenetest {
namespace {

void TilesOneByOne() {
    const int32_t col0 = ScrollX / 16, row0 = ScrollY / 16, dx = ScrollX % 16, dy = ScrollY % 16;
    for (int32_t i = 0; i < 21; ++i) {
        const int32_t col = col0 + i;
        if (col < 0 || col >= MaxTileColumns) continue;
        for (int32_t j = 0; j < 17; ++j) {
            const int32_t t = StageMap.TileMap[col * TileColumnBytes + ((row0 + j) & 31)];
            Draw(Display.BackBuffer, i * 16 - dx, j * 16 - dy, BackSheet,
                 Bounds((t % 16) * 16, (t / 16) * 16, 16, 16), true);
        }
    }
}

TEST_F(SceneTest, TileLayerMatchesTilesDrawnOneByOne) {
    uint32_t seed = 77;
    auto next = [&seed](int32_t n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int32_t>((seed >> 12) % static_cast<uint32_t>(n));
    };
    for (int round = 0; round < 60; ++round) {
        const bool small = round % 5 == 4;
        Blank(BackSheet, small ? 200 : 320, small ? 150 : 300);
        SetColorKey(BackSheet, static_cast<uint8_t>(next(3) * 40));
        for (uint8_t& v : BackSheet.Pixels)
            v = static_cast<uint8_t>(next(3) == 0 ? BackSheet.ColorKey : next(256));
        for (uint8_t& t : StageMap.TileMap) t = static_cast<uint8_t>(next(256));
        ScrollX = next(MaxTileColumns * 16 + 400) - 360;
        ScrollY = next(1200) - 200;
        for (uint8_t& v : Display.BackBuffer.Pixels) v = static_cast<uint8_t>(next(256));
        const TSurface before = Display.BackBuffer;
        TilesOneByOne();
        const TSurface want = Display.BackBuffer;
        Display.BackBuffer = before;
        DrawTileMap();
        ASSERT_EQ(Display.BackBuffer.Pixels, want.Pixels)
            << "round " << round << ", scroll " << ScrollX << ", " << ScrollY;
    }
}

}  // namespace
}  // namespace scenetest
