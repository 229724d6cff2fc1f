#include "render/scene.h"

#include <algorithm>

#include "base/blit.h"
#include "render/display.h"
#include "render/status.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"
#include "world/tables.h"

namespace {

constexpr int32_t TileSize = 16;
constexpr int32_t TileColumnsDrawn = 21;  // 320 / 16 + 1 for the partial column
constexpr int32_t TileRowsDrawn = 17;     // 240 / 16 + 1 for the partial row

// One strip of a parallax layer: a source rectangle repeated every `width` pixels.
struct TStrip {
    TRect Source;
    int32_t Y;
};

// Draws `copies` copies of each strip, the first at x = -s with s = speed mod width, so the
// strip moves left and wraps seamlessly.
void DrawScrolling(const TStrip* strips, int32_t count, int32_t width, int32_t copies,
                   int64_t speed) {
    const int32_t s = static_cast<int32_t>(speed % width);
    for (int32_t k = 0; k < copies; ++k)
        for (int32_t i = 0; i < count; ++i)
            Draw(Display.BackBuffer, k * width - s, strips[i].Y, BackSheet, strips[i].Source, true);
}

void DrawStage2Background(int64_t u, int32_t y) {
    TSurface& b = Display.BackBuffer;
    Draw(b, 0, 0, BackSheet, {0, 0, 320, 150}, false);
    FillRect(b, {0, 150, 320, 240}, 0);
    constexpr int32_t W = 120;
    const TStrip l1{{0, 150, W, 170}, 132}, l2{{0, 170, W, 200}, 132 - y / 50},
        l3{{0, 200, W, 240}, 144 - y / 20}, l4{{0, 240, W, 290}, 158 - y / 20},
        l5{{0, 290, W, 350}, 180 - y / 20}, l6{{0, 350, W, 420}, 210 - y / 10};
    DrawScrolling(&l1, 1, W, 4, u / 4);
    DrawScrolling(&l2, 1, W, 4, u / 2);
    DrawScrolling(&l3, 1, W, 4, u);
    DrawScrolling(&l4, 1, W, 4, 2 * u);
    DrawScrolling(&l5, 1, W, 4, 3 * u);
    DrawScrolling(&l6, 1, W, 4, 4 * u);
}

void DrawStage5Background(int64_t u, int32_t y) {
    Draw(Display.BackBuffer, 0, 90, BackSheet, {0, 0, 320, 60}, false);
    constexpr int32_t W = 160;
    // Each pair: the lower strip from the sheet's left half, the upper from its right half.
    const TStrip p1[2] = {{{0, 60, W, 80}, 114}, {{W, 60, 320, 80}, 106}};
    const TStrip p2[2] = {{{0, 80, W, 110}, 117 - y / 50}, {{W, 80, 320, 110}, 93 - y / 50}};
    const TStrip p3[2] = {{{0, 110, W, 150}, 126 - y / 20}, {{W, 110, 320, 150}, 74 - y / 20}};
    const TStrip p4[2] = {{{0, 150, W, 200}, 143 - y / 20}, {{W, 150, 320, 200}, 47 - y / 20}};
    const TStrip p5[2] = {{{0, 200, W, 260}, 166 - y / 20}, {{W, 200, 320, 260}, 14 - y / 20}};
    const TStrip p6[2] = {{{0, 260, W, 320}, 200 - y / 10}, {{W, 260, 320, 320}, -20 - y / 10}};
    DrawScrolling(p1, 2, W, 3, u / 4);
    DrawScrolling(p2, 2, W, 3, u / 2);
    DrawScrolling(p3, 2, W, 3, u);
    DrawScrolling(p4, 2, W, 3, 2 * u);
    DrawScrolling(p5, 2, W, 3, 3 * u);
    DrawScrolling(p6, 2, W, 3, 4 * u);
    // The stage is never cleared; with the ship low, the floor strip ends above the bottom
    // rows, which would keep old frames. Those rows are cleared instead.
    FillRect(Display.BackBuffer, {0, 260 - y / 10, 320, 240}, 0);
}

}  // namespace

void DrawStageBackground() {
    TSurface& b = Display.BackBuffer;
    // The update count only grows; 64 bits keep 4 U from wrapping on very long runs.
    const int64_t u = UpdateCount;
    const int32_t y = Players[0].Y;
    switch (StageNo) {
        case 1:
            Draw(b, 0, 0, BackSheet, {160, 256, 320, 496}, false);
            Draw(b, 160, 0, BackSheet, {160, 256, 320, 496}, false);
            break;
        case 2:
            DrawStage2Background(u, y);
            break;
        case 5:
            DrawStage5Background(u, y);
            break;
        case 6:
            Draw(b, 0, 0, BackSheet, {0, 256, 320, 496}, false);
            break;
        default:
            // No picture for this stage: a clean black field rather than old frames.
            Fill(b, 0);
            break;
    }
}

