// The boss programs on small world fixtures: entry, time-out, the craft's volleys, the
// fortress's parts, the twin chains and the trailing body.
#include <map>
#include <set>
#include <vector>

#include "world/bosses.h"
#include "world/bullets.h"
#include "world/destroy.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "ship_fixture.h"

namespace {

// Silent named sound effects (from the ship fixture): dying bosses and explosions play them.
class BossTest : public ShipTest {
  protected:
    void SetUp() override {
        ShipTest::SetUp();
        Prepare();
    }
    // The boss fight's kinds and the ship's place, on a world just reset.
    void Prepare() {
        for (int32_t k : {192, 193, 194, 195}) Define(k, StateEntering, k >= 194);
        Define(198, StateActive, true);
        for (int32_t k : {96, 98, 99, 100, 101, 102, 103, 124, 125}) Define(k, StateActive, false);
        Define(126, StateActive, true);
        Players[0].X = 40;
        Players[0].Y = 120;
        StagePhase = PhaseBossFight;
        StageClock = 7200;
    }
    static void Define(int32_t kind, uint8_t state, bool fine) {
        DefineKind(kind, 100, false, fine);
        TEnemyType& t = EnemyTypes[kind];
        t.InitialState = state;
        t.TightLeft = t.TightRight = t.TightTop = t.TightBottom = 0;
        t.BossFlag = kind >= KindFirstBoss;
    }
    // One frame of the object passes as the frame update runs them.
    static void Frame() {
        ItemPass();
        BehaviourPass();
    }
    static std::vector<int32_t> Bullets() {
        std::vector<int32_t> v;
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            if (Objects[s].Kind >= KindFirstBullet && Objects[s].Kind <= KindLastBullet)
                v.push_back(s);
        }
        return v;
    }
    static void ClearBullets() {
        for (int32_t s : Bullets()) Objects[s].Kind = KindFree;
    }
    int32_t SpawnActive(int32_t kind, int32_t x, int32_t y) {
        const int32_t slot = SpawnObject(x, y, kind, 0);
        Objects[slot].State = StateActive;
        return slot;
    }
};

// --- entry and time-out ---------------------------------------------------------------

TEST_F(BossTest, EachBossEntersToItsEntryPointThenStartsAtAgeAndParamZero) {
    struct Case {
        int32_t kind, activeAtX;
    };
    for (const Case c : {Case{192, 240}, Case{193, 239}, Case{194, 239}, Case{195, 239}}) {
        ResetWorld();
        Prepare();
        const int32_t slot = SpawnObject(300, 120, c.kind, 0);
        int32_t frames = 0;
        while (Objects[slot].State == StateEntering && frames < 200) {
            Frame();
            ++frames;
        }
        const TWorldObject& o = Objects[slot];
        ASSERT_EQ(o.State, StateActive) << c.kind;
        // 192 stops on 240; the others step past it (194/195 test last frame's x).
        EXPECT_EQ(o.X, c.kind >= 194 ? 238 : c.activeAtX) << c.kind;
        EXPECT_EQ(o.Age, 0) << c.kind;
        if (c.kind < 194) {
            EXPECT_EQ(o.Param, 0) << c.kind;
        } else {
            const bool slow =
                o.VelocityX >= -8 && o.VelocityX <= 8 && o.VelocityY >= -8 && o.VelocityY <= 8;
            EXPECT_FALSE(slow) << "the drift is drawn again while both lie in -8..8";
        }
        // (The fortress's parts fire by their own rules.)
        if (c.kind != 193) {
            EXPECT_TRUE(Bullets().empty()) << c.kind << " fired while entering";
        }
    }
}

