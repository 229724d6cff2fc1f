// The generated pictures as the game reads them: through its own bitmap reader and its
// conversion into surfaces with the palette offset of each picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../tools/zvassets/common/sheetlayout.h"
#include "base/graphics.h"
#include "krdxlib/bitmap.h"
#include "krdxlib/bmpfile.h"

namespace {

using zvtools::SheetSpec;
using zvtools::SheetSpecs;

TBitmap Load(const SheetSpec& s) {
    return LoadBitmapFile(std::string(ZV_BIN_DIR) + "/" + s.File);
}

int Range(const SheetSpec& s) {
    return s.RangeCount > 0 ? s.RangeCount : 32;
}

TEST(Pictures, EveryPictureLoadsWithItsSizeDepthTableAndKey) {
    ASSERT_EQ(SheetSpecs().size(), 13u);
    for (const SheetSpec& s : SheetSpecs()) {
        SCOPED_TRACE(s.File);
        TBitmap b;
        ASSERT_NO_THROW(b = Load(s));
        EXPECT_EQ(b.Width, s.Width);
        EXPECT_EQ(b.Height, s.Height);
        EXPECT_EQ(b.BitCount, s.Bits);
        EXPECT_GE(static_cast<int>(b.Colors.size()), Range(s));
        if (s.KeyX >= 0) {
            EXPECT_EQ(b.At(s.KeyX, s.KeyY), s.KeyIndex);
        }
    }
    // The pictures whose range is 16 colours are 4-bit, the others 8-bit.
    EXPECT_EQ(zvtools::FindSheet("zvlogo.bmp")->Bits, 4);
}

TEST(Pictures, NoPixelOutsideItsPaletteRange) {
    for (const SheetSpec& s : SheetSpecs()) {
        SCOPED_TRACE(s.File);
        const TBitmap b = Load(s);
        int bad = 0;
        for (uint8_t v : b.Indices)
            if (v >= Range(s) && v != s.KeyIndex) ++bad;
        EXPECT_EQ(bad, 0);
    }
}

TEST(Pictures, PlayPicturesLeaveTheRampsAtEntries176To191Free) {
    // After the offset, no pixel of a play picture may land on the ramps the game writes.
    for (const char* f : {"player.bmp", "bullet.bmp", "enemy.bmp", "back1.bmp", "back2.bmp",
                          "back5.bmp", "enemy1.bmp", "enemy2.bmp", "enemy5.bmp"}) {
        SCOPED_TRACE(f);
        const SheetSpec& s = *zvtools::FindSheet(f);
        const TBitmap b = Load(s);
        TSurface surf;
        BitmapToSurface(b, surf, s.RangeFirst);
        const uint8_t key = PixelAt(surf, s.KeyX, s.KeyY);
        int onRamp = 0;
        for (uint8_t v : surf.Pixels)
            if (v != key && v >= 176 && v <= 191) ++onRamp;
        EXPECT_EQ(onRamp, 0);
    }
}

TEST(Pictures, EveryRectangleTheGameDrawsHoldsAPicture) {
    for (const SheetSpec& s : SheetSpecs()) {
        SCOPED_TRACE(s.File);
        const TBitmap b = Load(s);
        const auto rects = zvtools::SheetRects(s.File);
        EXPECT_FALSE(rects.empty());
        for (const auto& r : rects) {
            SCOPED_TRACE(r.Label);
            ASSERT_GE(r.L, 0);
            ASSERT_GE(r.T, 0);
            ASSERT_LE(r.R, b.Width);
            ASSERT_LE(r.B, b.Height);
            int drawn = 0;
            for (int y = r.T; y < r.B; ++y)
                for (int x = r.L; x < r.R; ++x) drawn += b.At(x, y) != s.KeyIndex;
            EXPECT_GT(drawn, 0);
        }
    }
}

TEST(Pictures, BulletCellsReadBackWithIndex32Transparent) {
    const SheetSpec& s = *zvtools::FindSheet("bullet.bmp");
    const TBitmap b = Load(s);
    TSurface surf;
    BitmapToSurface(b, surf, 48);
    EXPECT_EQ(PixelAt(surf, 0, 0), 80);  // the sheet's key is the cells' transparent value
    for (int i = 0; i < 96; ++i) {
        const bool medal = i >= 80 && i < 88;
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int v = PixelAt(surf, (i % 16) * 16 + x, (i / 16) * 16 + y);
                if (v == 80) continue;
                ++opaque;
                // Bullet pictures use the first four colours so that 4 x look picks the
                // colour group; medals keep their own colours.
                if (medal) {
                    EXPECT_TRUE(v >= 48 && v < 80) << "cell " << i;
                } else {
                    EXPECT_TRUE(v >= 48 && v <= 51) << "cell " << i << " value " << v;
                }
            }
        const bool used = i < 42 || (i >= 44 && i < 64) || (i >= 80 && i < 95);
        if (used) {
            EXPECT_GT(opaque, 8) << "cell " << i;
        }
    }
}

