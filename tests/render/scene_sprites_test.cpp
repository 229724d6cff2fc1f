// The world objects' pictures: dying blink, layers, hit flash and the kinds that draw more
// than one rectangle.
#include "render/scene.h"

#include "render/scene_fixture.h"
#include "shell/screens.h"

namespace {

using namespace scenetest;

TEST_F(SceneTest, DyingObjectBlinksEightFramesOnEightOff) {
    Mark(EnemySheet, {144, 32, 160, 48}, 150);
    TWorldObject& o = Obj(64, 90, 100, 100);
    o.State = 1;
    for (int age = 0; age < 48; ++age) {
        o.Age = age;
        Fill(Display.BackBuffer, 0);
        DrawObjectLayer(0);
        const bool shown = (age / 8) % 2 == 0;
        EXPECT_EQ(Find(150).Count, shown ? 256 : 0) << "age " << age;
    }
    // Only the dying state blinks.
    o.State = 4;
    o.Age = 8;
    Fill(Display.BackBuffer, 0);
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(150, 92, 92, 16, 16));
}

TEST_F(SceneTest, HitFlashTakesTheLowerCopyOfTheSheet) {
    EnemyFlashOffset = 120;
    Mark(EnemySheet, {144, 32, 160, 48}, 150);
    Mark(EnemySheet, {144, 152, 160, 168}, 190);
    TWorldObject& o = Obj(64, 90, 50, 60);
    o.Flash = 3;
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(190, 42, 52, 16, 16));
    EXPECT_EQ(Find(150).Count, 0);
    o.Flash = 0;
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(150, 42, 52, 16, 16));

    // Stage enemies flash by the other sheet's offset.
    StageEnemyFlashOffset = 200;
    Mark(StageEnemySheet, {182, 228, 204, 242}, 191);
    TWorldObject& s = Obj(65, 103, 200, 100);
    s.Flash = 1;
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(191, 189, 93, 22, 14));
}

TEST_F(SceneTest, OnlyTheLayerAskedForIsDrawnAndFreeSlotsNever) {
    Mark(EnemySheet, {144, 32, 160, 48}, 150);
    Obj(64, 90, 100, 100, 3);
    DrawObjectLayer(2);
    EXPECT_EQ(Find(150).Count, 0);
    DrawObjectLayer(3);
    EXPECT_EQ(Find(150).Count, 256);
    // The spare slot 257 is never drawn.
    Fill(Display.BackBuffer, 0);
    Objects[64].Kind = 0;
    Obj(SpareSlot, 90, 100, 100, 3);
    DrawObjectLayer(3);
    EXPECT_EQ(Find(150).Count, 0);
}

TEST_F(SceneTest, ScorePopUpOfParamZeroIsAMirroredCopy) {
    // The reversed rectangle (89, 112)-(63, 120) shows columns 63..88 right to left; their
    // reflection inside the 256-wide sheet (columns 167..192) is not what is shown.
    Blank(BulletSheet, 256, 256);
    for (int x = 63; x < 89; ++x) Mark(BulletSheet, {x, 112, x + 1, 120}, 100 + (x - 63));
    Mark(BulletSheet, {167, 112, 193, 120}, 90);
    Obj(64, 68, 100, 50).Param = 0;
    DrawObjectLayer(0);
    EXPECT_EQ(At(87, 46), 125);   // left edge from source column 88
    EXPECT_EQ(At(112, 53), 100);  // right edge from source column 63
    EXPECT_EQ(Find(110).Box, Bounds(102, 46, 1, 8));
    EXPECT_EQ(Find(90).Count, 0);
    EXPECT_EQ(At(86, 46), 0);
    EXPECT_EQ(At(113, 46), 0);

    // p = 1..4 are plain 32x8 rectangles at (x - 16, y - 4).
    Mark(BulletSheet, Bounds(64, 112, 32, 8), 140);
    Fill(Display.BackBuffer, 0);
    Objects[64].Param = 3;
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(140, 84, 46, 32, 8));
    Objects[64].Param = 7;  // no picture
    Fill(Display.BackBuffer, 0);
    DrawObjectLayer(0);
    EXPECT_EQ(Find(0).Count, 320 * 240);
}

TEST_F(SceneTest, PowerUpItemDrawsItsRingThenItsColour) {
    Mark(BulletSheet, Bounds(16 + 48, 120, 24, 24), 110);  // ring frame 2
    Mark(BulletSheet, Bounds(32, 96, 16, 16), 111);        // colour p = 2
    TWorldObject& o = Obj(64, 9, 100, 100);
    o.Age = 9;  // (9 div 4) mod 4 = 2
    o.Param = 2;
    DrawObjectLayer(0);
    EXPECT_EQ(Find(110).Count, 24 * 24 - 16 * 16);  // the colour covers the ring's centre
    EXPECT_TRUE(ShowsAt(111, 92, 92, 16, 16));
    EXPECT_EQ(Find(110).Box, Bounds(88, 88, 24, 24));
}

