// The ship's life cycle, buttons, speed modes, movement, walls and steering.
#include "platform/audio.h"
#include "ship_fixture.h"
#include "world/tables.h"

// ---- Life cycle ----

TEST_F(ShipTest, EntryCurveOverItsFortyFiveFrames) {
    NewLife(0);
    EXPECT_EQ(Ship().Invulnerable, 600);
    EXPECT_EQ(Ship().Multiplier, 1);
    EXPECT_EQ(Ship().HeldObject, -1);
    // (frame, x, y): x = 80 - (f - 45)^2 div 9, y = 80 - f div 4.
    const struct {
        int32_t f, x, y, sprite;
    } points[] = {{1, -135, 80, 1}, {3, -116, 80, 1}, {4, -106, 79, 2},
                  {8, -72, 78, 1},  {20, 11, 75, 2},  {36, 71, 71, 2},
                  {42, 79, 70, 1},  {44, 80, 69, 2},  {45, 80, 69, 2}};
    int32_t f = 0;
    for (const auto& pt : points) {
        while (f < pt.f) {
            ASSERT_EQ(Ship().ShipState, ShipEntering) << "frame " << f;
            Step();
            ++f;
        }
        EXPECT_EQ(Ship().X, pt.x) << "frame " << f;
        EXPECT_EQ(Ship().Y, pt.y) << "frame " << f;
        EXPECT_EQ(Ship().SpriteFrame, pt.sprite) << "frame " << f;
        EXPECT_EQ(Ship().AnchorX, pt.x + 48);  // docked at orbit angle 0
        EXPECT_EQ(Ship().AnchorY, pt.y);
    }
    EXPECT_EQ(Ship().ShipState, ShipFlying);
    EXPECT_EQ(Ship().StateFrames, 45);
    // Buttons do nothing while entering: only the frame after the entry flies.
    NewLife(0);
    Steps(10, {BtnA, BtnUp});
    EXPECT_EQ(CountShotKind(ShotKind::Twin), 0);
    EXPECT_EQ(Ship().Y, 80 - 10 / 4);
}

TEST_F(ShipTest, InvulnerableShipSparklesForSixHundredFrames) {
    StartFlying(100, 120);
    Ship().Invulnerable = 3;
    Step();
    EXPECT_EQ(Ship().Invulnerable, 2);
    int32_t sparkles = 0;
    for (const TEffect& e : Effects) {
        if (e.Kind == 0) continue;
        ++sparkles;
        EXPECT_EQ(e.Kind, 5);
        EXPECT_EQ(e.VelocityX, -32);
        EXPECT_EQ(e.VelocityY, 0);
        EXPECT_GE(e.FineX, (100 - 32) * 16);
        EXPECT_LE(e.FineX, (100 + 31) * 16);
        EXPECT_GE(e.FineY, (120 - 32) * 16);
        EXPECT_LE(e.FineY, (120 + 31) * 16);
    }
    EXPECT_EQ(sparkles, 1);
    Steps(2);
    Step();
    EXPECT_EQ(Ship().Invulnerable, 0);
    int32_t busy = 0;
    for (const TEffect& e : Effects) busy += e.Kind != 0;
    EXPECT_EQ(busy, 3) << "no sparkle once the invulnerability is over";
}

TEST_F(ShipTest, ShotDownShipFallsThenRestartsOneLevelDown) {
    StartFlying(150, 100, 7, 28);
    Ship().Multiplier = 6;
    Ship().Lives = 2;
    ShootDownShip(Ship());
    EXPECT_EQ(Ship().ShipState, ShipShotDown);
    EXPECT_EQ(Ship().OriginX, 150);
    EXPECT_EQ(Ship().OriginY, 100);
    Step();  // f = 1: round(1/16 - 4) = -4
    EXPECT_EQ(Ship().X, 149);
    EXPECT_EQ(Ship().Y, 96);
    EXPECT_EQ(Ship().SpriteFrame, 7);
    Steps(9);  // f = 10: round(6.25 - 40) = -34
    EXPECT_EQ(Ship().X, 140);
    EXPECT_EQ(Ship().Y, 66);
    Steps(54);  // f = 64: back at the start height
    EXPECT_EQ(Ship().Y, 100);
    Steps(44);  // f = 108: 729 - 432 = 297
    EXPECT_EQ(Ship().Y, 397);
    EXPECT_EQ(Ship().ShipState, ShipShotDown);
    Step();  // f = 109: 742.56 - 436 rounds to 307: below 400, the life is lost
    EXPECT_EQ(Ship().ShipState, ShipEntering);
    EXPECT_EQ(Ship().Lives, 1);
    EXPECT_EQ(Ship().Multiplier, 1);
    EXPECT_EQ(Ship().Invulnerable, 600);
    EXPECT_EQ(Ship().MainShotLevel, 5);  // wide shot 3 restarts at wide shot 1
    EXPECT_EQ(Ship().AnchorWeaponLevel, 28);
    EXPECT_EQ(Ship().OriginX, 80);
    EXPECT_EQ(Ship().OriginY, 80);
}