void DrawTileMap() {
    TSurface& b = Display.BackBuffer;
    const TSurface& sheet = BackSheet;
    const uint8_t* map = StageMap.TileMap;
    const int32_t col0 = ScrollX / TileSize, row0 = ScrollY / TileSize;
    const int32_t dx = ScrollX % TileSize, dy = ScrollY % TileSize;
    // A tile number is one byte, so every tile lies within the sheet's first 256 x 256
    // pixels; a smaller sheet (or a locked surface) takes the clipping copy tile by tile.
    if (b.Empty() || b.Locked || sheet.Locked || sheet.W < 256 || sheet.H < 256) {
        for (int32_t i = 0; i < TileColumnsDrawn; ++i) {
            const int32_t col = col0 + i;
            if (col < 0 || col >= MaxTileColumns) continue;  // the map does not wrap sideways
            const uint8_t* column = map + col * TileColumnBytes;
            for (int32_t j = 0; j < TileRowsDrawn; ++j) {
                const int32_t t = column[(row0 + j) & (TileColumnBytes - 1)];
                Draw(b, i * TileSize - dx, j * TileSize - dy, sheet,
                     Bounds((t % 16) * TileSize, (t / 16) * TileSize, TileSize, TileSize), true);
            }
        }
        return;
    }
    // Tiles do not overlap, so the layer goes screen row by screen row: sixteen pixels a
    // tile, clipped once per column rather than per tile.
    struct TColumn {
        int32_t Left = 0, Width = 0, Skip = 0;  // on screen; columns of the tile cut off left
        const uint8_t* Column = nullptr;        // the map column
    };
    TColumn cols[TileColumnsDrawn];
    int32_t n = 0;
    for (int32_t i = 0; i < TileColumnsDrawn; ++i) {
        const int32_t col = col0 + i;
        if (col < 0 || col >= MaxTileColumns) continue;  // the map does not wrap sideways
        const int32_t x = i * TileSize - dx;
        const int32_t left = std::max(x, 0), right = std::min(x + TileSize, b.W);
        if (right <= left) continue;
        cols[n++] = {left, right - left, left - x, map + col * TileColumnBytes};
    }
    const uint8_t key = sheet.ColorKey;
    const TBytes16 keys = Splat16(key);
    const uint8_t* tileAt[TileColumnsDrawn];
    for (int32_t j = 0; j < TileRowsDrawn; ++j) {
        const int32_t y = j * TileSize - dy;
        const int32_t top = std::max(y, 0), bottom = std::min(y + TileSize, b.H);
        if (bottom <= top) continue;
        for (int32_t k = 0; k < n; ++k) {
            const int32_t t = cols[k].Column[(row0 + j) & (TileColumnBytes - 1)];
            tileAt[k] =
                sheet.Row((t / 16) * TileSize + (top - y)) + (t % 16) * TileSize + cols[k].Skip;
        }
        for (int32_t yy = top; yy < bottom; ++yy) {
            uint8_t* out = b.Row(yy);
            const ptrdiff_t line = static_cast<ptrdiff_t>(yy - top) * sheet.W;
            for (int32_t k = 0; k < n; ++k) {
                const TColumn& c = cols[k];
                const uint8_t* in = tileAt[k] + line;
                if (c.Width == TileSize)
                    Store16(out + c.Left, Keyed16(Load16(in), Load16(out + c.Left), keys));
                else
                    KeyedBlock(out + c.Left, 0, in, 0, c.Width, 1, key);
            }
        }
    }
}

void DrawObjectLayer(int32_t layer) {
    for (int32_t i = FirstWorldSlot; i <= LastWorldSlot; ++i) {
        TWorldObject& o = Objects[i];
        if (o.Kind == KindFree || o.Layer != layer || !ObjectShown(o)) continue;
        DrawWorldObject(o);
    }
}

void DrawShipShots() {
    for (int32_t i = FirstShotSlot; i <= LastShotSlot; ++i)
        if (Objects[i].Kind != KindFree) DrawShipShot(Objects[i]);
}

void DrawGameRun() {
    DrawStageBackground();
    DrawObjectLayer(BackLayer);
    if (StageInfo(StageNo).HasTerrain) DrawTileMap();
    for (int32_t layer = BackLayer - 1; layer >= FrontLayer; --layer) DrawObjectLayer(layer);
    DrawShipShots();
    DrawShip();
    TSurface& b = Display.BackBuffer;
    TSurfaceDesc p;
    if (Lock(b, nullptr, &p)) {
        DrawPixelPass(p);
        DrawBossGauge(p);
        Unlock(b);
    }
    DrawStatus();
}
