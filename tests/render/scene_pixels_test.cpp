// The locked pixel pass: particles, medals and enemy bullets from BulletCells.
#include "render/scene.h"

#include <cstring>

#include "render/scene_fixture.h"

namespace {

using namespace scenetest;

// Cell c holds 100 + its column in every pixel, so a drawn pixel tells its cell column.
void ColumnCell(int c) {
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j) BulletCells[c][i * 16 + j] = static_cast<uint8_t>(100 + j);
}

void SetLook(TWorldObject& o, uint32_t look) {
    std::memcpy(&o.State, &look, sizeof look);
}

// An enemy bullet with look 0.
TWorldObject& Bullet(int slot, int kind, int x, int y, int age) {
    TWorldObject& o = Objects[slot];
    o = {};
    o.Kind = kind;
    o.X = x;
    o.Y = y;
    o.Age = age;
    return o;
}

void PixelPass() {
    TSurfaceDesc d;
    ASSERT_TRUE(Lock(Display.BackBuffer, nullptr, &d));
    DrawPixelPass(d);
    Unlock(Display.BackBuffer);
}

TEST_F(SceneTest, BulletAtTheLeftEdgeShowsOnlyItsRightColumns) {
    ColumnCell(40);
    Bullet(64, 48, 2, 100, 4);  // kind 48 at age 4: cell 40
    PixelPass();
    EXPECT_EQ(Find(100).Count + Find(105).Count, 0);  // columns 0..5 are off screen
    EXPECT_EQ(At(0, 92), 106);
    EXPECT_EQ(At(9, 107), 115);
    EXPECT_EQ(At(10, 100), 0);
    EXPECT_EQ(At(0, 91), 0);
    EXPECT_EQ(At(0, 108), 0);
    int drawn = 0;
    for (int v = 100; v < 116; ++v) drawn += Find(static_cast<uint8_t>(v)).Count;
    EXPECT_EQ(drawn, 10 * 16);
}

TEST_F(SceneTest, BulletsAtTheCornersAreClippedPixelByPixel) {
    ColumnCell(40);
    Bullet(64, 48, 317, 237, 4);
    Bullet(65, 48, -7, -7, 4);
    PixelPass();
    int drawn = 0;
    for (int v = 100; v < 116; ++v) drawn += Find(static_cast<uint8_t>(v)).Count;
    EXPECT_EQ(drawn, 11 * 11 + 1);
    EXPECT_EQ(At(319, 239), 110);
    EXPECT_EQ(At(0, 0), 115);
}

TEST_F(SceneTest, TransparentCellPixelsLeaveTheScreenAlone) {
    BulletCells[41].fill(70);
    BulletCells[41][0] = BulletTransparent;
    Fill(Display.BackBuffer, 9);
    Bullet(64, 48, 100, 100, 2);  // cell 41
    PixelPass();
    EXPECT_EQ(At(92, 92), 9);
    EXPECT_EQ(At(93, 92), 70);
    EXPECT_EQ(Find(70).Count, 255);
}

TEST_F(SceneTest, AimedBulletCellsByHeading) {
    EXPECT_EQ(BulletCellOf(50, 5, 1008), 0);
    EXPECT_EQ(BulletCellOf(50, 5, 16), 1);
    EXPECT_EQ(BulletCellOf(50, 5, 15), 0);
    EXPECT_EQ(BulletCellOf(50, 5, 1007), 31);
    EXPECT_EQ(BulletCellOf(52, 5, 512), 48);  // half a turn later the same picture
    EXPECT_EQ(BulletCellOf(57, 5, 240), 56);
    // The first two frames show the appearing spark, up to kind 61.
    EXPECT_EQ(BulletCellOf(50, 1, 16), 94);
    EXPECT_EQ(BulletCellOf(61, 0, 0), 94);
    EXPECT_EQ(BulletCellOf(62, 0, 0), 0);
    EXPECT_EQ(BulletCellOf(63, 1, 16), 49);
    // Animated kinds and the vanishing flash.
    EXPECT_EQ(BulletCellOf(49, 14, 0), 39);
    EXPECT_EQ(BulletCellOf(51, 6, 0), 47);
    EXPECT_EQ(BulletCellOf(59, 9, 0), 88);
    EXPECT_EQ(BulletCellOf(64, 0, 0), 92);
    EXPECT_EQ(BulletCellOf(64, 3, 0), 93);
    EXPECT_EQ(BulletCellOf(47, 5, 0), -1);

    // On the screen: aim 1008 draws cell 0, aim 16 cell 1.
    BulletCells[0].fill(60);
    BulletCells[1].fill(61);
    TWorldObject& o = Bullet(64, 50, 50, 50, 5);
    o.Aim = 1008;
    PixelPass();
    EXPECT_TRUE(ShowsAt(60, 42, 42, 16, 16));
    o.Aim = 16;
    PixelPass();
    EXPECT_TRUE(ShowsAt(61, 42, 42, 16, 16));
}