TEST_F(ShipTest, LastLifeLostIsGameOver) {
    StartFlying(150, 100, 11, 28);
    Ship().Lives = 0;
    LoseLife(0);
    EXPECT_EQ(Ship().ShipState, ShipGameOver);
    EXPECT_EQ(Ship().Lives, 0);
    EXPECT_EQ(Ship().MainShotLevel, 11) << "no new life, no downgrade";
    // Game over: the ship stays where it is; the counters still run down.
    Ship().MainCooldown = 2;
    Steps(3, {BtnA, BtnDown});
    EXPECT_EQ(Ship().X, 150);
    EXPECT_EQ(Ship().Y, 100);
    EXPECT_EQ(Ship().MainCooldown, 0);
    EXPECT_EQ(CountShotKind(ShotKind::LaserThin), 0);
}

TEST_F(ShipTest, NewLifeClearsBulletsWithoutMedals) {
    Objects[70].Kind = 50;
    Objects[70].State = 3;
    Objects[71].Kind = 90;  // an enemy stays
    Objects[72].Kind = ItemKind::Medal;
    Objects[5].Kind = ShotKind::Main;  // ship shots are not bullets
    NewLife(0);
    EXPECT_EQ(Objects[70].Kind, EffectKind::Vanish);
    EXPECT_EQ(Objects[70].State, 0);
    EXPECT_EQ(Objects[71].Kind, 90);
    EXPECT_EQ(Objects[72].Kind, ItemKind::Medal);
    EXPECT_EQ(Objects[5].Kind, ShotKind::Main);
}

TEST_F(ShipTest, LeavingFlightAfterStageClear) {
    StartFlying(100, 100);
    Ship().OriginX = 100;
    Ship().OriginY = 100;
    Ship().ShipState = ShipLeaving;
    Ship().StateFrames = 0;
    Step();  // x = 100 - 20 + 361 div 20
    EXPECT_EQ(Ship().X, 98);
    EXPECT_EQ(Ship().Y, 100);
    Steps(19);  // f = 20: the turning point
    EXPECT_EQ(Ship().X, 80);
    EXPECT_EQ(Ship().Y, 95);
    Steps(50);  // f = 70: 80 + 2500 div 20 = 205
    EXPECT_EQ(Ship().X, 205);
    Steps(30);  // f = 100 would be 400: capped
    EXPECT_EQ(Ship().X, 360);
    EXPECT_EQ(Ship().AnchorX, 400 + 48) << "docked before the cap";
}

// ---- Buttons, charging and speed modes ----

TEST_F(ShipTest, HoldingAFiresTwentyFourFramesThenChargesAndThrowsOnRelease) {
    StartFlying(100, 120);  // character 0: big twin shot (level 4), base anchor shot (28)
    std::vector<int32_t> volleyFrames, speeds;
    int32_t chargedAt = 0;
    for (int32_t frame = 1; frame <= 45; ++frame) {
        const int32_t before = Ship().Volleys;
        Step({BtnA});
        if (Ship().Volleys != before) volleyFrames.push_back(frame);
        speeds.push_back(Ship().SpeedMode);
        if (TakeSounds(Sfx::Sign) > 0) {
            EXPECT_EQ(chargedAt, 0) << "the charge sound plays once";
            chargedAt = frame;
        }
    }
    EXPECT_EQ(volleyFrames, (std::vector<int32_t>{1, 7, 13, 19}));
    EXPECT_EQ(chargedAt, 32) << "the 31st frame of holding after the press";
    EXPECT_EQ(Ship().ChargeA, 44);
    EXPECT_EQ(speeds[0], 1);
    EXPECT_EQ(speeds[23], 1);  // frame 24: the last frame of fire
    EXPECT_EQ(speeds[24], 0);  // frame 25: no fire, charge 24
    EXPECT_EQ(speeds[30], 0);  // frame 31: charge 30
    EXPECT_EQ(speeds[31], 3);  // frame 32: charge 31
    EXPECT_EQ(Ship().AnchorState, AnchorCarried);
    EXPECT_EQ(Ship().Multiplier, 1);

    Step();  // release: the anchor is thrown, nothing fires
    EXPECT_EQ(Ship().AnchorState, AnchorThrown);
    EXPECT_EQ(Ship().Multiplier, 2);
    EXPECT_EQ(Ship().ChargeA, 0);
    EXPECT_EQ(Ship().Volleys, 4);
    for (int32_t s = 0; s <= LastShotSlot; ++s) {
        if (Objects[s].Kind == ShotKind::Twin || Objects[s].Kind == ShotKind::AnchorShot) {
            EXPECT_GT(Objects[s].Age, 1) << "slot " << s << " fired at the release";
        }
    }
    EXPECT_EQ(Ship().SpeedMode, 0);
}

