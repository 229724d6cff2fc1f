// The object table, its free-slot search, spawning from the kind table and the particles.
#include "world/objects.h"

#include "world/spawn.h"
#include "world/state.h"
#include "world/tables.h"
#include "world_fixture.h"

using ObjectsTest = WorldTest;

TEST_F(ObjectsTest, FreeSlotSearchTakesLowestAndReportsFullTable) {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) Objects[s].Kind = 80;
    EXPECT_EQ(FindFreeSlot(FirstWorldSlot, LastWorldSlot), std::make_pair(SpareSlot, false));
    Objects[200].Kind = 0;
    Objects[70].Kind = 0;
    EXPECT_EQ(FindFreeSlot(FirstWorldSlot, LastWorldSlot), std::make_pair(70, true));
    // A sub-range of the shot slots: none free gives last + 1.
    for (int32_t s = 16; s <= 31; ++s) Objects[s].Kind = 23;
    EXPECT_EQ(FindFreeSlot(16, 31), std::make_pair(32, false));
    // A lone free slot anywhere, the last few of an odd-sized range included, is found.
    Objects[70].Kind = Objects[200].Kind = 80;
    for (int32_t f = FirstWorldSlot; f <= LastWorldSlot; ++f) {
        Objects[f].Kind = 0;
        EXPECT_EQ(FindFreeSlot(FirstWorldSlot, LastWorldSlot), std::make_pair(f, true));
        EXPECT_EQ(FindFreeSlot(f, f + 2), std::make_pair(f, true));
        Objects[f].Kind = 80;
    }
}

TEST_F(ObjectsTest, SpawnTakesFreedSlotBeforeHigherOnes) {
    DefineKind(80, 5);
    for (int i = 0; i < 10; ++i) SpawnObject(100, 100, 80, 0);
    Objects[70].Kind = 0;
    EXPECT_EQ(SpawnObject(1, 2, 80, 0), 70);
    EXPECT_EQ(SpawnObject(1, 2, 80, 0), 74);
}

TEST_F(ObjectsTest, SpawnIntoFullTableLandsInSpareSlotOnly) {
    DefineKind(81, 9);
    for (int32_t s = 0; s <= LastWorldSlot; ++s) {
        Objects[s].Kind = 80;
        Objects[s].X = s;
        Objects[s].Param = 7;
    }
    const int32_t before = Stats.SpawnCount;
    EXPECT_EQ(SpawnObject(5, 6, 81, 0), SpareSlot);
    for (int32_t s = 0; s <= LastWorldSlot; ++s) {
        ASSERT_EQ(Objects[s].Kind, 80) << s;
        ASSERT_EQ(Objects[s].X, s) << s;
        ASSERT_EQ(Objects[s].Param, 7) << s;
    }
    EXPECT_EQ(Objects[SpareSlot].Kind, 81);
    EXPECT_EQ(Objects[SpareSlot].HitPoints, 9);
    EXPECT_EQ(Stats.SpawnCount, before + 1);  // counted even so
    // The next spawn overwrites the spare again.
    EXPECT_EQ(SpawnObject(7, 8, 80, 0), SpareSlot);
    EXPECT_EQ(Objects[SpareSlot].X, 7);
}

TEST_F(ObjectsTest, SpawnCopiesTheKindRecord) {
    TEnemyType& t = EnemyTypes[90];
    t.HitPoints = 33;
    t.InitialState = StateEntering;
    t.ContactKind = ContactSolid;
    t.ShotResponse = ShotsStopped;
    t.Layer = 3;
    t.TightLeft = 1;
    t.TightBottom = 1;
    t.BoxLeft = -4;
    t.BoxTop = -5;
    t.BoxRight = 6;
    t.BoxBottom = 7;
    Objects[64].Age = 99;
    Objects[64].Flash = 3;
    Objects[64].Frame = 4;
    Objects[64].DeathTime = 120;
    Objects[64].Target = 1;
    const int32_t s = SpawnObject(10, 20, 90, 55);
    const TWorldObject& o = Objects[s];
    EXPECT_EQ(s, 64);
    EXPECT_EQ(o.HitPoints, 33);
    EXPECT_EQ(o.State, StateEntering);
    EXPECT_EQ(o.ContactKind, ContactSolid);
    EXPECT_EQ(o.ShotResponse, ShotsStopped);
    EXPECT_EQ(o.Layer, 3);
    EXPECT_EQ(o.HitBox.Left, -4);
    EXPECT_EQ(o.HitBox.Bottom, 7);
    EXPECT_EQ(o.Bounds.MinX, -80);
    EXPECT_EQ(o.Bounds.MaxX, 1600);
    EXPECT_EQ(o.Bounds.MinY, -960);
    EXPECT_EQ(o.Bounds.MaxY, 300);
    EXPECT_EQ(o.Param, 0);  // kind 90 ignores the given param
    EXPECT_EQ(o.Age, 0);
    EXPECT_EQ(o.Flash, 0);
    EXPECT_EQ(o.Frame, 0);
    EXPECT_EQ(o.DeathTime, 0);
    EXPECT_EQ(o.Parent, -1);
    EXPECT_EQ(o.Target, 1);  // left as the slot held it
}

