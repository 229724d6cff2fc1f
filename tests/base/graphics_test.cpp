#include "base/graphics.h"

#include <gtest/gtest.h>

namespace {

// A surface whose pixel (x, y) holds 1 + x + 16 * y, so every copied pixel tells where it
// came from.
TSurface Numbered(int w, int h) {
    TSurface s;
    SetSize(s, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.Row(y)[x] = static_cast<uint8_t>(1 + x + 16 * y);
    return s;
}

TSurface Screen() {
    TSurface s;
    SetSize(s, 320, 240);
    return s;
}

int CountNonZero(const TSurface& s) {
    int n = 0;
    for (uint8_t v : s.Pixels) n += v != 0;
    return n;
}

TEST(Draw, ClipsAtTheLeftEdgeKeepingTheRightColumns) {
    TSurface dst = Screen();
    TSurface src = Numbered(16, 1);
    Draw(dst, -5, 0, src, Bounds(0, 0, 16, 1), false);
    for (int x = 0; x <= 10; ++x) EXPECT_EQ(dst.Row(0)[x], 1 + x + 5) << "column " << x;
    EXPECT_EQ(dst.Row(0)[11], 0);
    EXPECT_EQ(CountNonZero(dst), 11);
}

TEST(Draw, AtTheRightEdgeDrawsNothingAndPastItReturns) {
    TSurface dst = Screen();
    TSurface src = Numbered(16, 16);
    Draw(dst, 320, 10, src, Bounds(0, 0, 16, 16), false);
    Draw(dst, 321, 10, src, Bounds(0, 0, 16, 16), false);
    Draw(dst, 10, 241, src, Bounds(0, 0, 16, 16), false);
    EXPECT_EQ(CountNonZero(dst), 0);
    Draw(dst, 310, 230, src, Bounds(0, 0, 16, 16), false);
    EXPECT_EQ(CountNonZero(dst), 100);
    EXPECT_EQ(dst.Row(239)[319], 1 + 9 + 16 * 9);
}

TEST(Draw, SourceRectanglePastTheSourceIsCut) {
    TSurface dst = Screen();
    TSurface src = Numbered(8, 4);
    Draw(dst, 100, 50, src, Bounds(4, 2, 10, 10), false);
    EXPECT_EQ(CountNonZero(dst), 4 * 2);
    EXPECT_EQ(dst.Row(50)[100], 1 + 4 + 16 * 2);
    EXPECT_EQ(dst.Row(51)[103], 1 + 7 + 16 * 3);
}

TEST(Draw, NegativeSourceOriginMovesTheDestination) {
    TSurface dst = Screen();
    TSurface src = Numbered(8, 8);
    Draw(dst, 10, 10, src, TRect{-2, -3, 4, 4}, false);
    // The source is clipped to (0,0)-(4,4) and lands 2 right and 3 down.
    EXPECT_EQ(dst.Row(13)[12], 1);
    EXPECT_EQ(CountNonZero(dst), 16);
}

TEST(Draw, TransparentSkipsTheSourceKey) {
    TSurface dst = Screen();
    Fill(dst, 99);
    TSurface src = Numbered(4, 1);
    SetColorKey(src, 2);
    Draw(dst, 0, 0, src, Bounds(0, 0, 4, 1), true);
    EXPECT_EQ(dst.Row(0)[0], 1);
    EXPECT_EQ(dst.Row(0)[1], 99);
    EXPECT_EQ(dst.Row(0)[2], 3);
    Draw(dst, 0, 1, src, Bounds(0, 0, 4, 1), false);
    EXPECT_EQ(dst.Row(1)[1], 2);
}

TEST(Draw, MirroredRectangleCopiesReversedRows) {
    TSurface dst = Screen();
    TSurface src = Numbered(26, 8);
    Draw(dst, 0, 0, src, TRect{26, 0, 0, 8}, false);
    // The whole sheet mirrored left to right.
    EXPECT_EQ(dst.Row(0)[0], 1 + 25);
    EXPECT_EQ(dst.Row(0)[25], 1);
    EXPECT_EQ(dst.Row(7)[0], 1 + 25 + 16 * 7);
    EXPECT_EQ(CountNonZero(dst), 26 * 8);
    TSurface dst2 = Screen();
    Draw(dst2, -26, 0, src, TRect{26, 0, 0, 8}, false);  // wholly left: nothing
    EXPECT_EQ(CountNonZero(dst2), 0);

    // Part of a sheet: the rectangle's own pixels reversed, not those of its reflection
    // inside the sheet (the mirror spins the whole surface, undoing the reflection).
    TSurface dst3 = Screen();
    TSurface sheet = Numbered(16, 16);
    Draw(dst3, 0, 0, sheet, TRect{7, 1, 2, 4}, false);  // columns 2..6, rows 1..3
    EXPECT_EQ(dst3.Row(0)[0], 1 + 6 + 16);
    EXPECT_EQ(dst3.Row(2)[4], 1 + 2 + 16 * 3);
    EXPECT_EQ(CountNonZero(dst3), 5 * 3);
    Draw(dst3, 0, 10, sheet, TRect{0, 5, 3, 2}, false);  // rows 2..4 upside down
    EXPECT_EQ(dst3.Row(10)[0], 1 + 16 * 4);
    EXPECT_EQ(dst3.Row(12)[2], 1 + 2 + 16 * 2);
    // Clipped at the left edge: the clipped rectangle (columns 4..6) is what is reversed.
    Draw(dst3, -2, 20, sheet, TRect{7, 1, 2, 4}, false);
    EXPECT_EQ(dst3.Row(20)[0], 1 + 6 + 16);
    EXPECT_EQ(dst3.Row(20)[2], 1 + 4 + 16);
    EXPECT_EQ(dst3.Row(20)[3], 0);
}

TEST(Draw, EmptyOrLockedSurfacesDrawNothing) {
    TSurface dst = Screen();
    TSurface src = Numbered(16, 16);
    SetSize(src, 16, 0);
    EXPECT_TRUE(src.Empty());
    Draw(dst, 0, 0, src, Bounds(0, 0, 16, 16), false);
    EXPECT_EQ(CountNonZero(dst), 0);
    TSurface src2 = Numbered(4, 4);
    TSurfaceDesc d;
    ASSERT_TRUE(Lock(dst, nullptr, &d));
    Draw(dst, 0, 0, src2, Bounds(0, 0, 4, 4), false);
    Unlock(dst);
    EXPECT_EQ(CountNonZero(dst), 0);
}

TEST(FillRect, ClipsToTheSurface) {
    TSurface s = Screen();
    FillRect(s, TRect{-10, -10, 5, 3}, 7);
    EXPECT_EQ(CountNonZero(s), 15);
    FillRect(s, TRect{330, 0, 400, 10}, 7);
    FillRect(s, TRect{20, 20, 10, 30}, 7);
    EXPECT_EQ(CountNonZero(s), 15);
    Fill(s, 3);
    EXPECT_EQ(s.Row(239)[319], 3);
}

TEST(PixelAtAndLock, BehaveAsTheLayerPromises) {
    TSurface s = Numbered(8, 8);
    EXPECT_EQ(PixelAt(s, 3, 2), 1 + 3 + 32);
    EXPECT_EQ(PixelAt(s, -1, 0), 0);
    EXPECT_EQ(PixelAt(s, 8, 0), 0);
    TSurfaceDesc a, b;
    ASSERT_TRUE(Lock(s, nullptr, &a));
    EXPECT_FALSE(Lock(s, nullptr, &b));
    EXPECT_EQ(PixelAt(s, 3, 2), 0) << "a locked surface cannot be read";
    Unlock(s);
    EXPECT_TRUE(Lock(s, nullptr, &b));
    Unlock(s);
    TRect r{2, 3, 6, 8};
    ASSERT_TRUE(Lock(s, &r, &a));
    EXPECT_EQ(a.Pixels[0], 1 + 2 + 48);
    EXPECT_EQ(a.Pitch, 8);
    Unlock(s);
}

TEST(SetSize, ResetsTheKeyAndReleasesOnZero) {
    TSurface s = Numbered(4, 4);
    SetColorKey(s, 9);
    SetSize(s, 10, 5);
    EXPECT_EQ(s.ColorKey, 0);
    EXPECT_EQ(Width(s), 10);
    EXPECT_EQ(Height(s), 5);
    SetSize(s, 10, 0);
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(Width(s), 0);
}

}  // namespace