TEST(Pictures, FontPixelsFallInTheBulletColours) {
    const TBitmap b = Load(*zvtools::FindSheet("font.bmp"));
    TSurface surf;
    BitmapToSurface(b, surf, 48);
    const uint8_t key = PixelAt(surf, 0, 0);
    for (uint8_t v : surf.Pixels) ASSERT_TRUE(v >= 48 && v <= 79) << int(v);
    // The space cell of every style is all key; "A" of large style 3 is not.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(surf, x, y), key);
    int ink = 0;
    for (int y = 112; y < 128; ++y)
        for (int x = 170; x < 180; ++x) ink += PixelAt(surf, x, y) != key;
    EXPECT_GT(ink, 30);
}

TEST(Pictures, StageBackgroundKeysAreWhereTheGameReadsThem) {
    // Stage 2 keys on (0, 150), stage 5 on (0, 60): the first pixel of their keyed strips.
    for (const char* f : {"back2.bmp", "back5.bmp"}) {
        SCOPED_TRACE(f);
        const SheetSpec& s = *zvtools::FindSheet(f);
        const TBitmap b = Load(s);
        TSurface surf;
        BitmapToSurface(b, surf, 80);
        EXPECT_EQ(PixelAt(surf, s.KeyX, s.KeyY), 80);
        // The opaque parts drawn without the key cover their rectangle fully.
        const int opaqueRows = std::string(f) == "back2.bmp" ? 150 : 60;
        for (int y = 0; y < opaqueRows; y += 7)
            for (int x = 0; x < 320; x += 5) ASSERT_NE(b.At(x, y), 0) << x << "," << y;
    }
    const TBitmap b1 = Load(*zvtools::FindSheet("back1.bmp"));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(b1.At(x, y), 0);  // tile 0 is all key
    for (int y = 256; y < 496; y += 3)
        for (int x = 160; x < 320; x += 3) ASSERT_NE(b1.At(x, y), 0);  // stage 1 backdrop
}

TEST(Pictures, HitFlashHalvesStayWhiteAndShaded) {
    // The flash copy keeps the low three bits; the enemy sheets' colours come in ramps of
    // eight from dark to light, so a sprite's flash copy still shows its shading.
    for (const char* f : {"enemy.bmp", "enemy1.bmp", "enemy2.bmp", "enemy5.bmp"}) {
        SCOPED_TRACE(f);
        const SheetSpec& s = *zvtools::FindSheet(f);
        const TBitmap b = Load(s);
        ASSERT_EQ(s.RangeFirst % 8, 0);
        for (int ramp = 1; ramp < Range(s) / 8; ++ramp) {
            int prev = -1;
            for (int k = 0; k < 8; ++k) {
                const TRGBQuad& c = b.Colors[ramp * 8 + k];
                const int lum = 3 * c.Red + 6 * c.Green + c.Blue;
                EXPECT_GT(lum, prev) << "ramp " << ramp << " shade " << k;
                prev = lum;
            }
        }
    }
}

}  // namespace

namespace {

// Stage 5 never clears the screen: for every ship height the clamp allows, each screen row
// that the layer table reaches must lie on a row of the band or of a strip that is opaque
// across its whole width (the strips scroll independently, so partial rows could line up
// their gaps).
TEST(Pictures, Stage5LayersLeaveNoTransparentGapAtAnyShipHeight) {
    const TBitmap b = Load(*zvtools::FindSheet("back5.bmp"));
    auto fullRow = [&](int x0, int y) {
        for (int x = x0; x < x0 + 160; ++x)
            if (b.At(x, y) == 0) return false;
        return true;
    };
    const int top[7] = {60, 80, 110, 150, 200, 260, 320};
    for (int y = 8; y <= 232; ++y) {
        const int a = y / 50, c = y / 20, d = y / 10;
        const int lowY[6] = {114, 117 - a, 126 - c, 143 - c, 166 - c, 200 - d};
        const int upY[6] = {106, 93 - a, 74 - c, 47 - c, 14 - c, -20 - d};
        std::vector<bool> covered(240, false);
        for (int r = 90; r < 150; ++r) covered[r] = true;  // the band
        for (int k = 0; k < 6; ++k)
            for (int row = top[k]; row < top[k + 1]; ++row) {
                const int lo = lowY[k] + row - top[k], up = upY[k] + row - top[k];
                if (lo >= 0 && lo < 240 && fullRow(0, row)) covered[lo] = true;
                if (up >= 0 && up < 240 && fullRow(160, row)) covered[up] = true;
            }
        // The lowest floor strip ends at 260 - y / 10: rows below it no layer reaches.
        const int reach = std::min(240, 260 - d);
        for (int r = 0; r < reach; ++r) ASSERT_TRUE(covered[r]) << "ship y " << y << ", row " << r;
    }
}

}  // namespace