TEST_F(SceneTest, LookEightCyclesThroughFourColourGroups) {
    const uint8_t expected[8] = {4, 4, 12, 12, 20, 20, 28, 28};
    for (int a = 0; a < 8; ++a) EXPECT_EQ(BulletColourOffset(8, a), expected[a]) << a;
    EXPECT_EQ(BulletColourOffset(8, 8), 4);
    EXPECT_EQ(BulletColourOffset(0, 3), 0);
    EXPECT_EQ(BulletColourOffset(3, 3), 12);
    EXPECT_EQ(BulletColourOffset(70, 0), static_cast<uint8_t>(280));  // wraps as a byte

    // Kind 49's spark and its next frames all drawn in the first bullet colour, 48.
    for (int c : {94, 33, 34, 35}) BulletCells[c].fill(48);
    TWorldObject& o = Bullet(64, 49, 100, 100, 0);
    SetLook(o, 8);
    for (int a = 0; a < 8; ++a) {
        o.Age = a;
        PixelPass();
        EXPECT_EQ(At(100, 100), 48 + expected[a]) << a;
    }
}

TEST_F(SceneTest, MedalsUseTheirEightCellsWithoutColourChange) {
    for (int c = 80; c < 88; ++c) BulletCells[c].fill(static_cast<uint8_t>(c + 20));
    TWorldObject& o = Bullet(64, ItemKind::Medal, 30, 40, 0);
    SetLook(o, 3);  // a look does not colour medals
    for (int a = 0; a < 20; a += 3) {
        o.Age = a;
        PixelPass();
        EXPECT_EQ(At(30, 40), 100 + (a / 2) % 8) << a;
    }
}

TEST_F(SceneTest, ParticlesAreTwoByTwoSquaresThatFade) {
    TEffect& e = Effects[128];  // the last slot is drawn too
    e.Kind = 3;
    e.Colour = 76;
    e.FadeShift = 6;
    e.Age = 200;  // 76 - 3
    e.FineX = 100 * 16 + 15;
    e.FineY = 50 * 16;
    PixelPass();
    EXPECT_TRUE(ShowsAt(73, 100, 50, 2, 2));

    // Off when ParticlesOn is false, and at fine y 0 or 3824.
    Fill(Display.BackBuffer, 0);
    ParticlesOn = false;
    PixelPass();
    EXPECT_EQ(Find(73).Count, 0);
    ParticlesOn = true;
    e.FineY = 0;
    PixelPass();
    EXPECT_EQ(Find(73).Count, 0);
    e.FineY = 3824;
    PixelPass();
    EXPECT_EQ(Find(73).Count, 0);
    e.FineY = 3823;
    e.FineX = 5088;
    PixelPass();
    EXPECT_TRUE(ShowsAt(73, 318, 238, 2, 2));

    // The colour wraps as a byte, and a fade shift of 32 or more is taken mod 32.
    Fill(Display.BackBuffer, 0);
    e.Colour = 1;
    e.Age = 3;
    e.FadeShift = 32;
    PixelPass();
    EXPECT_EQ(At(318, 238), 254);
}

}  // namespace