TEST_F(ShipTest, ReleaseNeedsMoreThanThirtyFramesOfCharge) {
    StartFlying(100, 120);
    Steps(31, {BtnA});  // press + 30 held: charge 30
    EXPECT_EQ(Ship().ChargeA, 30);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorCarried);
    Steps(32, {BtnA});  // charge 31
    EXPECT_EQ(Ship().ChargeA, 31);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorThrown);
}

TEST_F(ShipTest, HoldingBSpinsTheAnchorOnRelease) {
    StartFlying(100, 120);
    Steps(40, {BtnB});
    EXPECT_EQ(Ship().ChargeB, 39);
    EXPECT_EQ(Ship().ChargeA, 0);
    EXPECT_EQ(Ship().SpeedMode, 3);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorSpinning);
    EXPECT_EQ(Ship().Multiplier, 2);
    EXPECT_EQ(Ship().AnchorDistance, 48);
}

TEST_F(ShipTest, BothButtonsFireContinuouslyAtSpeedTwoAndNeverCharge) {
    StartFlying(200, 120);  // far right: the shots leave before their slots run out
    for (int32_t frame = 1; frame <= 120; ++frame) {
        Step({BtnA, BtnB});
        ASSERT_EQ(Ship().SpeedMode, 2) << frame;
        ASSERT_EQ(Ship().ChargeA, 0) << frame;
        ASSERT_EQ(Ship().ChargeB, 0) << frame;
    }
    EXPECT_EQ(Ship().Volleys, 20) << "every sixth frame for 120 frames";
    EXPECT_EQ(CountSounds(Sfx::ShotNormal), 20);
    EXPECT_EQ(CountSounds(Sfx::Sign), 0);
    Step();  // both released together: no throw, no spin
    EXPECT_EQ(Ship().AnchorState, AnchorCarried);
    // A held charge is cleared by pressing the other button.
    Steps(40, {BtnA});
    Step({BtnA, BtnB});
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorCarried);
}

TEST_F(ShipTest, ChargingStopsWhileTheAnchorIsAway) {
    StartFlying(100, 120);
    Ship().AnchorState = AnchorSpinning;
    Ship().AnchorDistance = 48;
    Steps(40, {BtnA});
    ASSERT_EQ(Ship().AnchorState, AnchorSpinning);
    EXPECT_EQ(Ship().ChargeA, 0);
    EXPECT_EQ(TakeSounds(Sfx::Sign), 0);
}

TEST_F(ShipTest, MoveSpeedFollowsTheSpeedMode) {
    StartFlying(100, 120);
    Step({BtnDown});  // mode 0: 3 pixels
    EXPECT_EQ(Ship().Y, 123);
    Step({BtnDown, BtnA});  // mode 1 (firing): 2 pixels
    EXPECT_EQ(Ship().Y, 125);
    Step({BtnDown, BtnA, BtnB});  // mode 2: 3 pixels
    EXPECT_EQ(Ship().Y, 128);
    Steps(40, {BtnB});
    Step({BtnB, BtnUp});  // mode 3 (charged, no fire left): 1 pixel
    EXPECT_EQ(Ship().Y, 127);
    Step({BtnUp, BtnDown, BtnLeft});  // up and down cancel
    EXPECT_EQ(Ship().Y, 127);
    EXPECT_EQ(Ship().X, 97);
}

TEST_F(ShipTest, HugeConfiguredSpeedsEndAtTheFieldEdge) {
    StartFlying(100, 120);
    Ship().MoveSpeeds[0] = INT32_MAX;  // the file's values are not range-checked
    Step({BtnDown, BtnRight});
    EXPECT_EQ(Ship().Y, 232);
    EXPECT_EQ(Ship().X, 312);
    Ship().MoveSpeeds[0] = INT32_MIN;
    Step({BtnDown});
    EXPECT_EQ(Ship().Y, 8) << "a negative speed moves the other way";
    Step({BtnUp, BtnLeft});
    EXPECT_EQ(Ship().Y, 232);
    EXPECT_EQ(Ship().X, 312);
}

