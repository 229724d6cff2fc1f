#include "krdxlib/bitmap.h"

#include <gtest/gtest.h>

#include "bmp_builder.h"

namespace {

// A bitmap whose pixel (x, y) is x + 16 y, so every position is recognisable.
TBitmap Numbered(int32_t w, int32_t h) {
    TBitmap b;
    b.Width = w;
    b.Height = h;
    b.BitCount = 8;
    b.Colors = bmptest::Ramp(256);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.Indices.push_back(static_cast<uint8_t>(x + 16 * y));
    return b;
}

TPalette Sentinel() {
    TPalette p;
    p.fill({1, 2, 3, 4});
    return p;
}

}  // namespace

TEST(CopyBitmapPalette, WrapsPastTheLastEntry) {
    TBitmap b = Numbered(1, 1);
    b.Colors[5].Reserved = 9;  // copied unchanged
    TPalette p = Sentinel();
    CopyBitmapPalette(b, 0, 63, 200, p);
    for (int k = 0; k < 56; ++k) EXPECT_EQ(p[200 + k], b.Colors[k]) << k;
    for (int k = 56; k < 64; ++k) EXPECT_EQ(p[k - 56], b.Colors[k]) << k;
    for (int i = 8; i < 200; ++i) EXPECT_EQ(p[i], (TRGBQuad{1, 2, 3, 4})) << i;
    EXPECT_EQ(p[205].Reserved, 9);
}

TEST(CopyBitmapPalette, RangeFromTheMiddle) {
    const TBitmap b = Numbered(1, 1);
    TPalette p = Sentinel();
    CopyBitmapPalette(b, 10, 12, 80, p);
    EXPECT_EQ(p[79], (TRGBQuad{1, 2, 3, 4}));
    EXPECT_EQ(p[80], b.Colors[10]);
    EXPECT_EQ(p[82], b.Colors[12]);
    EXPECT_EQ(p[83], (TRGBQuad{1, 2, 3, 4}));
}

TEST(CopyBitmapPalette, LastBeforeFirstChangesNothing) {
    const TBitmap b = Numbered(1, 1);
    TPalette p = Sentinel();
    CopyBitmapPalette(b, 5, 4, 0, p);
    EXPECT_EQ(p, Sentinel());
}

TEST(CopyBitmapPalette, EntriesPastAShortTableAreBlack) {
    TBitmap b = Numbered(1, 1);
    b.Colors.resize(16);
    TPalette p = Sentinel();
    CopyBitmapPalette(b, 0, 31, 48, p);
    EXPECT_EQ(p[63], b.Colors[15]);
    for (int i = 64; i < 80; ++i) EXPECT_EQ(p[i], TRGBQuad{}) << i;
    EXPECT_EQ(p[80], (TRGBQuad{1, 2, 3, 4}));
}

TEST(BitmapToSurface, OffsetWrapsModulo256) {
    TBitmap b = Numbered(2, 1);
    b.Indices = {0, 250};
    TSurface s;
    BitmapToSurface(b, s, 48);
    ASSERT_EQ(s.W, 2);
    ASSERT_EQ(s.H, 1);
    EXPECT_EQ(s.Row(0)[0], 48);
    EXPECT_EQ(s.Row(0)[1], 42);
}

TEST(BitmapToSurface, SizesAndCopiesEveryPixel) {
    const TBitmap b = Numbered(7, 5);
    TSurface s;
    SetSize(s, 100, 100);
    SetColorKey(s, 33);
    BitmapToSurface(b, s, 0);
    EXPECT_EQ(s.W, 7);
    EXPECT_EQ(s.H, 5);
    EXPECT_EQ(s.ColorKey, 0);  // resized surfaces start keyed on index 0
    EXPECT_FALSE(s.Locked);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(s.Row(y)[x], x + 16 * y) << x << "," << y;
}

TEST(BitmapToSurface, RowMirrorDoublesTheHeight) {
    const TBitmap b = Numbered(40, 10);
    TSurface s;
    BitmapToSurfaceRowMirror(b, s, 3);
    ASSERT_EQ(s.W, 40);
    ASSERT_EQ(s.H, 20);
    EXPECT_FALSE(s.Locked);
    EXPECT_EQ(s.Row(0)[0], 3);
    EXPECT_EQ(s.Row(10)[39], 3);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 40; ++x) {
            const uint8_t v = static_cast<uint8_t>(b.At(x, y) + 3);
            EXPECT_EQ(s.Row(y)[x], v) << x << "," << y;
            EXPECT_EQ(s.Row(y + 10)[39 - x], v) << x << "," << y;
        }
    }
}

TEST(BitmapToSurface, InconsistentBitmapIsAnError) {
    TBitmap b = Numbered(4, 4);
    b.Indices.pop_back();
    TSurface s;
    EXPECT_THROW(BitmapToSurface(b, s, 0), EBitmapError);
    EXPECT_THROW(BitmapToSurfaceRowMirror(b, s, 0), EBitmapError);
}