TEST_F(BossTest, TimeOutFiresTheLastRingCancelsItEndsTheStageAndDiesWithoutScore) {
    for (int32_t kind : {192, 193, 198}) {
        ResetWorld();
        Prepare();
        Players[0].Score = 1234;
        const int32_t slot = SpawnActive(kind, 200, 100);
        // Past 10,800 but on ages with bit 2 set nothing happens; 10,808 has it clear.
        for (int32_t age : {10800, 10805, 10806, 10807}) {
            Objects[slot].Age = age;
            EXPECT_FALSE(BossTimeOut(slot)) << kind << " at " << age;
        }
        Objects[slot].Age = 10808;
        const int32_t before = Stats.SpawnCount;
        BossBehaviour(slot);
        const TWorldObject& o = Objects[slot];
        EXPECT_EQ(StagePhase, PhaseCleared);
        EXPECT_EQ(StageClock, 0);
        EXPECT_EQ(o.State, StateDying);
        EXPECT_EQ(o.HitPoints, 1);
        EXPECT_EQ(o.DeathTime, 300);
        EXPECT_EQ(o.Age, 0);
        EXPECT_EQ(o.Param, 0);
        EXPECT_EQ(Players[0].Score, 1234) << "a time-out scores nothing";
        EXPECT_EQ(CountKind(EffectKind::Vanish), 68) << "ring of 64 and four homing, all cancelled";
        EXPECT_EQ(CountKind(ItemKind::Medal), 0);
        EXPECT_EQ(Stats.SpawnCount, before) << "bullets are not spawned objects";
    }
}

// A mid-boss (no boss flag) ends nothing, by time-out or destruction, in either order with the
// boss: the fight goes on until the boss itself is gone.
TEST_F(BossTest, OnlyTheBossFlagEndsTheStageWhicheverWayTheMidBossGoes) {
    for (const bool midBossTimesOut : {true, false}) {
        ResetWorld();
        Prepare();
        EnemyTypes[192].BossFlag = 0;
        EnemyTypes[192].DeathKind = DeathLong;
        Players[0].Score = 0;
        const int32_t mid = SpawnActive(192, 200, 60);
        const int32_t boss = SpawnActive(198, 200, 180);
        if (midBossTimesOut) {
            Objects[mid].Age = 10808;
            BossBehaviour(mid);
            EXPECT_EQ(Players[0].Score, 0);
        } else {
            Destroy(mid, 0);
        }
        EXPECT_EQ(Objects[mid].State, StateDying) << midBossTimesOut;
        EXPECT_EQ(StagePhase, PhaseBossFight) << midBossTimesOut;
        EXPECT_EQ(StageClock, 7200) << midBossTimesOut;
        for (int32_t f = 0; f < 400; ++f) Frame();
        EXPECT_NE(Objects[mid].Kind, 192) << "the mid-boss has gone";
        EXPECT_EQ(StagePhase, PhaseBossFight) << midBossTimesOut;
        // The boss's own end clears the stage, by time-out as by destruction.
        if (midBossTimesOut) {
            Destroy(boss, 0);
        } else {
            Objects[boss].Age = 10808;
            BossBehaviour(boss);
        }
        EXPECT_EQ(StagePhase, PhaseCleared) << midBossTimesOut;
    }
}

// --- boss 192 -------------------------------------------------------------------------

TEST_F(BossTest, CraftFiresNothingInPhaseZeroAndEachPhaseOpensWithItsVolley) {
    struct Volley {
        int32_t age;                   // first age of the phase that fires
        std::multiset<int32_t> kinds;  // bullet kinds of that volley
    };
    std::map<int32_t, Volley> expected = {
        {1, {240, {50, 50, 50, 50, 50}}}, {3, {721, {51}}}, {5, {1201, {49}}},
        {7, {1680, {51, 51, 51, 51}}},    {9, {2210, {}}},  // sixteen pairs of 48 and one 56,
                                                            // filled in below
    };
    for (int32_t i = 0; i < 32; ++i) expected[9].kinds.insert(48);
    expected[9].kinds.insert(56);
    const int32_t slot = SpawnActive(192, 240, 120);
    std::map<int32_t, Volley> seen;
    for (int32_t age = 1; age < 2400; ++age) {
        Objects[slot].Age = age;
        BossBehaviour(slot);
        std::multiset<int32_t> kinds;
        for (int32_t s : Bullets()) kinds.insert(Objects[s].Kind);
        ClearBullets();
        if (kinds.empty()) continue;
        const int32_t phase = (age / 240) % 10;
        ASSERT_EQ(phase % 2, 1) << "phase " << phase << " fired at age " << age;
        if (!seen.count(phase)) seen[phase] = {age, kinds};
    }
    ASSERT_EQ(seen.size(), expected.size());
    for (const auto& [phase, v] : expected) {
        EXPECT_EQ(seen[phase].age, v.age) << "phase " << phase;
        EXPECT_EQ(seen[phase].kinds, v.kinds) << "phase " << phase;
    }
}