TEST_F(ShipTest, ButtonCTogglesTheLockOrLetsGo) {
    StartFlying(100, 120);
    Step({BtnC});
    EXPECT_EQ(Ship().AnchorLock, 1);
    Step({BtnC});  // held: nothing
    EXPECT_EQ(Ship().AnchorLock, 1);
    Step();
    Step({BtnC});
    EXPECT_EQ(Ship().AnchorLock, 0);
    Ship().AnchorState = AnchorHolding;
    Objects[100].Kind = 90;
    Ship().HeldObject = 100;
    Step();
    Step({BtnC});
    EXPECT_EQ(Ship().AnchorState, AnchorReturning);
    EXPECT_EQ(Ship().AnchorLock, 0) << "letting go leaves the lock alone";
}

TEST_F(ShipTest, SystemBeepNeedsAnOpenDevice) {
    plat::AudioClose();
    EXPECT_FALSE(SystemBeep());
    std::string error;
    ASSERT_TRUE(plat::AudioOpen(
        plat::AudioKind::Null, [] { return 0u; }, error))
        << error;
    EXPECT_TRUE(SystemBeep());
    EXPECT_TRUE(SystemBeep()) << "the tone is made once and played again";
    ClearWaveList();
    EXPECT_TRUE(SystemBeep()) << "made again after the buffers were released";
    plat::AudioClose();
}

// ---- Steering ----

TEST_F(ShipTest, OrbitTurnsBehindTheTravelAndTheHeadingFollowsUnlessLocked) {
    StartFlying(150, 120);
    Step({BtnUp});  // trails down (256): orbit 0 -> 16; heading 0 -> 32 toward it
    EXPECT_EQ(Ship().OrbitAngle, 16);
    EXPECT_EQ(Ship().AnchorHeading, 32);
    Step({BtnUp});  // orbit 32, heading stays (difference 0)
    EXPECT_EQ(Ship().OrbitAngle, 32);
    EXPECT_EQ(Ship().AnchorHeading, 32);
    Steps(14, {BtnUp});
    EXPECT_EQ(Ship().OrbitAngle, 256);
    Steps(5, {BtnUp});
    EXPECT_EQ(Ship().OrbitAngle, 256) << "reached: no more turning";
    EXPECT_EQ(Ship().AnchorX, 150);
    EXPECT_EQ(Ship().AnchorY, Ship().Y + 48);
    // Standing still turns nothing.
    const int32_t heading = Ship().AnchorHeading;
    Steps(3);
    EXPECT_EQ(Ship().AnchorHeading, heading);
    // Moving right trails left (512): the half turn goes the positive way.
    Step({BtnC});
    Step({BtnRight});
    EXPECT_EQ(Ship().OrbitAngle, 272);
    EXPECT_EQ(Ship().AnchorHeading, heading) << "locked";
    // Down and left trails up and right (896): the short way round.
    Ship().OrbitAngle = 0;
    Step({BtnDown, BtnLeft});
    EXPECT_EQ(Ship().OrbitAngle, 1008);
}

// ---- Walls ----

TEST_F(ShipTest, WallOnTheLeftSnapsTheShipToItsTileColumn) {
    SolidColumn(4);  // plane x 64..79
    ScrollX = 5;     // on screen 59..74
    StartFlying(86, 100);
    for (int32_t i = 0; i < 10; ++i) {
        Step({BtnLeft});
        ASSERT_GE(Ship().X, 83) << "frame " << i;
    }
    EXPECT_EQ(Ship().X, 83);  // the middle of the tile column right of the wall
}

TEST_F(ShipTest, WallOnTheRightAndFloorSnapTheShip) {
    SolidColumn(10);  // plane x 160..175
    StartFlying(140, 100);
    Steps(10, {BtnRight});
    EXPECT_EQ(Ship().X, 152);
    SolidRow(10);  // plane y 160..175
    ScrollY = 0;
    Ship().X = 100;
    Steps(25, {BtnDown});
    EXPECT_EQ(Ship().Y, 152);
    ScrollY = 3;  // the floor is 3 pixels higher on screen
    Step({BtnDown});
    EXPECT_EQ(Ship().Y, 149);
}

