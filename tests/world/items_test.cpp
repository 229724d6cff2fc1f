// The effects and items pass: the drifting bonus, the bouncing power-up, the medal (moved
// in the bullet pass), flashes, pop-ups and explosions turning into multiplier pop-ups.
#include "enemy_fixture.h"
#include "world/state.h"
#include "zvrandom.h"

namespace {

using ItemTest = EnemyTest;

int32_t Put(int32_t kind, int32_t x, int32_t y) {
    const int32_t slot = FindFreeSlot(FirstWorldSlot, LastWorldSlot).first;
    TWorldObject& o = Objects[slot];
    o = {};
    o.Kind = kind;
    o.X = x;
    o.Y = y;
    o.FineX = x * 16;
    o.FineY = y * 16;
    o.State = StateActive;
    o.Bounds = {-80, 400, -60, 300};
    return slot;
}

TEST_F(ItemTest, PowerUpBouncesWithFreshSpeedsUntilAge600) {
    const int32_t slot = Put(ItemKind::PowerUp, 17, 100);
    TWorldObject& p = Objects[slot];
    p.VelocityX = -32;  // crosses x = 16 in its first frame
    p.VelocityY = 0;
    const uint32_t saved = RandSeed;
    const int32_t bounce = 8 + random(24);
    RandSeed = saved;
    Frame();
    EXPECT_EQ(p.X, 15);
    EXPECT_EQ(p.VelocityX, bounce);
    // Bottom edge: a fresh speed upward.
    p.FineY = 225 * 16;
    p.VelocityY = 4;
    Frame();
    EXPECT_LE(p.VelocityY, -8);
    EXPECT_GE(p.VelocityY, -31);
    // From age 600 on it flies straight out.
    p.Age = 599;
    p.FineX = 10 * 16;
    p.VelocityX = -20;
    Frame();
    EXPECT_EQ(p.VelocityX, -20);
}

TEST_F(ItemTest, PowerUpColourCyclesEvery64Frames) {
    const int32_t slot = Put(ItemKind::PowerUp, 160, 120);
    Objects[slot].Param = 1;
    Frames(63);
    EXPECT_EQ(Objects[slot].Param, 1);
    Frame();
    EXPECT_EQ(Objects[slot].Param, 2);
    Frames(64);
    EXPECT_EQ(Objects[slot].Param, 0);
}

TEST_F(ItemTest, DriftingBonusAndMedal) {
    const int32_t bonus = Put(8, 100, 50);
    Frames(3);
    EXPECT_EQ(Objects[bonus].X, 97);
    // The medal shows the position it had, then speeds up to the left.
    const int32_t medal = Put(ItemKind::Medal, 100, 60);
    Objects[medal].VelocityX = 2;
    Objects[medal].VelocityY = 3;
    Frame();
    EXPECT_EQ(Objects[medal].X, 100);
    EXPECT_EQ(Objects[medal].FineX, 1600 + 2 - 1);
    EXPECT_EQ(Objects[medal].VelocityX, 1);
    EXPECT_EQ(Objects[medal].FineY, 960 + 3);
    // Removed on the step that starts below fine x -15.
    Objects[medal].FineX = -15;
    Objects[medal].VelocityX = -1;
    Frame();
    EXPECT_EQ(Objects[medal].Kind, ItemKind::Medal);
    Frame();
    EXPECT_EQ(Objects[medal].Kind, KindFree);
}

TEST_F(ItemTest, FlashAndPopUpsExpire) {
    const int32_t flash = Put(EffectKind::Vanish, 50, 50);
    const int32_t pop = Put(EffectKind::ScorePopUp, 60, 100);
    Frames(3);
    EXPECT_EQ(Objects[flash].Kind, EffectKind::Vanish);
    Frame();
    EXPECT_EQ(Objects[flash].Kind, KindFree);
    Frames(56);  // age 60: still there, one pixel up on each odd age
    EXPECT_EQ(Objects[pop].Kind, EffectKind::ScorePopUp);
    EXPECT_EQ(Objects[pop].Y, 100 - 30);
    Frame();
    EXPECT_EQ(Objects[pop].Kind, KindFree);
}

TEST_F(ItemTest, ExplosionsMoveThenShowTheMultiplierTheyCarried) {
    struct Case {
        int32_t kind, param, lastAge, after;
    };
    const Case cases[] = {
        {EffectKind::SmallExplosion, 0, 23, KindFree},
        {EffectKind::SmallExplosion, 4, 23, EffectKind::MultiplierPopUp},
        {EffectKind::LargeExplosion, 7, 35, EffectKind::MultiplierPopUp},
        {EffectKind::LargeExplosion, 0, 35, KindFree},
    };
    for (const Case& c : cases) {
        ResetWorld();
        const int32_t slot = Put(c.kind, 100, 100);
        Objects[slot].Param = c.param;
        Objects[slot].VelocityX = 8;  // half a pixel a frame
        Frames(c.lastAge);
        EXPECT_EQ(Objects[slot].Kind, c.kind);
        EXPECT_EQ(Objects[slot].X, 100 + c.lastAge / 2);
        Frame();
        EXPECT_EQ(Objects[slot].Kind, c.after) << c.kind << " param " << c.param;
        if (c.after == EffectKind::MultiplierPopUp) {
            EXPECT_EQ(Objects[slot].Param, c.param);
            EXPECT_EQ(Objects[slot].Age, 0);
        }
    }
}

}  // namespace
