// Enemy bullets: the spawn with its classes and hells, fans, cancelling, the bullet pass of
// every motion and the shoot-back of explosions.
#include "enemy_fixture.h"
#include "world/state.h"
#include "zvcommon/stagemap.h"
#include "zvrandom.h"

namespace {

using BulletTest = EnemyTest;

// A hell-scaled ray of kind 50 at (160, 120).
void Ray(int32_t speed, int32_t angle = 0, int32_t cls = 0, uint32_t look = 1, int32_t start = 0) {
    FireBullet(160, 120,
               {.Kind = BulletKind::Needle,
                .Speed = speed,
                .Class = cls,
                .Look = look,
                .Start = start,
                .Angle = angle});
}

TEST_F(BulletTest, SpeedHellScalesWithUnsignedHalving) {
    struct Case {
        int32_t hell, speed, want;
    };
    const Case cases[] = {
        {SpeedX1, 33, 33},
        {SpeedHalf, 33, 16},
        {SpeedOneAndHalf, 33, 49},
        {SpeedX2, 33, 66},
        {SpeedHalf, 1, 0},
        {SpeedHalf, -2, 0x7fffffff},  // a negative speed halves to a huge one
    };
    for (const Case& c : cases) {
        ResetWorld();
        HellSpeed = c.hell;
        Ray(c.speed);
        EXPECT_EQ(Objects[64].Frame, c.want) << c.hell << " " << c.speed;
        FireBullet(0, 0, {.Kind = BulletKind::Needle, .Speed = c.speed, .Hells = false});
        EXPECT_EQ(Objects[65].Frame, c.speed) << "hell scaling off";
    }
}

TEST_F(BulletTest, HalfSpeedOfOneStaysAtItsStartDistance) {
    HellSpeed = SpeedHalf;
    Ray(1, 0, 0, 1, 40);
    Frames(50);
    EXPECT_EQ(Objects[64].Kind, 50);
    EXPECT_EQ(Objects[64].HitPoints, 40);
    EXPECT_EQ(Objects[64].X, 160 + 2);
}

TEST_F(BulletTest, DensityCopies) {
    struct Case {
        int32_t density;
        std::vector<Shot> want;  // start distances 0, each after one bullet-pass step
    };
    // Speed 40 under X1.5: s = 60; copies at s - s / 4 = 45 and s - s / 2 = 30.
    const Case cases[] = {
        {DensityX1, {{50, 60, 1, 0, 100}}},
        {DensityX2, {{50, 45, 1, 0, 100}, {50, 60, 1, 0, 100}}},
        {DensityX3A, {{50, 30, 1, 0, 100}, {50, 45, 1, 0, 100}, {50, 60, 1, 0, 100}}},
        {DensityX3B, {{50, 45, 1, 0, 87}, {50, 45, 1, 0, 113}, {50, 60, 1, 0, 100}}},
    };
    for (const Case& c : cases) {
        ResetWorld();
        HellSpeed = SpeedOneAndHalf;
        HellDensity = c.density;
        Ray(40, 100);
        BulletPass();
        EXPECT_EQ(Bullets(), c.want) << "density " << c.density;
        // Shoot-back and any bullet with hell scaling off: never scaled or copied.
        ClearBullets();
        FireBullet(160, 120,
                   {.Kind = BulletKind::SmallBall,
                    .Speed = 40,
                    .Class = ClassShootBack,
                    .Look = 1,
                    .Angle = 100,
                    .Hells = false});
        EXPECT_EQ(CountBullets(), 1);
        EXPECT_EQ(Objects[64].Frame, 40);
    }
    // X3-B copies wrap the angle.
    ResetWorld();
    HellDensity = DensityX3B;
    Ray(32, 5);
    EXPECT_EQ(Objects[65].Aim, 1016);
    EXPECT_EQ(Objects[66].Aim, 18);
}

TEST_F(BulletTest, CopiesIntoAFullTable) {
    // X2 with one free slot: the bullet takes it, its copy goes to the spare slot and is
    // lost; nothing else changes.
    FillTable(1);
    const std::vector<TWorldObject> before(Objects, Objects + SpareSlot);
    HellDensity = DensityX2;
    Ray(32, 7);
    EXPECT_EQ(Objects[256].Kind, 50);
    EXPECT_EQ(Objects[SpareSlot].Kind, 50);
    EXPECT_EQ(Objects[SpareSlot].Frame, 24);
    for (int32_t s = 0; s < 256; ++s) ASSERT_EQ(Objects[s].Kind, before[s].Kind) << s;
    // X3-B with one free slot: no copy at all, the spare slot untouched.
    ResetWorld();
    FillTable(1);
    HellDensity = DensityX3B;
    Ray(32, 7);
    EXPECT_EQ(Objects[256].Kind, 50);
    EXPECT_EQ(Objects[SpareSlot].Kind, KindFree);
    // No free slot: nothing, not even the spare.
    ResetWorld();
    FillTable(0);
    HellDensity = DensityX2;
    Ray(32, 7);
    EXPECT_EQ(Objects[SpareSlot].Kind, KindFree);
}

TEST_F(BulletTest, DifficultyClassesAndLooks) {
    struct Case {
        const char* name;
        uint8_t c0, c1, c2;
        std::vector<Shot> want;  // from classes 0, 1, 2 with look 2 each
    };
    const Case cases[] = {
        {"EASY", ClassNormal, ClassOff, ClassOff, {{50, 16, 2, 0, 0}}},
        {"NORMAL", ClassNormal, ClassNormal, ClassOff, {{50, 16, 2, 0, 0}, {50, 17, 2, 0, 0}}},
        {"SUPER",
         ClassPiercing,
         ClassNormal,
         ClassNormal,
         {{50, 16, 8, 0, 0}, {50, 17, 2, 0, 0}, {50, 18, 2, 0, 0}}},
        {"IMPOSSIBLE",
         ClassPiercing,
         ClassPiercing,
         ClassPiercing,
         {{50, 16, 8, 0, 0}, {50, 17, 8, 0, 0}, {50, 18, 8, 0, 0}}},
    };
    for (const Case& c : cases) {
        ClearBullets();
        SetClasses(c.c0, c.c1, c.c2);
        for (int32_t cls = 0; cls < 3; ++cls) Ray(16 + cls, 0, cls, 2);
        BulletPass();
        EXPECT_EQ(Bullets(), c.want) << c.name;
    }
}

TEST_F(BulletTest, FansAreCentred) {
    struct Case {
        int32_t step, count, centre;
        std::vector<int32_t> angles;
    };
    const Case cases[] = {
        {128, 8, 0, {64, 192, 320, 448, 576, 704, 832, 960}},  // the whole circle
        {64, 2, 0, {32, 992}},                                 // even: no bullet at the centre
        {32, 3, 512, {480, 512, 544}},
        {32, 5, 100, {36, 68, 100, 132, 164}},
    };
    for (const Case& c : cases) {
        ClearBullets();
        FireFan(160, 120, {.Kind = BulletKind::SmallBall, .Speed = 16, .Angle = c.centre},
                {.Step = c.step, .Count = c.count});
        std::vector<int32_t> angles;
        for (const Shot& s : Bullets()) angles.push_back(s.angle);
        std::sort(angles.begin(), angles.end());
        EXPECT_EQ(angles, c.angles) << c.step << " x " << c.count;
    }
}

TEST_F(BulletTest, CancelTurnsEveryBulletIntoAMedalOrAFlash) {
    for (const bool medals : {true, false}) {
        ResetWorld();
        DefineKind(80, 5);
        const int32_t enemy = SpawnObject(50, 50, 80, 0);
        for (int32_t k = KindFirstBullet; k <= KindLastBullet; ++k)
            FireBullet(100 + k, 60, {.Kind = k, .Speed = 8, .Look = 5, .Mode = 3, .Hells = false});
        CancelBullets(medals);
        EXPECT_EQ(Objects[enemy].Kind, 80);
        for (int32_t s = enemy + 1; s <= enemy + 16; ++s) {
            const TWorldObject& o = Objects[s];
            EXPECT_EQ(o.Kind, medals ? ItemKind::Medal : EffectKind::Vanish) << s;
            EXPECT_EQ(BulletLook(o), 0u);
            EXPECT_EQ(o.Age, 0);
            if (medals) {
                EXPECT_EQ(o.FineX, o.X * 16);
                EXPECT_GE(o.VelocityX, 22);
                EXPECT_LE(o.VelocityX, 29);
                EXPECT_GE(o.VelocityY, -4);
                EXPECT_LE(o.VelocityY, 4);
            }
        }
    }
}

TEST_F(BulletTest, RayDistanceRoundsTowardMinusInfinity) {
    struct Case {
        int32_t start, speed, angle, x, y;
    };
    const Case cases[] = {
        {0, 32, 0, 162, 120},    // 2 pixels right
        {-20, 0, 0, 158, 120},   // -20 / 16 is -2, not -1
        {15, 0, 256, 160, 120},  // 15 / 16 is 0
        {40, 8, 128, 162, 122},  // 3 pixels down-right: round(2.12) each
    };
    for (const Case& c : cases) {
        ResetWorld();
        FireBullet(160, 120,
                   {.Kind = BulletKind::SmallBall,
                    .Speed = c.speed,
                    .Start = c.start,
                    .Angle = c.angle,
                    .Hells = false});
        BulletPass();
        EXPECT_EQ(Objects[64].X, c.x) << c.start << " " << c.angle;
        EXPECT_EQ(Objects[64].Y, c.y) << c.start << " " << c.angle;
    }
}

TEST_F(BulletTest, LeavingTheFieldThenTheBackgroundTest) {
    // A solid tile under the point (330, 120) of the map: off the field, yet the flash
    // comes back.
    HasTerrain = 1;
    StageMap.TileAttributes[1] = TileSolidBit;
    StageMap.TileMap[(330 / 16) * TileColumnBytes + 120 / 16] = 1;
    StageMap.TileMap[(100 / 16) * TileColumnBytes + 120 / 16] = 1;
    struct Case {
        int32_t x, y, kind;
    };
    const Case cases[] = {
        {320, 60, 48},
        {321, 60, KindFree},
        {-1, 60, KindFree},
        {100, 241, KindFree},
        {100, 240, 48},
        {330, 120, EffectKind::Vanish},
        {100, 120, EffectKind::Vanish},
    };
    for (const Case& c : cases) {
        ClearBullets();
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) Objects[s].Kind = KindFree;
        FireBullet(c.x, c.y, {.Kind = BulletKind::SmallBall, .Look = 3, .Hells = false});
        BulletPass();
        EXPECT_EQ(Objects[64].Kind, c.kind) << c.x << "," << c.y;
        if (c.kind == EffectKind::Vanish) {
            EXPECT_EQ(BulletLook(Objects[64]), 0u);
            EXPECT_EQ(Objects[64].Age, 0);
        }
    }
}

