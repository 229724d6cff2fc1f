// The keyed copies the scene leans on (sprites, tiles, bullet cells) give the same pixels as
// the plain one-pixel-at-a-time rule, for every width, alignment and key.
#include <gtest/gtest.h>

#include "base/graphics.h"
#include "render/assets.h"
#include "render/scene.h"

namespace {

// Pixels drawn from a small set of values, so keys occur often and in runs.
TSurface Noise(int w, int h, uint32_t seed) {
    TSurface s;
    SetSize(s, w, h);
    uint32_t x = seed;
    for (uint8_t& v : s.Pixels) {
        x = x * 1664525u + 1013904223u;
        const uint32_t r = x >> 24;
        v = static_cast<uint8_t>(r < 96 ? 0 : r < 128 ? 80 : r < 160 ? 255 : r);
    }
    return s;
}

TEST(KeyedCopy, MatchesThePixelRuleForEveryWidthAndOffset) {
    const TSurface src = Noise(96, 8, 7);
    for (uint8_t key : {0, 80, 255}) {
        for (int w = 1; w <= 40; ++w) {
            for (int sx = 0; sx < 5; ++sx) {
                TSurface dst = Noise(80, 10, 99);
                TSurface ref = dst;
                TSurface s = src;
                SetColorKey(s, key);
                Draw(dst, 3 + sx, 1, s, Bounds(sx, 0, w, 8), true);
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < w; ++x) {
                        const uint8_t v = src.Row(y)[sx + x];
                        if (v != key) ref.Row(1 + y)[3 + sx + x] = v;
                    }
                ASSERT_EQ(dst.Pixels, ref.Pixels)
                    << "key " << int(key) << " width " << w << " offset " << sx;
            }
        }
    }
}

TEST(KeyedCopy, BulletCellsMatchThePixelRuleInsideAndAtTheEdges) {
    const TSurface cells = Noise(16, 16 * BulletCellCount, 3);
    for (int c = 0; c < BulletCellCount; ++c)
        for (int i = 0; i < 256; ++i) BulletCells[c][i] = cells.Pixels[c * 256 + i];
    for (int x : {-9, -3, 0, 8, 100, 311, 318, 330})
        for (int y : {-5, 8, 120, 236}) {
            for (uint8_t offset : {0, 12, 200}) {
                TSurface dst = Noise(320, 240, 5);
                TSurface ref = dst;
                TSurfaceDesc d;
                ASSERT_TRUE(Lock(dst, nullptr, &d));
                DrawBulletCell(d, 17, x, y, offset);
                Unlock(dst);
                for (int i = 0; i < 16; ++i)
                    for (int j = 0; j < 16; ++j) {
                        const uint8_t v = BulletCells[17][i * 16 + j];
                        const int X = x + j - 8, Y = y + i - 8;
                        if (v == BulletTransparent || X < 0 || X > 319 || Y < 0 || Y > 239)
                            continue;
                        ref.Row(Y)[X] = static_cast<uint8_t>(v + offset);
                    }
                ASSERT_EQ(dst.Pixels, ref.Pixels) << x << "," << y << " +" << int(offset);
            }
        }
}

}  // namespace