TEST_F(ObjectsTest, SpawnPerKindSetUp) {
    DefineKind(85, 1, false, true);
    int32_t s = SpawnObject(3, 4, 85, 9);
    EXPECT_EQ(Objects[s].FineX, 48);
    EXPECT_EQ(Objects[s].FineY, 64);
    EXPECT_EQ(Objects[s].Param, 0);

    for (int32_t kind : {88, 103, 116}) {
        s = SpawnObject(0, 0, kind, 77);
        EXPECT_EQ(Objects[s].Param, 77) << kind;
    }
    s = SpawnObject(5, 6, 91, 1);  // fine position whatever the flag
    EXPECT_EQ(Objects[s].FineX, 80);
    EXPECT_EQ(Objects[s].FineY, 96);
    EXPECT_EQ(SpawnObject(0, 0, 101, 3), s + 1);
    EXPECT_EQ(Objects[s + 1].Param, 512);
    for (int32_t kind : {128, 129}) EXPECT_EQ(Objects[SpawnObject(0, 0, kind, 0)].Aim, 512);

    s = SpawnObject(100, 100, 126, 256);  // mine heading down
    EXPECT_EQ(Objects[s].Param, 256);
    EXPECT_EQ(Objects[s].VelocityX, 0);
    EXPECT_EQ(Objects[s].VelocityY, 24);
    s = SpawnObject(100, 100, 126, 128);  // 24 * cos(45 degrees) = 16.97
    EXPECT_EQ(Objects[s].VelocityX, 17);
    EXPECT_EQ(Objects[s].VelocityY, 17);

    // Every boss records its slot for the gauge, the chain bosses too: an earlier stage's
    // slot is never kept.
    for (int32_t kind : {192, 193, 195, 194, 198}) {
        BossSlot = 87;
        s = SpawnObject(300, 100, kind, 0);
        EXPECT_EQ(BossSlot, s) << kind;
    }
}

TEST_F(ObjectsTest, ChainBossSpawnHoldsTheClock) {
    EXPECT_EQ(ClockHold, ClockRuns);
    SpawnObject(300, 100, 195, 0);
    EXPECT_EQ(ClockHold, ClockHeld);
}

TEST_F(ObjectsTest, OutOfRangeKindsReadAZeroRecord) {
    EnemyTypes[255].HitPoints = 1;
    const int32_t s = SpawnObject(1, 1, 4000, 0);
    EXPECT_EQ(Objects[s].Kind, 4000);
    EXPECT_EQ(Objects[s].HitPoints, 0);
    EXPECT_EQ(Objects[s].Bounds.MinX, -1280);
}

TEST_F(ObjectsTest, AttachAndChangeKind) {
    const int32_t parent = SpawnObject(200, 100, 96, 0);
    const int32_t child = SpawnObject(150, 118, 98, 0);
    Objects[child].Age = 12;
    Objects[child].HitPoints = 40;
    AttachToParent(child, parent);
    EXPECT_EQ(Objects[child].Parent, parent);
    EXPECT_EQ(Objects[child].FineX, -50);
    EXPECT_EQ(Objects[child].FineY, 18);
    ChangeKind(child, 69, 4);
    EXPECT_EQ(Objects[child].Kind, 69);
    EXPECT_EQ(Objects[child].Param, 4);
    EXPECT_EQ(Objects[child].Age, 0);
    EXPECT_EQ(Objects[child].HitPoints, 40);
}

TEST_F(ObjectsTest, EffectSpawnFillsLowestSlotWithKindLook) {
    SpawnEffect(10, 20, 3, -4, 2);
    const TEffect& e = Effects[0];
    EXPECT_EQ(e.Kind, 2);
    EXPECT_EQ(e.FineX, 160);
    EXPECT_EQ(e.FineY, 320);
    EXPECT_EQ(e.VelocityX, 3);
    EXPECT_EQ(e.VelocityY, -4);
    EXPECT_EQ(e.Lifetime, 30);
    EXPECT_EQ(e.Colour, 76);
    EXPECT_EQ(e.FadeShift, 3);
    SpawnEffect(0, 0, 0, 0, 5);
    EXPECT_EQ(Effects[1].Colour, 31);
}