TEST_F(BulletTest, TrailingRayLeavesPiecesThatExpire) {
    // Speed 64: a piece every 2 frames, living 16.
    FireBullet(20, 120, {.Kind = BulletKind::TrailRay, .Speed = 64, .Look = 2, .Hells = false});
    Frames(6);
    EXPECT_EQ(CountKind(63), 3);
    for (int32_t s = 65; s <= 67; ++s) {
        EXPECT_EQ(Objects[s].ExtraA, 16);
        EXPECT_EQ(BulletLook(Objects[s]), 2u);
        EXPECT_EQ(Objects[s].Frame, 0);
    }
    EXPECT_EQ(Objects[65].X, 20 + 8);  // dropped at age 2, 4 pixels a frame
    const int32_t firstAge = Objects[65].Age;
    Frames(16 - firstAge);
    EXPECT_EQ(Objects[65].Kind, 63);
    Frame();
    EXPECT_EQ(Objects[65].Kind, KindFree);
    // A trailing bullet whose speed the speed hell halved to 0 moves not and trails not.
    ResetWorld();
    FireBullet(20, 120, {.Kind = BulletKind::TrailRay, .Look = 2, .Hells = false});
    Frames(4);
    EXPECT_EQ(CountKind(63), 0);
}

TEST_F(BulletTest, FreeFlightModes) {
    // Mode 0 bounces off the top and bottom.
    FireBullet(100, 4,
               {.Kind = BulletKind::Crystal, .Speed = 32, .Look = 1, .Angle = 768, .Hells = false});
    Frame();
    EXPECT_EQ(Objects[64].Aim, 256);
    EXPECT_EQ(Objects[64].Y, 2);
    Frame();
    EXPECT_EQ(Objects[64].Y, 4);

    // Mode 1 turns a quarter at a time while turns are left.
    ResetWorld();
    Park(74, 217);  // seen from (100, 120) at about 300: a right turn due
    FireBullet(100, 120,
               {.Kind = BulletKind::Crystal,
                .Look = 1,
                .Mode = ModeTurning,
                .ModeValue = 1,
                .Hells = false});
    Frame();
    EXPECT_EQ(Objects[64].Aim, 256);
    EXPECT_EQ(Objects[64].ExtraB, 0);
    Park(4, 93);  // again about 300 from the new heading, but no turns are left
    Frame();
    EXPECT_EQ(Objects[64].Aim, 256);

    // Mode 6 becomes an aimed trailing ray past x 317.
    ResetWorld();
    Park(100, 120);
    FireBullet(316, 120,
               {.Kind = BulletKind::Crystal, .Speed = 48, .Look = 1, .Mode = ModeAimLate});
    Frame();
    EXPECT_EQ(Objects[64].Kind, 56);
    EXPECT_EQ(Objects[64].Aim, 512);
    EXPECT_EQ(Objects[64].VelocityX, 319);
    EXPECT_EQ(Objects[64].HitPoints, 0);
    Frame();
    EXPECT_EQ(Objects[64].X, 316);

    // Mode 7 curves by its step until age 120.
    ResetWorld();
    FireBullet(160, 120,
               {.Kind = BulletKind::Crystal,
                .Look = 1,
                .Angle = 100,
                .Mode = ModeCurving,
                .ModeValue = -3,
                .Hells = false});
    Frames(119);
    EXPECT_EQ(Objects[64].Aim, (100 - 3 * 119) & 1023);
    Frames(5);
    EXPECT_EQ(Objects[64].Aim, (100 - 3 * 119) & 1023);
}

