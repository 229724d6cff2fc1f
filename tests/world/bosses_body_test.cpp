// The bosses built of many objects: the twin chains of 194/195 and the trailing body of 198.
#include <string>
#include <vector>

#include "world/bosses.h"
#include "world/bullets.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "ship_fixture.h"

namespace {

// Silent named sound effects (from the ship fixture): dying bosses and explosions play them.
class BossBodyTest : public ShipTest {
  protected:
    void SetUp() override {
        ShipTest::SetUp();
        Prepare();
    }
    // The boss fight's kinds and the ship's place, on a world just reset.
    void Prepare() {
        for (int32_t k : {194, 195}) Define(k, StateEntering, true);
        Define(198, StateActive, true);
        for (int32_t k : {80, 124, 125}) Define(k, StateActive, false);
        Define(126, StateActive, true);
        Players[0].X = 40;
        Players[0].Y = 120;
        StagePhase = PhaseBossFight;
    }
    // The cues of a kind the world asked for since its report was emptied, and the last
    // message line among them (empty when none).
    static int32_t Cues(PlayCue kind) {
        int32_t n = 0;
        for (const TPlayCue& c : PlayReport) n += c.Kind == kind;
        return n;
    }
    static std::string Message() {
        std::string text;
        for (const TPlayCue& c : PlayReport)
            if (c.Kind == PlayCue::Message) text = c.Text;
        return text;
    }
    static void Define(int32_t kind, uint8_t state, bool fine) {
        DefineKind(kind, 100, false, fine);
        TEnemyType& t = EnemyTypes[kind];
        t.InitialState = state;
        t.TightLeft = t.TightRight = t.TightTop = t.TightBottom = 0;
    }
    static void Frame() {
        ItemPass();
        BehaviourPass();
    }
    static std::vector<int32_t> BulletsOf(int32_t kind) {
        std::vector<int32_t> v;
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s)
            if (Objects[s].Kind == kind) v.push_back(s);
        return v;
    }
    // A chain boss, active, with both chains built; every segment at the given age.
    int32_t ActiveChainBoss(int32_t kind, int32_t segmentAge) {
        const int32_t boss = SpawnObject(240, 120, kind, 0);
        Objects[boss].State = StateActive;
        for (int32_t c : {WorldRegA, WorldRegB})
            for (int32_t i = 0; i < ChainLength; ++i) Objects[c + i].Age = segmentAge;
        return boss;
    }
};

// --- twin chains ----------------------------------------------------------------------

TEST_F(BossBodyTest, ChainBossBuildsTwoChainsOfEightInTheFirstFreeRuns) {
    Objects[70].Kind = 80;   // splits the first run: 64 is the boss, 65..69 too short
    Objects[72].Kind = 40;   // counted as free by the run search
    Objects[100].Kind = 50;  // a bullet: cancelled without a medal
    const int32_t boss = SpawnObject(300, 100, 195, 0);
    EXPECT_EQ(boss, 64);
    EXPECT_EQ(ClockHold, ClockHeld);
    EXPECT_EQ(SceneColourKind, 195);
    EXPECT_EQ(Cues(PlayCue::SceneColours), 1);  // the layers above reload the colours
    EXPECT_EQ(Objects[100].Kind, EffectKind::Vanish);
    EXPECT_EQ(WorldRegA, 71);
    EXPECT_EQ(WorldRegB, 79);
    for (int32_t s = 71; s < 87; ++s) {
        EXPECT_EQ(Objects[s].Kind, PartKind::ChainSegment) << s;
        EXPECT_EQ(Objects[s].Parent, boss) << s;
        EXPECT_EQ(Objects[s].FineX, 0) << s;
        EXPECT_EQ(Objects[s].FineY, 0) << s;
    }
    for (int32_t c : {71, 79}) {
        EXPECT_EQ(Objects[c].VelocityX, 512);
        EXPECT_EQ(Objects[c].VelocityY, 512);
        EXPECT_EQ(Objects[c + 3].VelocityX, 0);
        EXPECT_EQ(Objects[c + 6].VelocityX, 512);
        EXPECT_EQ(Objects[c + 6].Param, 512);
        EXPECT_EQ(Objects[c + 7].Param, 512);
        EXPECT_EQ(Objects[c + 1].Param, 0);
    }
    EXPECT_EQ(Cues(PlayCue::Message), 0);
}

