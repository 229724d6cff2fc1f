// The anchor's states: thrown with its trail, returning and docking, spinning, the plasma
// anchor's drops and the gravity anchor's hold.
#include <algorithm>
#include <cstdlib>

#include "ship_fixture.h"

TEST_F(ShipTest, ThrownAnchorFliesToTheEdgeLeavingATrailThenReturnsAndDocks) {
    StartFlying(100, 120);  // anchor docked at (148, 120)
    Ship().AnchorHeading = 40;
    Ship().Multiplier = 5;
    ThrowAnchor(Ship(), AnchorThrown);
    EXPECT_EQ(Ship().AnchorHeading, 0) << "from the ship toward the anchor";
    EXPECT_EQ(Ship().SavedHeading, 40);
    EXPECT_EQ(Ship().AnchorDistance, 48);
    EXPECT_EQ(Ship().LaunchX, 100);
    EXPECT_EQ(Ship().Multiplier, 2);
    for (int32_t frame = 1; frame <= 21; ++frame) {
        Step();
        ASSERT_EQ(Ship().AnchorX, 148 + 8 * frame) << frame;
        ASSERT_EQ(Ship().AnchorY, 120);
        ASSERT_EQ(Ship().AnchorFrames, frame);
        ASSERT_EQ(Ship().AnchorState, frame < 21 ? AnchorThrown : AnchorReturning) << frame;
        // One trail shot a frame at the anchor; each is gone when its age passes 7.
        int32_t newest = -1;
        for (int32_t s = 16; s <= 31; ++s) {
            if (Objects[s].Kind == ShotKind::Trail && Objects[s].Age == 1) newest = s;
        }
        ASSERT_GE(newest, 16) << frame;
        EXPECT_EQ(Objects[newest].X, Ship().AnchorX);
        EXPECT_EQ(Objects[newest].Parent, newest);
        EXPECT_EQ(CountShotKind(ShotKind::Trail), std::min(frame, 7)) << frame;
    }
    EXPECT_EQ(Ship().AnchorX, 316) << "beyond 312: turned back";
    for (int32_t frame = 1; frame <= 21; ++frame) {
        Step();
        ASSERT_EQ(Ship().AnchorX, 316 - 8 * frame) << frame;
        ASSERT_EQ(Ship().AnchorState, AnchorReturning) << frame;
    }
    // The x step landed exactly on the dock point: the angle between two equal points is
    // straight up, so the y step lifts the anchor out of the docking square for a frame.
    EXPECT_EQ(Ship().AnchorY, 112);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorCarried);
    EXPECT_EQ(Ship().AnchorX, 148);
    EXPECT_EQ(Ship().AnchorY, 120);
    EXPECT_EQ(Ship().AnchorHeading, 40) << "the heading from before the throw";
    EXPECT_EQ(Ship().Multiplier, 2);
    Steps(8);
    EXPECT_EQ(CountShotKind(ShotKind::Trail), 0) << "no trail while returning";
}

TEST_F(ShipTest, ThrowFromAnywhereUsesTheRoundedDistance) {
    StartFlying(100, 120);
    Ship().AnchorX = 130;  // 30, 40: 50 pixels away, down and right
    Ship().AnchorY = 160;
    ThrowAnchor(Ship(), AnchorThrown);
    EXPECT_EQ(Ship().AnchorDistance, 50);
    EXPECT_EQ(Ship().AnchorHeading, GetAngle(100, 120, 130, 160));
    Ship().AnchorX = 103;  // sqrt(9 + 49) = 7.6
    Ship().AnchorY = 127;
    ThrowAnchor(Ship(), AnchorThrown);
    EXPECT_EQ(Ship().AnchorDistance, 8);
}

TEST_F(ShipTest, ReturningAnchorFollowsAMovingShip) {
    StartFlying(100, 120);
    Ship().AnchorState = AnchorReturning;
    Ship().AnchorX = 300;
    Ship().AnchorY = 30;
    Ship().SavedHeading = 7;
    int32_t frames = 0;
    while (Ship().AnchorState == AnchorReturning && frames < 200) {
        const int32_t ax = Ship().AnchorX, ay = Ship().AnchorY;
        Step({BtnDown});
        ++frames;
        // Never more than 8 pixels on an axis per frame.
        ASSERT_LE(std::abs(Ship().AnchorX - ax), 8);
        ASSERT_LE(std::abs(Ship().AnchorY - ay), 8);
    }
    ASSERT_EQ(Ship().AnchorState, AnchorCarried);
    EXPECT_LT(frames, 40);
    EXPECT_EQ(Ship().AnchorHeading, 7);
    Step();
    int32_t dockX = 0, dockY = 0;
    DockPoint(Ship(), dockX, dockY);
    EXPECT_EQ(Ship().AnchorX, dockX) << "carried: at the dock point";
    EXPECT_EQ(Ship().AnchorY, dockY);
}