TEST_F(BulletTest, FreeFlightTrailUsesTheCurrentAngle) {
    FireBullet(160, 120,
               {.Kind = BulletKind::TrailCrystal,
                .Speed = 32,
                .Look = 4,
                .Mode = ModeCurving,
                .ModeValue = 5,
                .Hells = false});
    Frames(4);  // pieces at ages 4 (128 / 32)
    EXPECT_EQ(CountKind(63), 1);
    EXPECT_EQ(Objects[65].Aim, 20);
    EXPECT_EQ(Objects[65].ExtraA, 32);
}

TEST_F(BulletTest, HomingBulletTurnsEightAFrameFor300Frames) {
    Park(160, 0);
    FireBullet(160, 200,
               {.Kind = BulletKind::Homing,
                .Speed = 48,
                .Class = 3,
                .Look = 1,
                .Hells = false});  // heading right, ship above
    Frame();
    EXPECT_EQ(Objects[64].X, 163);
    EXPECT_EQ(Objects[64].Aim, 1016);
    Objects[64].Age = 299;
    Objects[64].Aim = 0;
    Frame();
    EXPECT_EQ(Objects[64].Aim, 0);
}

// An explosion of the given kind and shoot-back type at (160, 120).
int32_t Blast(int32_t kind, int32_t type) {
    const int32_t slot = FindFreeSlot(FirstWorldSlot, LastWorldSlot).first;
    TWorldObject& o = Objects[slot];
    o = {};
    o.Kind = kind;
    o.X = 160;
    o.Y = 120;
    o.FineX = 160 * 16;
    o.FineY = 120 * 16;
    o.Parent = type;
    o.State = StateActive;
    o.Bounds = {-80, 400, -60, 300};
    return slot;
}