TEST_F(BossBodyTest, FailureWhenTheTableHasNoTwoRunsOfEight) {
    struct Case {
        int32_t period;    // every period-th slot is busy
        int32_t extraRun;  // slots cleared into one run of 8 (0: none)
    };
    for (const Case c : {Case{8, 0}, Case{8, 120}, Case{3, 0}}) {
        ResetWorld();
        Prepare();
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s)
            Objects[s].Kind = (s - FirstWorldSlot) % c.period == c.period - 1 ? 80 : 0;
        if (c.extraRun)
            for (int32_t s = c.extraRun; s < c.extraRun + 8; ++s) Objects[s].Kind = 0;
        SpawnObject(300, 100, 194, 0);
        EXPECT_EQ(Message(), "FAILURE") << c.period << " " << c.extraRun;
        EXPECT_EQ(CountKind(PartKind::ChainSegment), 0) << c.period << " " << c.extraRun;
        EXPECT_EQ(WorldRegA, 0);
        // The boss without chains still runs.
        for (int32_t i = 0; i < 200; ++i) Frame();
    }
}

TEST_F(BossBodyTest, ChainsHangFromTheBossAndTheirJointsTurnTowardTheShip) {
    const int32_t boss = SpawnObject(300, 120, 194, 0);
    Frame();
    const int32_t a = WorldRegA, b = WorldRegB;
    // Roots 40 above and 35 below; the links 20 apart along the root's angle (512: left).
    EXPECT_EQ(Objects[a].FineY, -40);
    EXPECT_EQ(Objects[b].FineY, 35);
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(Objects[a + i].FineX, -20 * i) << i;
        EXPECT_EQ(Objects[a + i].FineY, -40) << i;
    }
    // Joint 3 (param 0 at spawn) steps 2 toward the ship; joint 6 (512) steps 1.
    // The ship lies straight left (512) of the segments' last positions.
    EXPECT_EQ(Objects[a + 3].Param, 2);
    EXPECT_EQ(Objects[a + 3].Frame, 32);
    EXPECT_EQ(Objects[a + 4].Param, 2);
    EXPECT_EQ(Objects[a + 4].Frame, 0);
    EXPECT_EQ(Objects[a + 4].FineX, -40) << "20 along joint 3's angle";
    EXPECT_EQ(Objects[a + 6].Param, 512) << "already on the aim";
    EXPECT_EQ(Objects[a + 7].Param, 512);
    EXPECT_EQ(Objects[a + 7].Frame, 16);  // the blade pictures follow the links'
    for (int32_t s = a; s < a + 8; ++s) EXPECT_EQ(Objects[s].ShotResponse, ShotsStopped);
    // Positions follow the boss through the parent step of the next frame.
    Frame();
    EXPECT_EQ(Objects[a + 2].X, Objects[boss].X + Objects[a + 2].FineX);
    EXPECT_EQ(Objects[b].Y, Objects[boss].Y + 35);
}

TEST_F(BossBodyTest, RootsSwingToANewTargetEvery120Frames) {
    ActiveChainBoss(194, 119);
    const int32_t a = WorldRegA, b = WorldRegB;
    for (int32_t i = 0; i < 61; ++i) Frame();  // ages 120 .. 180
    const int32_t ta = Objects[a].VelocityX, tb = Objects[b].VelocityX;
    EXPECT_GE(ta, 512);
    EXPECT_LT(ta, 1024);
    EXPECT_GE(tb, 0);
    EXPECT_LT(tb, 512);
    EXPECT_EQ(Objects[a].VelocityY, 512);
    // Half way through the swing.
    EXPECT_NEAR(Objects[a].Param, 512 + (ta - 512) / 2, 1);
    EXPECT_NEAR(Objects[b].Param, 512 + (tb - 512) / 2, 1);
}