TEST_F(ShipTest, SpinCirclesTheShipFor128FramesAtTheThrowDistance) {
    StartFlying(100, 120);
    ThrowAnchor(Ship(), AnchorSpinning);
    Step();
    EXPECT_EQ(Ship().AnchorHeading, 32);
    EXPECT_EQ(Ship().AnchorX, 147);  // 48 (cos, sin) of 32 steps: 47.08, 9.36
    EXPECT_EQ(Ship().AnchorY, 129);
    Steps(31);
    EXPECT_EQ(Ship().AnchorHeading, 0) << "a full turn every 32 frames";
    EXPECT_EQ(Ship().AnchorX, 148);
    Step({BtnUp});  // the circle goes with the ship
    EXPECT_EQ(Ship().AnchorX, 147);
    EXPECT_EQ(Ship().AnchorY, 126);
    Steps(95);
    EXPECT_EQ(Ship().AnchorFrames, 128);
    EXPECT_EQ(Ship().AnchorState, AnchorSpinning);
    EXPECT_EQ(CountShotKind(ShotKind::Trail), 7);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorReturning);
}

TEST_F(ShipTest, PlasmaAnchorDropsStandingShotsEveryFourthFrame) {
    StartFlying(100, 120, 3, 26);
    ThrowAnchor(Ship(), AnchorThrown);
    std::vector<int32_t> dropFrames;
    for (int32_t frame = 1; frame <= 12; ++frame) {
        const int32_t before = CountShotKind(41);
        Step();
        if (CountShotKind(41) > before) dropFrames.push_back(frame);
    }
    EXPECT_EQ(dropFrames, (std::vector<int32_t>{1, 5, 9}));
    EXPECT_EQ(CountShotKind(ShotKind::Trail), 0);
    const TWorldObject& first = Objects[10];
    EXPECT_EQ(first.Kind, 41);
    EXPECT_EQ(first.X, 156) << "stays where it was dropped";
    EXPECT_EQ(first.Param, 0);
    EXPECT_EQ(first.Parent, 0);
    EXPECT_EQ(Objects[11].X, 188);
    // Each lives 180 frames.
    Ship().AnchorWeaponLevel = 28;  // stop dropping
    Steps(168);
    EXPECT_EQ(Objects[10].Kind, 41);
    EXPECT_EQ(Objects[10].Age, 180);
    Step();
    EXPECT_EQ(Objects[10].Kind, 0);
    // The spin of a plasma anchor leaves the ordinary trail.
    StartFlying(100, 120, 3, 27);
    ThrowAnchor(Ship(), AnchorSpinning);
    Step();
    EXPECT_EQ(CountShotKind(ShotKind::Trail), 1);
    EXPECT_EQ(CountShotKind(42), 0);
}

TEST_F(ShipTest, GravityAnchorHoldsAnEnemyUntilItIsGoneOrOffTheScreen) {
    StartFlying(100, 120, 0, 17);
    TWorldObject& enemy = Objects[100];
    enemy.Kind = 90;
    enemy.X = 200;
    enemy.Y = 60;
    Ship().AnchorState = AnchorHolding;
    Ship().HeldObject = 100;
    for (int32_t i = 0; i < 40; ++i) {
        Step({BtnA, BtnB});  // firing: the held anchor fires no anchor weapon
        ASSERT_EQ(Ship().AnchorState, AnchorHolding);
        ASSERT_EQ(Objects[24].Kind, ShotKind::HeldAnchor) << "never expires";
    }
    EXPECT_EQ(Ship().AnchorX, 200);
    EXPECT_EQ(Ship().AnchorY, 60);
    const TWorldObject& held = Objects[24];
    EXPECT_EQ(held.X, 200);
    EXPECT_EQ(held.FineY, 60 * 16);
    EXPECT_EQ(held.Parent, 0);
    EXPECT_EQ(held.VelocityX, 0);
    EXPECT_EQ(held.HitBox.Right, 20);
    EXPECT_LT(held.Age, 8);
    EXPECT_EQ(enemy.X, 200) << "the held enemy is not moved";
    // Off the top: it follows until it is above -15.
    enemy.Y = -14;
    Step();
    EXPECT_EQ(Ship().AnchorY, -14);
    enemy.Y = -30;
    Step();
    EXPECT_EQ(Ship().AnchorY, -30);
    EXPECT_EQ(Ship().AnchorState, AnchorHolding);
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorReturning);
    // Destroyed (its explosion is below kind 80): let go.
    Ship().AnchorState = AnchorHolding;
    Ship().AnchorY = 60;
    enemy.Y = 60;
    enemy.Kind = EffectKind::SmallExplosion;
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorReturning);
    // A held slot off the table is let go too.
    Ship().AnchorState = AnchorHolding;
    Ship().HeldObject = 5000;
    Step();
    EXPECT_EQ(Ship().AnchorState, AnchorReturning);
}

TEST_F(ShipTest, GravityAnchorThrowLeavesTheOrdinaryTrail) {
    StartFlying(100, 120, 0, 17);
    ThrowAnchor(Ship(), AnchorThrown);
    Steps(3);
    EXPECT_EQ(CountShotKind(ShotKind::Trail), 3);
}

TEST_F(ShipTest, CarriedAnchorFiresOnlyWhileCarried) {
    StartFlying(100, 120, 4, 28);
    ThrowAnchor(Ship(), AnchorThrown);
    Steps(6, {BtnA, BtnB});
    EXPECT_EQ(CountShotKind(ShotKind::AnchorShot), 0);
    EXPECT_GT(CountShotKind(ShotKind::Twin), 0) << "the main shot fires meanwhile";
}
