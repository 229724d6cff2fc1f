// The ship-shot pass: each kind's step on maps with solid tiles, the removal ages, the
// field limits and the wall sparks.
#include "ship_fixture.h"
#include "shell/screens.h"

namespace {
class ShotPassTest : public ShipTest {
  protected:
    void SetUp() override {
        ShipTest::SetUp();
        StartFlying(60, 120);
    }
    // Runs the pass until the slot is free (at most limit times); returns the passes run.
    static int32_t PassesUntilFree(int32_t slot, int32_t limit = 1000) {
        int32_t n = 0;
        while (Objects[slot].Kind != 0 && n < limit) {
            ShipShotPass();
            ++n;
        }
        return n;
    }
};
}  // namespace

TEST_F(ShotPassTest, MainShotTurnsIntoAWallSparkThatVanishesAfterFiveFrames) {
    SolidColumn(10);  // x 160..175
    PlaceShot(0, ShotKind::Main, 140, 100, 112, 0, 0);
    ShipShotPass();
    EXPECT_EQ(Objects[0].X, 147);
    ShipShotPass();
    EXPECT_EQ(Objects[0].X, 154);
    EXPECT_EQ(Objects[0].Kind, ShotKind::Main);
    ShipShotPass();  // 161: in the rock
    EXPECT_EQ(Objects[0].Kind, ShotKind::WallSpark);
    EXPECT_EQ(Objects[0].Age, 0);
    EXPECT_EQ(Objects[0].HitBox.Left, 0) << "the spark's own (empty) hit box";
    EXPECT_EQ(Objects[0].X, 161);
    for (int32_t i = 1; i <= 4; ++i) {
        ShipShotPass();
        ASSERT_EQ(Objects[0].Kind, ShotKind::WallSpark) << i;
        ASSERT_EQ(Objects[0].X, 161) << "a spark stands still";
    }
    ShipShotPass();
    EXPECT_EQ(Objects[0].Kind, 0);
}

TEST_F(ShotPassTest, OnlyShotsThatDoNotIgnoreWallsMakeSparks) {
    SolidColumn(10);
    Ship().X = 160;  // the laser grows from the ship: 170, in the rock
    Ship().AnchorX = 168;
    Ship().AnchorY = 100;
    const int32_t sparking[] = {16, 17, 18, 19, 20, 24, 25, 33, 44, 45, 46};
    const int32_t passing[] = {23, 29, 39, 40, 41, 42};
    int32_t slot = 0;
    for (int32_t kind : sparking) PlaceShot(slot++, kind, 168, 100, 0, 0, 0, 1);
    const int32_t firstPassing = slot;
    for (int32_t kind : passing) PlaceShot(slot++, kind, 168, 100, 0, 0, 0, 1);
    ShipShotPass();
    for (int32_t s = 0; s < firstPassing; ++s) {
        EXPECT_EQ(Objects[s].Kind, ShotKind::WallSpark) << "kind " << sparking[s];
    }
    for (int32_t s = firstPassing; s < slot; ++s) {
        EXPECT_EQ(Objects[s].Kind, passing[s - firstPassing]) << "slot " << s;
    }
}

TEST_F(ShotPassTest, StraightShotsMoveInFinePixels) {
    PlaceShot(0, ShotKind::Wide, 100, 100, 107, -34, 0, 973);
    for (int32_t i = 0; i < 3; ++i) ShipShotPass();
    EXPECT_EQ(Objects[0].FineX, 1600 + 3 * 107);
    EXPECT_EQ(Objects[0].FineY, 1600 - 3 * 34);
    EXPECT_EQ(Objects[0].X, (1600 + 321) >> 4);
    EXPECT_EQ(Objects[0].Y, (1600 - 102) >> 4);
    EXPECT_EQ(Objects[0].Age, 3);
}

TEST_F(ShotPassTest, ShotsLeaveTheFieldAtItsFineLimits) {
    PlaceShot(0, ShotKind::AnchorShot, 0, 0, 0, 0, 0);
    Objects[0].FineX = 5135;
    Objects[0].FineY = 3855;
    PlaceShot(1, ShotKind::AnchorShot, 0, 0, 0, 0, 1);
    Objects[1].FineX = 5136;
    PlaceShot(2, ShotKind::AnchorShot, 0, 0, 0, 0, 2);
    Objects[2].FineY = 3856;
    PlaceShot(3, ShotKind::AnchorShot, 0, 0, -1, 0, 3);  // one sixteenth left of the edge
    PlaceShot(4, ShotKind::AnchorShot, 0, 0, 0, -16, 4);
    ShipShotPass();
    EXPECT_EQ(Objects[0].Kind, ShotKind::AnchorShot);
    EXPECT_EQ(Objects[0].X, 320);
    EXPECT_EQ(Objects[0].Y, 240);
    EXPECT_EQ(Objects[1].Kind, 0);
    EXPECT_EQ(Objects[2].Kind, 0);
    EXPECT_EQ(Objects[3].Kind, 0) << "negative positions are far off as unsigned";
    EXPECT_EQ(Objects[4].Kind, 0);
}