TEST_F(BossBodyTest, LastSegmentIsTheVulnerableOneAndLosingItExposesTheOneBefore) {
    const int32_t boss = ActiveChainBoss(194, 1);
    const int32_t a = WorldRegA, b = WorldRegB;
    Objects[a + 7].Kind = KindFree;
    ChainBoss(boss);
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(Objects[a + i].ShotResponse, i == 6 ? ShotsDamage : ShotsStopped) << i;
    for (int32_t i = 0; i < 8; ++i)
        EXPECT_EQ(Objects[b + i].ShotResponse, i == 7 ? ShotsDamage : ShotsStopped) << i;
    // While the boss enters, every segment stays armoured and nothing fires.
    Objects[boss].State = StateEntering;
    for (int32_t s : {a, b})
        for (int32_t i = 0; i < 8; ++i) Objects[s + i].Age = 45;
    ChainBoss(boss);
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(Objects[a + i].ShotResponse, ShotsStopped) << i;
    EXPECT_EQ(Objects[b + 7].ShotResponse, ShotsStopped);
    EXPECT_TRUE(BulletsOf(BulletKind::TrailRay).empty());
}

TEST_F(BossBodyTest, RootAloneFiresTheTurningBulletOnlyWhenSomeClassFires) {
    struct Case {
        uint8_t classes[3];
        int32_t turns;  // 0: nothing fired
    };
    const Case cases[] = {
        {{0, 0, 0}, 0}, {{1, 0, 0}, 1}, {{0, 2, 0}, 2},
        {{1, 1, 0}, 2}, {{0, 0, 1}, 3}, {{2, 2, 2}, 3},
    };
    for (const Case& c : cases) {
        ResetWorld();
        Prepare();
        const int32_t boss = ActiveChainBoss(194, 75);  // 75 mod 60 = 15
        for (int32_t s : {WorldRegA, WorldRegB})
            for (int32_t i = 1; i < 8; ++i) Objects[s + i].Kind = KindFree;
        for (int32_t k = 0; k < 3; ++k) ClassSettings[k] = c.classes[k];
        ChainBoss(boss);
        const std::vector<int32_t> shots = BulletsOf(BulletKind::TrailCrystal);
        ASSERT_EQ(shots.size(), c.turns ? 2u : 0u) << c.turns;  // one per chain
        for (int32_t s : shots) {
            EXPECT_EQ(Objects[s].ExtraA, ModeTurning);
            EXPECT_EQ(Objects[s].ExtraB, c.turns);
            EXPECT_EQ(Objects[s].Frame, 48) << "hell scaling off";
        }
    }
}

// --- trailing body --------------------------------------------------------------------

TEST_F(BossBodyTest, TrailBossSpawnsHeadingLeftWithItsBodyInARunAndTheRingFilled) {
    for (int32_t s : {64, 65, 66, 70}) Objects[s].Kind = 80;
    PathHead = 77;
    WorldRegA = 3;
    const int32_t boss = SpawnObject(420, 120, 198, 0);
    EXPECT_EQ(boss, 67);
    EXPECT_EQ(BossSlot, boss);
    EXPECT_EQ(Objects[boss].Param, 512);
    EXPECT_EQ(WorldRegA, 0);
    EXPECT_EQ(WorldRegB, 71);
    EXPECT_EQ(PathHead, 0);
    for (int32_t s = 71; s < 87; ++s) {
        EXPECT_EQ(Objects[s].Kind, PartKind::BodySegment) << s;
        EXPECT_EQ(Objects[s].Parent, boss) << s;
    }
    for (const TPathPoint& p : PathRing) {
        ASSERT_EQ(p.X, 420);
        ASSERT_EQ(p.Y, 120);
        ASSERT_EQ(p.Angle, 0);
    }
}