TEST_F(SceneTest, TrackedEnemiesTurnTheirTracksWithTheGroundAndStoreThePhase) {
    StageEnemyFlashOffset = 300;
    Mark(StageEnemySheet, {0, 0, 80, 40}, 120);     // body of 98
    Mark(StageEnemySheet, {0, 300, 80, 340}, 121);  // its flash copy
    for (int q = 0; q < 4; ++q)
        Mark(StageEnemySheet, {0, 40 + 14 * q, 80, 54 + 14 * q}, static_cast<uint8_t>(130 + q));
    ScrollX = 7;
    TWorldObject& o = Obj(64, 98, 100, 100);
    o.Flash = 2;
    DrawObjectLayer(0);
    EXPECT_EQ(o.Frame, 3);  // (7 + 100) mod 4
    EXPECT_TRUE(ShowsAt(121, 60, 80, 80, 40));
    EXPECT_TRUE(ShowsAt(133, 60, 120, 80, 14));  // tracks never flash
    EXPECT_EQ(Find(120).Count, 0);

    // Kind 99's body does not flash either.
    Mark(StageEnemySheet, {80, 0, 180, 40}, 122);
    Mark(StageEnemySheet, {80, 300, 180, 340}, 123);
    Fill(Display.BackBuffer, 0);
    Objects[64] = {};
    TWorldObject& w = Obj(65, 99, 200, 100);
    w.Flash = 2;
    ScrollX = 1;  // q = 201 mod 4 = 1
    DrawObjectLayer(0);
    EXPECT_EQ(w.Frame, 1);
    EXPECT_EQ(Find(122).Box, Bounds(150, 80, 100, 40));
    EXPECT_EQ(Find(123).Count, 0);
}

TEST_F(SceneTest, ChainBossDrawsHullFlameAndItsOwnMarker) {
    Mark(StageEnemySheet, {112, 0, 320, 100}, 140);
    for (int w = 0; w < 4; ++w)
        Mark(StageEnemySheet, {42 + 11 * w, 192, 53 + 11 * w, 234}, static_cast<uint8_t>(150 + w));
    Mark(StageEnemySheet, {42, 240, 62, 270}, 160);
    Mark(StageEnemySheet, {62, 240, 82, 270}, 161);
    UpdateCount = 13;  // flame (13 div 2) mod 4 = 2
    Obj(64, 195, 150, 100);
    DrawObjectLayer(0);
    EXPECT_EQ(Find(140).Box, Bounds(38, 36, 208, 100));
    EXPECT_TRUE(ShowsAt(152, 182, 85, 11, 42));
    EXPECT_TRUE(ShowsAt(161, 197, 85, 20, 30));
    EXPECT_EQ(Find(160).Count, 0);
}

TEST_F(SceneTest, SheetCellsFollowTheFrame) {
    // Kind 129: 40x40 cells, 8 a row, from y 200; frame 10 is column 2 of row 1.
    Mark(EnemySheet, Bounds(80, 240, 40, 40), 170);
    Obj(64, 129, 100, 100).Frame = 10;
    // Kind 192: 64x64 cells, 5 a row; frame 7 is column 2 of row 1.
    Mark(StageEnemySheet, Bounds(128, 64, 64, 64), 171);
    Obj(65, 192, 200, 150).Frame = 7;
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(170, 80, 80, 40, 40));
    EXPECT_TRUE(ShowsAt(171, 168, 118, 64, 64));

    // Kind 111 comes from the background sheet, its top-left corner at the object.
    Objects[64] = Objects[65] = {};
    Fill(Display.BackBuffer, 0);
    Mark(BackSheet, {0, 496, 160, 666}, 172);
    Obj(66, 111, 5, 6);
    DrawObjectLayer(0);
    EXPECT_TRUE(ShowsAt(172, 5, 6, 160, 170));
}

TEST_F(SceneTest, BulletsMedalsAndShotsAreNotDrawnByTheLayerPass) {
    Mark(BulletSheet, {0, 0, 320, 700}, 99);
    Mark(EnemySheet, {0, 0, 320, 700}, 99);
    Mark(StageEnemySheet, {0, 0, 320, 700}, 99);
    int slot = 64;
    for (int k : {1, 12, 16, 48, 63, 64, 79, 92, 97, 200}) Obj(slot++, k, 100, 100);
    DrawObjectLayer(0);
    EXPECT_EQ(Find(99).Count, 0);
}

}  // namespace