TEST_F(BulletTest, ShootBackCountsByTypeAndSize) {
    struct Case {
        int32_t kind, type, bullets;
    };
    const Case cases[] = {
        {72, ShootBackOff, 0}, {72, ShootBackM, 1}, {73, ShootBackM, 1},
        {72, ShootBackS, 3},   {73, ShootBackS, 5}, {72, ShootBackI, 4},
    };
    for (const Case& c : cases) {
        ResetWorld();
        Park(20, 20);
        HellDensity = DensityX3B;  // never copied
        HellSpeed = SpeedX2;       // never scaled
        Blast(c.kind, c.type);
        Frames(40);
        int32_t n = 0;
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            const TWorldObject& o = Objects[s];
            if (o.Kind != 48) continue;
            ++n;
            EXPECT_LT(BulletLook(o), 4u);
            if (c.type == ShootBackI) {
                EXPECT_GE(o.Frame, 24);
                EXPECT_LT(o.Frame, 40);
            } else {
                EXPECT_EQ(o.Frame, 32);
            }
            if (c.type == ShootBackS) {
                EXPECT_EQ(o.Aim, 576) << "the aim (613) down to 16 directions";
            }
        }
        EXPECT_EQ(n, c.bullets) << c.kind << " type " << c.type;
    }
}

TEST_F(BulletTest, ShootBackSquareHasHalfOpenEdges) {
    struct Case {
        int32_t shipX, shipY;
        bool fires;
    };
    const Case cases[] = {
        {160 - 64, 120, false}, {160 + 63, 120, false}, {160 + 64, 120, true},
        {160, 120 - 64, false}, {160, 120 + 63, false}, {160, 120 + 64, true},
        {160 - 65, 120, true},
    };
    for (const Case& c : cases) {
        ResetWorld();
        Park(c.shipX, c.shipY);
        Blast(72, ShootBackM);
        ItemPass();
        EXPECT_EQ(CountKind(48), c.fires ? 1 : 0) << c.shipX << "," << c.shipY;
    }
}

}  // namespace