TEST_F(ShotPassTest, RemovalAges) {
    const struct {
        int32_t kind, param, lastAge;
    } cases[] = {
        {ShotKind::Trail, 0, 7},
        {ShotKind::HeldAnchor, 0, 7},
        {ShotKind::Blast, 0, 23},
        {ShotKind::Flame, 0, 23},
        {ShotKind::Flame, 2, 31},
        {40, 0, 180},
        {41, 0, 180},
        {42, 0, 180},
        {ShotKind::WallSpark, 0, 4},
    };
    for (const auto& c : cases) {
        PlaceShot(40, c.kind, 100, 100, 0, 0, 40, c.param);
        EXPECT_EQ(PassesUntilFree(40), c.lastAge + 1) << "kind " << c.kind;
    }
    PlaceShot(40, ShotKind::AnchorShot, 100, 100, 0, 0, 40);
    EXPECT_EQ(PassesUntilFree(40, 500), 500) << "a plain shot has no age limit";
}

TEST_F(ShotPassTest, GroundMissileFallsThenRunsAlongTheGround) {
    SolidRow(12);  // y 192..207
    PlaceShot(6, ShotKind::GroundMissile, 100, 150, 32, 64, 0, 3);
    PlaceShot(14, ShotKind::GroundMissile, 200, 150, -32, 64, 0, 5);
    for (int32_t i = 0; i < 9; ++i) ShipShotPass();
    EXPECT_EQ(Objects[6].Y, 186);  // 150 + 9 * 4
    EXPECT_EQ(Objects[6].Frame, 3) << "in the air its sprite is its param";
    ShipShotPass();  // ground 8 pixels below: it stops falling
    EXPECT_EQ(Objects[6].Y, 186);
    EXPECT_EQ(Objects[6].X, 100 + 20);
    EXPECT_EQ(Objects[6].Frame, 0);
    EXPECT_EQ(Objects[6].Param, 3);
    EXPECT_EQ(Objects[14].Frame, 8) << "running backwards";
    for (int32_t i = 0; i < 20; ++i) ShipShotPass();
    EXPECT_EQ(Objects[6].Y, 186);
    EXPECT_EQ(Objects[6].X, 160);
    EXPECT_EQ(Objects[14].X, 200 - 60);
    // Climbing missiles stop under a ceiling the same way.
    SolidRow(2);  // y 32..47
    PlaceShot(10, ShotKind::GroundMissile, 100, 78, 32, -64, 0, 13);
    for (int32_t i = 0; i < 6; ++i) ShipShotPass();
    EXPECT_EQ(Objects[10].Y, 54);
    EXPECT_EQ(Objects[10].Frame, 13);
    ShipShotPass();
    EXPECT_EQ(Objects[10].Y, 54);
    EXPECT_EQ(Objects[10].Frame, 0);
}

TEST_F(ShotPassTest, GroundMissileMeetingAWallSparksAndOneInsideRockIsRemoved) {
    SolidRow(12);
    SolidColumn(12);  // x 192..207
    PlaceShot(6, ShotKind::GroundMissile, 180, 186, 32, 64, 0, 3);
    int32_t passes = 0;
    while (Objects[6].Kind == ShotKind::GroundMissile && passes < 20) {
        ShipShotPass();
        ++passes;
    }
    EXPECT_EQ(passes, 6);  // 180 + 6 * 2 = 192
    EXPECT_EQ(Objects[6].Kind, ShotKind::WallSpark);
    PlaceShot(7, ShotKind::GroundMissile, 196, 100, 32, 64, 0, 3);
    ShipShotPass();
    EXPECT_EQ(Objects[7].Kind, 0);
}

TEST_F(ShotPassTest, BoundShotBouncesEightTimesBetweenWalls) {
    SolidColumn(8);   // x 128..143
    SolidColumn(13);  // x 208..223
    PlaceShot(10, ShotKind::Bound, 170, 100, 96, 0, 10, 8);
    int32_t bounces = 0, lastVx = 96, passes = 0;
    while (Objects[10].Kind == ShotKind::Bound && passes < 1000) {
        ShipShotPass();
        ++passes;
        ASSERT_GE(Objects[10].X, 130);
        ASSERT_LE(Objects[10].X, 210);
        if (Objects[10].Kind == ShotKind::Bound && Objects[10].VelocityX != lastVx) {
            ++bounces;
            lastVx = Objects[10].VelocityX;
            EXPECT_EQ(Objects[10].Param, 8 - bounces);
        }
    }
    EXPECT_EQ(bounces, 7);
    EXPECT_EQ(Objects[10].Kind, 0) << "gone at the eighth bounce";
    // A floor bounces the vertical speed.
    SolidRow(12);  // y 192..207
    PlaceShot(11, ShotKind::Bound, 170, 170, 0, 96, 11, 8);
    for (int32_t i = 0; i < 4; ++i) ShipShotPass();
    EXPECT_EQ(Objects[11].VelocityY, -96);
    EXPECT_EQ(Objects[11].Param, 7);
}