TEST_F(BossTest, CraftFliesAFigureEightAndHoldsItInPhasesEightAndNine) {
    const int32_t slot = SpawnActive(192, 240, 120);
    TWorldObject& o = Objects[slot];
    o.Param = 256;
    o.Age = 1;
    BossBehaviour(slot);
    EXPECT_EQ(o.X, 300);  // sin(256) * 60 + 240
    EXPECT_EQ(o.Y, 120);  // sin(512) * 80 + 120
    EXPECT_EQ(o.Param, 257);
    o.Param = 128;
    o.Age = 8 * 240;
    BossBehaviour(slot);
    EXPECT_EQ(o.Y, 200);  // sin(256) * 80 + 120
    EXPECT_EQ(o.Param, 128) << "paused in phase 8";
}

// --- boss 193 -------------------------------------------------------------------------

TEST_F(BossTest, FortressBuildsItsPartsAtTheirOffsetsAndTheyFollowIt) {
    const int32_t boss = SpawnObject(400, 120, 193, 0);
    EXPECT_EQ(BossSlot, boss);
    struct Part {
        int32_t kind, dx, dy, param, age;
    };
    const std::vector<Part> parts = {
        {98, 50, 18, 0, 0},     {99, -64, 18, 0, 0},    {96, -20, -50, 0, 0},
        {100, -80, 18, 0, 0},   {101, -70, -7, 512, 0}, {103, -10, -7, 0, 0},
        {103, -10, -7, 170, 0}, {103, -10, -7, 340, 0}, {103, -10, -7, 510, 0},
        {103, -10, -7, 670, 0}, {103, -10, -7, 850, 0}, {102, 46, 10, 0, 0},
        {102, 56, 10, 0, 10},   {102, 66, 10, 0, 20},
    };
    for (size_t i = 0; i < parts.size(); ++i) {
        const TWorldObject& o = Objects[boss + 1 + static_cast<int32_t>(i)];
        const Part& p = parts[i];
        EXPECT_EQ(o.Kind, p.kind) << i;
        EXPECT_EQ(o.Parent, boss) << i;
        EXPECT_EQ(o.FineX, p.dx) << i;
        EXPECT_EQ(o.FineY, p.dy) << i;
        EXPECT_EQ(o.Param, p.param) << i;
        EXPECT_EQ(o.Age, p.age) << i;
    }
    // The parts without a rule of their own keep their offsets as the fortress moves in.
    const TWorldObject& b = Objects[boss];
    for (int32_t f = 0; f < 470; ++f) {
        Frame();
        for (size_t i = 0; i < 3; ++i) {
            const TWorldObject& o = Objects[boss + 1 + static_cast<int32_t>(i)];
            ASSERT_EQ(o.X, b.X + parts[i].dx) << i << " frame " << f;
            ASSERT_EQ(o.Y, b.Y + parts[i].dy) << i << " frame " << f;
        }
    }
    EXPECT_EQ(b.State, StateActive);
    EXPECT_EQ(b.X, 239) << "the fortress stays put once active";
    EXPECT_EQ(b.Y, 120);
}

}  // namespace