TEST_F(ObjectsTest, EffectSpawnIntoFullTableCreatesNothing) {
    for (int32_t i = 0; i <= LastSpawnableEffect; ++i) Effects[i].Kind = 1;
    SpawnEffect(10, 10, 0, 0, 3);
    EXPECT_EQ(Effects[128].Kind, 0);
}

TEST_F(ObjectsTest, EffectSpawnsWithinARunStillTakeTheLowestFreeSlot) {
    for (int32_t i = 0; i <= LastSpawnableEffect; ++i) {
        Effects[i] = {.Kind = i % 3 == 1 ? 0 : 3, .Lifetime = 1000, .FineX = 99, .FineY = 99};
    }
    {
        const TEffectSpawns run;
        SpawnEffect(10, 10, 0, 0, 2);
        SpawnEffect(10, 10, 0, 0, 2);
        EXPECT_EQ(Effects[1].Kind, 2);
        EXPECT_EQ(Effects[4].Kind, 2);
        // Slot 0 expires in the update: the next spawn takes it again.
        Effects[0].Age = Effects[0].Lifetime = 5;
        UpdateEffects();
        ASSERT_EQ(Effects[0].Kind, 0);
        SpawnEffect(10, 10, 0, 0, 5);
        EXPECT_EQ(Effects[0].Kind, 5);
        SpawnEffect(10, 10, 0, 0, 5);
        EXPECT_EQ(Effects[7].Kind, 5);
        for (int32_t i = 0; i < 60; ++i) SpawnEffect(10, 10, 0, 0, 1);  // 40 free, then full
        EXPECT_EQ(Effects[127].Kind, 1);
        EXPECT_EQ(Effects[128].Kind, 0);
    }
    // Outside the run a slot freed by anything is found again.
    Effects[9].Kind = 0;
    SpawnEffect(10, 10, 0, 0, 4);
    EXPECT_EQ(Effects[9].Kind, 4);
}

TEST_F(ObjectsTest, EffectUpdateMovesAndExpires) {
    SpawnEffect(100, 100, 16, 0, 2);  // lives 30 frames
    for (int i = 0; i < 30; ++i) UpdateEffects();
    EXPECT_EQ(Effects[0].Kind, 2);
    EXPECT_EQ(Effects[0].FineX, 1600 + 30 * 16);
    UpdateEffects();
    EXPECT_EQ(Effects[0].Kind, 0);  // age 31 > 30

    SpawnEffect(0, 100, -1, 0, 1);  // leaves the left edge at once
    UpdateEffects();
    EXPECT_EQ(Effects[0].Kind, 0);
    SpawnEffect(317, 100, 16, 0, 1);  // 5088 is still inside, 5104 is not
    UpdateEffects();
    EXPECT_EQ(Effects[0].Kind, 1);
    UpdateEffects();
    EXPECT_EQ(Effects[0].Kind, 0);
}

TEST_F(ObjectsTest, PathRingResetFillsEveryPoint) {
    PathRing[5] = {1, 2, 3};
    PathRing[1023] = {4, 5, 6};
    ResetPathRing(30, 40);
    for (const TPathPoint& p : PathRing) {
        ASSERT_EQ(p.X, 30);
        ASSERT_EQ(p.Y, 40);
        ASSERT_EQ(p.Angle, 0);
    }
}

TEST(WorldTables, ShotTypesAndStages) {
    EXPECT_TRUE(ShotType(23).Pierces);
    EXPECT_FALSE(ShotType(16).Pierces);
    EXPECT_EQ(ShotType(46).Damage, 16);
    EXPECT_EQ(ShotType(46).HitBox.Bottom, 10);
    EXPECT_EQ(ShotType(15).Damage, 0);  // outside 16..47
    EXPECT_EQ(StageInfo(5).BossPosition, 1500);
    EXPECT_TRUE(StageInfo(1).HasTerrain);
    EXPECT_FALSE(StageInfo(2).HasTerrain);
    EXPECT_EQ(StageInfo(8).BossPosition, 0);
    // A lost life steps a three-level line down to level 1, then to the base.
    EXPECT_EQ(UpgradeTable[7][UpgradeLostLife], 5);
    EXPECT_EQ(UpgradeTable[5][UpgradeLostLife], 4);
    EXPECT_EQ(UpgradeTable[4][UpgradeLostLife], 4);
    // Switching line keeps the level count.
    EXPECT_EQ(UpgradeTable[19][1], 23);
}
