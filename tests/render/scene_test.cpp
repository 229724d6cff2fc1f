// The frame as a whole: the stage backgrounds, the tile map, the drawing order, the ship
// and its shots.
#include "render/scene.h"

#include "render/scene_fixture.h"
#include "shell/screens.h"

namespace {

using namespace scenetest;

TEST_F(SceneTest, StageOneRepeatsTheRightHalfOfItsPictureOpaque) {
    Mark(BackSheet, {160, 256, 161, 496}, 90);  // first column of the picture
    Mark(BackSheet, {319, 256, 320, 496}, 91);  // last column
    // The key colour inside the picture is drawn too (no colour key).
    Fill(Display.BackBuffer, 77);
    StageNo = 1;
    DrawStageBackground();
    EXPECT_EQ(Find(90).Count, 480);
    EXPECT_EQ(At(0, 0), 90);
    EXPECT_EQ(At(160, 239), 90);
    EXPECT_EQ(At(159, 10), 91);
    EXPECT_EQ(At(319, 10), 91);
    EXPECT_EQ(Find(77).Count, 0);
}

TEST_F(SceneTest, StageTwoLayersScrollAtTheirSpeedsAndFollowTheShip) {
    Mark(BackSheet, {0, 0, 320, 150}, 90);   // sky
    Mark(BackSheet, {0, 150, 1, 151}, 101);  // top-left pixel of layer 1
    Mark(BackSheet, {0, 350, 1, 351}, 106);  // top-left pixel of layer 6
    Mark(BackSheet, {5, 240, 6, 241}, 104);  // a pixel of layer 4
    Fill(Display.BackBuffer, 77);
    StageNo = 2;
    UpdateCount = 5;
    Players[0].Y = 100;
    DrawStageBackground();
    EXPECT_EQ(Find(90).Box, Bounds(0, 0, 320, 150));
    EXPECT_EQ(Find(77).Count, 0);  // rows 150..239 cleared to 0 before the layers
    // Layer 1: s = (5 div 4) mod 120 = 1, y 132: copies at -1, 119, 239, 359.
    EXPECT_EQ(Find(101).Count, 2);
    EXPECT_EQ(At(119, 132), 101);
    EXPECT_EQ(At(239, 132), 101);
    // Layer 6: s = 20, y = 210 - 100 div 10 = 200: copies at -20, 100, 220, 340.
    EXPECT_EQ(Find(106).Count, 2);
    EXPECT_EQ(At(100, 200), 106);
    EXPECT_EQ(At(220, 200), 106);
    // Layer 4: s = 10, y = 158 - 5: source column 5 shows at 5 - 10 + 120 k.
    EXPECT_EQ(Find(104).Count, 2);
    EXPECT_EQ(At(115, 153), 104);
    EXPECT_EQ(At(235, 153), 104);
}

TEST_F(SceneTest, StageFiveDrawsItsBandAndPairsAndKeepsTheRestOfThePreviousFrame) {
    Mark(BackSheet, {0, 0, 320, 60}, 90);
    Mark(BackSheet, {0, 60, 1, 61}, 111);        // pair 1, lower strip
    Mark(BackSheet, {160, 60, 161, 61}, 112);    // pair 1, upper strip
    Mark(BackSheet, {160, 260, 161, 261}, 162);  // pair 6, upper strip
    Fill(Display.BackBuffer, 77);
    StageNo = 5;
    UpdateCount = 8;
    Players[0].Y = -200;  // pair 6 upper at -20 + 20 = 0
    DrawStageBackground();
    EXPECT_EQ(Find(90).Box, Bounds(0, 90, 320, 60));
    // Pair 1: s = 2: x = -2, 158, 318; lower y 114, upper 106.
    EXPECT_EQ(At(158, 114), 111);
    EXPECT_EQ(At(318, 114), 111);
    EXPECT_EQ(At(158, 106), 112);
    EXPECT_EQ(Find(111).Count, 2);
    // Pair 6: s = 32: x = -32, 128, 288.
    EXPECT_EQ(At(128, 0), 162);
    EXPECT_EQ(At(288, 0), 162);
    // Outside the band and the strips the old pixels stay.
    EXPECT_EQ(At(5, 5), 77);
    EXPECT_EQ(At(5, 200), 77);
}

TEST_F(SceneTest, StagesWithoutAPictureClearTheField) {
    Fill(Display.BackBuffer, 77);
    Mark(BackSheet, {0, 0, 320, 700}, 90);
    StageNo = 3;
    DrawStageBackground();
    EXPECT_EQ(Find(0).Count, 320 * 240);
}

TEST_F(SceneTest, TileMapFollowsTheScrollAndWrapsEvery32Rows) {
    StageNo = 1;
    Mark(BackSheet, Bounds(32, 0, 16, 16), 120);   // tile 2
    Mark(BackSheet, Bounds(16, 16, 16, 16), 121);  // tile 17
    StageMap.TileMap[3 * 32 + 5] = 2;
    ScrollX = 20;
    ScrollY = 40;
    DrawTileMap();
    // Column 3 is the third from column 1 (x = 2 * 16 - 4), row 5 the fourth from 2.
    EXPECT_TRUE(ShowsAt(120, 28, 40, 16, 16));

    Fill(Display.BackBuffer, 0);
    StageMap.TileMap[1 * 32 + 0] = 17;
    ScrollX = 0;
    ScrollY = 500;  // first row 31, then 0
    DrawTileMap();
    EXPECT_TRUE(ShowsAt(121, 16, 12, 16, 16));
}

TEST_F(SceneTest, FrameOrderLayersTerrainShotsShipAndPixels) {
    StageNo = 1;  // terrain
    // The whole screen is tile 1.
    Mark(BackSheet, Bounds(16, 0, 16, 16), 200);
    for (int c = 0; c < 21; ++c)
        for (int r = 0; r < 32; ++r) StageMap.TileMap[c * 32 + r] = 1;
    // Each layer's enemy has its own colour: kinds 114 and 115 take 16x16 cells by frame.
    for (int f = 0; f < 5; ++f) Mark(EnemySheet, Bounds(16 * f, 80, 16, 16), 150 + f);
    for (int layer = 4; layer >= 0; --layer) {
        TWorldObject& o = Obj(64 + layer, 114, 100 + 4 * layer, 100, layer);
        o.Frame = layer;
    }
    Mark(PlayerSheet, {8, 313, 24, 329}, 30);  // shot kind 18
    TWorldObject& shot = Objects[5];
    shot.Kind = 18;
    shot.X = 100;
    shot.Y = 108;
    shot.Age = 5;
    BulletCells[0].fill(60);  // kind 54 bullets use cell 0
    TWorldObject& bullet = Obj(70, 54, 108, 116);
    bullet.Age = 5;
    bullet.State = 0;    // look 0: no colour offset
    Players[0].X = 400;  // the ship is off screen
    Players[0].AnchorX = 400;
    DrawGameRun();

    // Layer 4 lies under the terrain: nothing of colour 154 is left.
    EXPECT_EQ(Find(154).Count, 0);
    // Layers 3..0 over the terrain, layer 0 on top of them.
    EXPECT_EQ(At(92, 92), 150);  // layer 0 at x 92..107
    EXPECT_EQ(At(107, 92), 150);
    EXPECT_EQ(At(108, 92), 151);  // layer 1 shows right of it
    EXPECT_EQ(At(119, 92), 153);  // layer 3's last column
    // The shot covers layer 0 and the bullet covers the shot.
    EXPECT_EQ(At(92, 100), 30);
    EXPECT_EQ(At(100, 108), 60);
    EXPECT_EQ(At(0, 239), 200);
}

TEST_F(SceneTest, ShipShotsShowTheSparkFirst) {
    Mark(PlayerSheet, {84, 313, 102, 327}, 40);  // spark
    Mark(PlayerSheet, {49, 338, 75, 344}, 41);   // kind 16
    Mark(PlayerSheet, {84, 327, 102, 341}, 42);  // lower half of kind 17's tall spark
    TWorldObject& o = Objects[0];
    o = {};
    o.Kind = 16;
    o.X = 100;
    o.Y = 100;
    for (int a = 0; a < 5; ++a) {
        o.Age = a;
        Fill(Display.BackBuffer, 0);
        DrawShipShots();
        if (a < 3) {
            EXPECT_TRUE(ShowsAt(40, 91, 93, 18, 14)) << a;
            EXPECT_EQ(Find(41).Count, 0);
        } else {
            EXPECT_TRUE(ShowsAt(41, 87, 97, 26, 6)) << a;
        }
    }
    o.Kind = 17;
    o.Age = 0;
    Fill(Display.BackBuffer, 0);
    DrawShipShots();
    EXPECT_TRUE(ShowsAt(40, 91, 86, 18, 14));
    EXPECT_TRUE(ShowsAt(42, 91, 100, 18, 14));
    // Kinds without a spark show their picture at once; 30 has none.
    Mark(PlayerSheet, {192, 376, 208, 392}, 43);
    o.Kind = 37;
    Fill(Display.BackBuffer, 0);
    DrawShipShots();
    EXPECT_TRUE(ShowsAt(43, 92, 92, 16, 16));
    o.Kind = 30;
    Fill(Display.BackBuffer, 0);
    DrawShipShots();
    EXPECT_EQ(Find(0).Count, 320 * 240);
}

TEST_F(SceneTest, ShotPicturesTurnWithTheHeadingAndTime) {
    for (int r = 0; r < 6; ++r) Mark(PlayerSheet, Bounds(128 + 32 * r, 312, 32, 32), 50 + r);
    TWorldObject& o = Objects[1];
    o = {};
    o.Kind = 33;
    o.X = 100;
    o.Y = 100;
    o.Param = 2;  // flickers while age < 24
    auto frameAt = [&](int age) {
        o.Age = age;
        Fill(Display.BackBuffer, 0);
        DrawShipShots();
        return At(100, 100) - 50;
    };
    EXPECT_EQ(frameAt(0), 0);
    EXPECT_EQ(frameAt(15), 3);
    EXPECT_EQ(frameAt(16), 2);
    EXPECT_EQ(frameAt(20), 3);
    EXPECT_EQ(frameAt(23), 3);
    EXPECT_EQ(frameAt(24), 4);  // (24 - 8) div 4
    EXPECT_EQ(frameAt(28), 5);

    // Kind 27: sixteen headings in 24x24 cells from y 360; heading 480 is step 8.
    Mark(PlayerSheet, Bounds(0, 384, 24, 24), 60);
    o.Kind = 27;
    o.Param = 480;
    o.Age = 5;
    Fill(Display.BackBuffer, 0);
    DrawShipShots();
    EXPECT_TRUE(ShowsAt(60, 88, 88, 24, 24));
}

TEST_F(SceneTest, ChargeGlowsAnchorAndBodyComeFromThePlayerSheet) {
    for (int g = 0; g < 4; ++g) Mark(PlayerSheet, Bounds(256, 120 + 32 * g, 32, 32), 10 + g);
    TPlayer& s = Players[0];
    s.X = 300;
    s.Y = 200;
    s.AnchorX = 100;
    s.AnchorY = 100;
    auto glow = [&](int a, int b) {
        s.ChargeA = a;
        s.ChargeB = b;
        Fill(Display.BackBuffer, 0);
        DrawShip();
        return At(100, 100);
    };
    EXPECT_EQ(glow(14, 0), 0);
    EXPECT_EQ(glow(15, 0), 13);
    EXPECT_EQ(glow(29, 0), 11);
    EXPECT_EQ(glow(30, 0), 10);
    EXPECT_EQ(glow(15, 200), 10);  // charge B's glow is drawn last
    s.ChargeA = s.ChargeB = 0;

    // Anchor of character 1, heading 480: step 8, so column 0 of the row 120 + 32 * 3.
    Mark(PlayerSheet, Bounds(0, 216, 32, 32), 20);
    Mark(PlayerSheet, Bounds(0, 184, 32, 32), 21);
    s.Character = 1;
    s.AnchorHeading = 480;
    Fill(Display.BackBuffer, 0);
    DrawShip();
    EXPECT_TRUE(ShowsAt(20, 84, 84, 32, 32));
    s.AnchorHeading = 1000;  // wraps to step 0
    Fill(Display.BackBuffer, 0);
    DrawShip();
    EXPECT_TRUE(ShowsAt(21, 84, 84, 32, 32));

    // Bodies: character 0 at (x - 24, y - 21), the others at (x - 20, y - 20).
    Mark(PlayerSheet, Bounds(80, 80, 40, 40), 22);
    Mark(PlayerSheet, Bounds(40, 0, 40, 40), 23);
    s.Character = 2;
    s.SpriteFrame = 2;
    Fill(Display.BackBuffer, 0);
    DrawShip();
    EXPECT_TRUE(ShowsAt(22, 280, 180, 40, 40));
    s.Character = 0;
    s.SpriteFrame = 1;
    Fill(Display.BackBuffer, 0);
    DrawShip();
    EXPECT_TRUE(ShowsAt(23, 276, 179, 40, 40));
}

TEST_F(SceneTest, ChainLinksStartSixteenPixelsFromTheAnchor) {
    Mark(PlayerSheet, {76, 338, 82, 344}, 33);
    TPlayer& s = Players[0];
    s.AnchorX = 100;
    s.AnchorY = 100;
    s.Y = 100;
    s.X = 140;  // 40 pixels: n = 2
    DrawShip();
    const Found f = Find(33);
    EXPECT_EQ(f.Count, 72);
    EXPECT_EQ(f.Box, Bounds(113, 97, 14, 6));
    EXPECT_EQ(At(113, 97), 33);
    EXPECT_EQ(At(121, 97), 33);
    EXPECT_EQ(At(119, 97), 0);
    EXPECT_EQ(ChainLinkCount(40), 2);
    EXPECT_EQ(ChainLinkCount(31), 0);
    EXPECT_EQ(ChainLinkCount(32), 1);

    Fill(Display.BackBuffer, 0);
    s.X = 131;  // 31 pixels: no link
    DrawShip();
    EXPECT_EQ(Find(33).Count, 0);

    // Straight down, 48 pixels: links at 16, 24 and 32 pixels.
    Fill(Display.BackBuffer, 0);
    s.X = 100;
    s.Y = 148;
    DrawShip();
    EXPECT_EQ(Find(33).Count, 3 * 36);
    EXPECT_EQ(Find(33).Box, Bounds(97, 113, 6, 22));
}

}  // namespace