TEST_F(ShipTest, WallsAboveAndBelowTogetherDoNotSnap) {
    SolidTile(6, 6);        // y 96..111 at x 96..111
    SolidTile(6, 7);        // y 112..127
    StartFlying(100, 110);  // both the top and the bottom probes in rock
    Step();
    EXPECT_EQ(Ship().Y, 110);
    std::memset(StageMap.TileMap, 0, sizeof StageMap.TileMap);
    SolidTile(6, 5);  // y 80..95: only the top probes in rock
    StartFlying(100, 101);
    Step();
    EXPECT_EQ(Ship().Y, 104);
}

TEST_F(ShipTest, ShipIsClampedToTheField) {
    StartFlying(10, 10);
    Steps(3, {BtnUp, BtnLeft});
    EXPECT_EQ(Ship().X, 8);
    EXPECT_EQ(Ship().Y, 8);
    Ship().X = 310;
    Ship().Y = 230;
    Steps(3, {BtnDown, BtnRight});
    EXPECT_EQ(Ship().X, 312);
    EXPECT_EQ(Ship().Y, 232);
}

TEST_F(ShipTest, MapWithoutTerrainNeverStopsTheShip) {
    SolidColumn(4);
    HasTerrain = 0;
    StartFlying(86, 100);
    Steps(5, {BtnLeft});
    EXPECT_EQ(Ship().X, 71);
}

// ---- Upgrade rows ----

TEST_F(ShipTest, ItemColoursMoveAlongTheUpgradeRows) {
    TPlayer& p = Ship();
    const auto apply = [&](std::initializer_list<int32_t> colours) {
        for (int32_t c : colours) ApplyItemColour(p, c);
    };
    // Character 0: the main shot rows, the anchor never changes.
    p.MainShotLevel = 4;
    p.AnchorWeaponLevel = 28;
    apply({0});
    EXPECT_EQ(p.MainShotLevel, 5);
    apply({0, 0, 0});
    EXPECT_EQ(p.MainShotLevel, 7) << "the end of the wide shot";
    apply({1});
    EXPECT_EQ(p.MainShotLevel, 10) << "switching line keeps the level count";
    apply({2});
    EXPECT_EQ(p.MainShotLevel, 13);
    EXPECT_EQ(p.AnchorWeaponLevel, 28);
    p.MainShotLevel = 8;
    apply({2});
    EXPECT_EQ(p.MainShotLevel, 12);
    // Character 1: the main shot rises to 2 whatever the colour; the anchor lines are one
    // level each.
    p.MainShotLevel = 0;
    p.AnchorWeaponLevel = 14;
    apply({2});
    EXPECT_EQ(p.MainShotLevel, 1);
    EXPECT_EQ(p.AnchorWeaponLevel, 17);
    apply({0, 1});
    EXPECT_EQ(p.MainShotLevel, 2);
    EXPECT_EQ(p.AnchorWeaponLevel, 16);
    // Character 2: main shot fixed at 3; three anchor lines of three levels.
    p.MainShotLevel = 3;
    p.AnchorWeaponLevel = 18;
    apply({1});
    EXPECT_EQ(p.AnchorWeaponLevel, 22);
    apply({2});
    EXPECT_EQ(p.AnchorWeaponLevel, 26);
    apply({0, 0});
    EXPECT_EQ(p.AnchorWeaponLevel, 21);
    EXPECT_EQ(p.MainShotLevel, 3);
}

TEST_F(ShipTest, LostLivesMoveOneLevelDownButNotBelowTheLineOnceAtLevelTwo) {
    const struct {
        uint8_t from;
        std::vector<uint8_t> downs;
    } rows[] = {
        {7, {5, 4, 4}}, {10, {8, 4, 4}}, {13, {11, 4}},  {6, {5, 4}}, {2, {1, 0, 0}},
        {3, {3}},       {17, {14, 14}},  {16, {14}},     {28, {28}},  {21, {19, 18, 18}},
        {24, {22, 18}}, {27, {25, 18}},  {20, {19, 18}},
    };
    for (const auto& r : rows) {
        uint8_t level = r.from;
        for (uint8_t want : r.downs) {
            Ship().Lives = 5;
            Ship().MainShotLevel = level;
            LoseLife(0);
            EXPECT_EQ(Ship().MainShotLevel, want) << "from " << int(level);
            level = Ship().MainShotLevel;
        }
    }
    // Both weapons go down with the same life.
    Ship().MainShotLevel = 9;
    Ship().AnchorWeaponLevel = 23;
    LoseLife(0);
    EXPECT_EQ(Ship().MainShotLevel, 8);
    EXPECT_EQ(Ship().AnchorWeaponLevel, 22);
    EXPECT_EQ(UpgradedLevel(200, 0), 200) << "a level off the table stays";
}