TEST_F(BossBodyTest, TrailBodyFollowsThePathSixteenAndWhenFastEightEntriesApart) {
    const int32_t boss = SpawnObject(420, 120, 198, 0);
    std::vector<std::pair<int32_t, int32_t>> head = {{420, 120}};  // head[f]: after frame f
    for (int32_t f = 1; f <= 400; ++f) {
        Frame();
        head.emplace_back(Objects[boss].X, Objects[boss].Y);
    }
    for (int32_t b = 0; b < BodyLength; ++b) {
        const TWorldObject& s = Objects[WorldRegB + b];
        const auto& [x, y] = head[400 - (b + 1) * 16 + 1];
        EXPECT_EQ(s.X, x) << b;
        EXPECT_EQ(s.Y, y) << b;
    }
    WorldRegA = TrailStrafing;
    Frame();
    for (int32_t b = 0; b < BodyLength; ++b) {
        const TPathPoint& e = PathRing[(PathHead - (b + 1) * 8) & 1023];
        const TWorldObject& s = Objects[WorldRegB + b];
        EXPECT_EQ(s.X, e.X) << b;
        EXPECT_EQ(s.Y, e.Y) << b;
        EXPECT_EQ(s.Param, e.Angle) << b;
    }
}

TEST_F(BossBodyTest, TrailBossComesBackFromTheSideOppositeToWhereItLeft) {
    struct Case {
        int32_t x, y, heading;
        int32_t fineX, fineY, headingFrom;  // expected: 32 headings from headingFrom
    };
    const Case cases[] = {
        {100, -300, 768, 4096, -1024, 240},  // out at the top on the left: back at the right
        {250, -300, 768, 1024, -1024, 240},
        {100, 540, 256, 4096, 4864, 752},  // out at the bottom
        {250, 540, 256, 1024, 4864, 752},
    };
    for (const Case& c : cases) {
        ResetWorld();
        Prepare();
        const int32_t boss = SpawnObject(c.x, c.y, 198, 0);
        TWorldObject& o = Objects[boss];
        o.Param = c.heading;
        WorldRegA = TrailLeaving;
        PhaseStart = 5;
        Frame();
        EXPECT_EQ(o.FineX, c.fineX) << c.x << "," << c.y;
        EXPECT_EQ(o.FineY, c.fineY) << c.x << "," << c.y;
        EXPECT_GE(o.Param, c.headingFrom);
        EXPECT_LT(o.Param, c.headingFrom + 32);
        EXPECT_EQ(WorldRegA, TrailStrafing);
        EXPECT_EQ(PhaseStart, 0);
        EXPECT_EQ(PathRing[500].X, c.fineX / 16);
        EXPECT_EQ(PathRing[500].Y, c.fineY / 16);
    }
}

TEST_F(BossBodyTest, TrailBossHuntsThenLeavesOnlyWhenHeadingNearlyVertical) {
    const int32_t boss = SpawnObject(200, 120, 198, 0);
    TWorldObject& o = Objects[boss];
    // A mine on every 20th frame inside the margins, with the new heading.
    o.Age = 19;
    Frame();
    ASSERT_EQ(BulletsOf(EnemyKind::Mine).size(), 1u);
    EXPECT_EQ(Objects[BulletsOf(EnemyKind::Mine)[0]].Param, o.Param);
    o.FineX = 10 * 16;
    o.Age = 39;
    Frame();
    EXPECT_EQ(BulletsOf(EnemyKind::Mine).size(), 1u) << "no mine outside the margins";
    // Long enough hunting, but heading left: it keeps hunting.
    o.FineX = 200 * 16;
    o.Param = 512;
    o.Age = 1300;
    Frame();
    EXPECT_EQ(WorldRegA, TrailHunting);
    Players[0].X = 200;
    Players[0].Y = 230;
    o.Param = 250;
    Frame();
    EXPECT_EQ(WorldRegA, TrailLeaving);
    EXPECT_EQ(PhaseStart, 1302);
}

}  // namespace