TEST_F(ShotPassTest, BombBecomesABlastOnTheGround) {
    SolidRow(12);
    PlaceShot(20, ShotKind::Bomb, 100, 170, 0, 64, 20, 256);
    for (int32_t i = 0; i < 6; ++i) ShipShotPass();  // 194: in the rock, no spark
    EXPECT_EQ(Objects[20].Kind, ShotKind::Bomb);
    EXPECT_EQ(Objects[20].Y, 194);
    ShipShotPass();
    EXPECT_EQ(Objects[20].Kind, ShotKind::Blast);
    EXPECT_EQ(Objects[20].Age, 0);
    EXPECT_EQ(Objects[20].Y, 198);
    EXPECT_EQ(Objects[20].VelocityY, 0);
    EXPECT_EQ(Objects[20].HitBox.Right, 24);
    EXPECT_EQ(PassesUntilFree(20), 24);
}

TEST_F(ShotPassTest, FlameSourceMakesEightFlamesAlongTheAnchorHeading) {
    Ship().AnchorX = 150;
    Ship().AnchorY = 100;
    Ship().AnchorHeading = 0;
    PlaceShot(10, ShotKind::FlameSource, 150, 100, 0, 0, -10, 1);
    ShipShotPass();
    const TWorldObject& f = Objects[11];
    EXPECT_EQ(f.Kind, ShotKind::Flame);
    EXPECT_EQ(f.Param, 1);
    EXPECT_EQ(f.Parent, 11);
    EXPECT_EQ(f.VelocityX, 64);
    EXPECT_EQ(f.Age, 1) << "made before its slot's turn in the same pass";
    EXPECT_EQ(f.X, 154);
    EXPECT_EQ(f.HitBox.Right, 24);
    Ship().AnchorX = 160;  // the source rides on the anchor
    Ship().AnchorHeading = 256;
    ShipShotPass();
    EXPECT_EQ(Objects[10].X, 160);
    EXPECT_EQ(Objects[12].Kind, 0) << "even ages make nothing";
    ShipShotPass();
    EXPECT_EQ(Objects[12].Kind, ShotKind::Flame);
    EXPECT_EQ(Objects[12].VelocityY, 64);
    EXPECT_EQ(Objects[12].X, 160);
    EXPECT_EQ(Objects[12].Y, 104);
    for (int32_t i = 0; i < 12; ++i) ShipShotPass();  // age 15: the eighth flame
    int32_t flames = 0;
    for (int32_t s = 11; s <= 18; ++s) flames += Objects[s].Kind == ShotKind::Flame;
    EXPECT_EQ(flames, 8);
    EXPECT_EQ(Objects[19].Kind, 0);
    EXPECT_EQ(Objects[10].Age, 15);
    for (int32_t i = 0; i < 15; ++i) ShipShotPass();
    EXPECT_EQ(Objects[10].Kind, ShotKind::FlameSource);
    ShipShotPass();
    EXPECT_EQ(Objects[10].Kind, 0) << "gone after age 30";
}

TEST_F(ShotPassTest, LaserGrowsFromTheShipAndFollowsItVertically) {
    Ship().X = 100;
    Ship().Y = 120;
    PlaceShot(0, ShotKind::LaserMedium, 100, 120, 160, 0, 0);
    ShipShotPass();
    EXPECT_EQ(Objects[0].X, 110);
    EXPECT_EQ(Objects[0].Y, 120);
    Ship().Y = 130;
    Ship().X = 90;
    ShipShotPass();
    EXPECT_EQ(Objects[0].X, 110);
    EXPECT_EQ(Objects[0].Y, 130);
}

TEST_F(ShotPassTest, FrameUpdateRunsTheShipAndItsShotsInOrder) {
    StageNo = 2;
    for (auto& ev : StageMap.Timeline) ev.Position = TimelineNever;
    LoopLength = NoLoop;
    Ship().MainShotLevel = 4;
    PrevButtons = {};
    CurButtons = {};
    KeyButtons = {};
    KeyButtons[BtnA] = true;
    SampleInput();
    UpdateGameRun();
    // Fired in the ship update, moved once by the shot pass of the same frame.
    EXPECT_EQ(Objects[0].Kind, ShotKind::Twin);
    EXPECT_EQ(Objects[0].X, 60 + 10 + 7);
    EXPECT_EQ(Objects[0].Age, 1);
}
