// Destroying enemies: the score and multiplier of a kill, the death kinds, the boss ending,
// explosions of attached parts, death actions and the dying sequence.
#include "audio/audio.h"
#include "fight_fixture.h"

namespace {
constexpr int32_t MainSlot = 0;    // holds a main shot (kind 16)
constexpr int32_t TrailSlot = 16;  // holds an anchor trail (kind 23)

class DestroyTest : public FightTest {
  protected:
    void SetUp() override {
        FightTest::SetUp();
        Shot(MainSlot, ShotKind::Main, 0, 0, MainSlot);
        Shot(TrailSlot, ShotKind::Trail, 0, 0, TrailSlot);
    }
};
}  // namespace

// ---- Score and multiplier ----

TEST_F(DestroyTest, MultiplierSequences) {
    struct Kill {
        int32_t shotKind, points, multiplierAfter;
    };
    const struct {
        const char* name;
        int32_t start;
        std::vector<Kill> kills;
        int32_t maxMultiplier, multiplierSum;
    } cases[] = {
        {"main shot at 7 pays plain, then the anchor pays 7",
         7,
         {{ShotKind::Main, 100, 7}, {ShotKind::Trail, 700, 8}, {ShotKind::Main, 100, 8}},
         7,
         1 + 7 + 1},
        {"ten anchor kills after a throw",
         2,
         {{23, 200, 3},
          {23, 300, 4},
          {29, 400, 5},
          {40, 500, 6},
          {41, 600, 7},
          {42, 700, 8},
          {23, 800, 9},
          {23, 900, 10},
          {23, 1000, 10},
          {23, 1000, 10},
          {23, 1000, 10}},
         10,
         2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 10 + 10},
        {"non-anchor kinds never raise it",
         3,
         {{ShotKind::Bomb, 100, 3}, {ShotKind::Blast, 100, 3}, {ShotKind::Flame, 100, 3}},
         1,
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Stats = TPlayStats{};
        Stats.MaxMultiplier = 1;
        Ship().Score = 0;
        Ship().Multiplier = c.start;
        int32_t score = 0;
        for (const Kill& k : c.kills) {
            Objects[TrailSlot].Kind = k.shotKind;
            const int32_t s = Enemy(Target, 200, 100);
            Destroy(s, TrailSlot);
            score += k.points;
            EXPECT_EQ(Ship().Score, score);
            EXPECT_EQ(Ship().Multiplier, k.multiplierAfter);
            // The multiplier a kill used goes with its explosion for the pop-up.
            EXPECT_EQ(Objects[s].Param, k.points / 100);
            Objects[s].Kind = KindFree;
        }
        EXPECT_EQ(Stats.MaxMultiplier, c.maxMultiplier);
        EXPECT_EQ(Stats.MultiplierSum, c.multiplierSum);
        EXPECT_EQ(Stats.ShootDownCount, static_cast<int32_t>(c.kills.size()));
    }
}

TEST_F(DestroyTest, ShotsOfTheSecondShipPayTheSecondShip) {
    Players[1].Multiplier = 4;
    Shot(32 + TrailSlot, ShotKind::Trail, 0, 0, 32 + TrailSlot);
    Destroy(Enemy(Target, 200, 100), 32 + TrailSlot);
    EXPECT_EQ(Players[1].Score, 400);
    EXPECT_EQ(Players[1].Multiplier, 5);
    EXPECT_EQ(Ship().Score, 0);
}

TEST_F(DestroyTest, SelfDestructionPaysPlainScoreToTheFirstShip) {
    Objects[0].Kind = KindFree;
    Ship().Multiplier = 6;
    const int32_t s = Enemy(Target, 200, 100);
    Destroy(s, 0);
    EXPECT_EQ(Ship().Score, 100);
    EXPECT_EQ(Ship().Multiplier, 6);
    EXPECT_EQ(Objects[s].Param, 1);
    // A credit outside the shot slots is read as slot 0, never outside the table.
    const int32_t t = Enemy(Target, 200, 100);
    Destroy(t, 5000);
    EXPECT_EQ(Ship().Score, 200);
}

TEST_F(DestroyTest, ScoreStopsAtTheEndsOfItsRange) {
    Ship().Score = INT32_MAX - 50;
    Destroy(Enemy(Target, 200, 100), MainSlot);
    EXPECT_EQ(Ship().Score, INT32_MAX);
    EnemyTypes[Target].Score = INT32_MIN;  // data may hold anything
    Ship().Score = -5;
    Destroy(Enemy(Target, 200, 100), MainSlot);
    EXPECT_EQ(Ship().Score, INT32_MIN);
}

// ---- Death kinds ----

TEST_F(DestroyTest, ExplodingDeathKinds) {
    for (const auto& [deathKind, explosion] :
         {std::pair{1, EffectKind::SmallExplosion}, std::pair{2, EffectKind::LargeExplosion}}) {
        SCOPED_TRACE(deathKind);
        ClearPlayReport();
        EnemyTypes[Target].DeathKind = static_cast<uint8_t>(deathKind);
        ShootBackType = ShootBackS;
        const int32_t s = Enemy(Target, 123, 45);
        Objects[s].VelocityX = 50;
        Objects[s].VelocityY = -7;
        Objects[s].Age = 77;
        Destroy(s, TrailSlot);
        const TWorldObject& o = Objects[s];
        EXPECT_EQ(o.Kind, explosion);
        EXPECT_EQ(o.FineX, 123 * 16);
        EXPECT_EQ(o.FineY, 45 * 16);
        EXPECT_EQ(o.VelocityX, 0);
        EXPECT_EQ(o.VelocityY, 0);
        EXPECT_EQ(o.Parent, ShootBackS);
        EXPECT_EQ(o.Age, 0);
        EXPECT_EQ(TakeSounds(Sfx::Explosion), 1);
        Objects[s].Kind = KindFree;
    }
}

TEST_F(DestroyTest, LongDeathStartsTheDyingSequenceAndCancelsBullets) {
    EnemyTypes[Target].DeathKind = 3;
    for (const bool anchor : {false, true}) {
        SCOPED_TRACE(anchor);
        const int32_t s = Enemy(Target, 200, 100);
        const int32_t part = Enemy(Part, 210, 100);
        AttachToParent(part, s);
        Bullet(200, 30, 30);
        Destroy(s, anchor ? TrailSlot : MainSlot);
        EXPECT_EQ(Objects[s].State, StateDying);
        EXPECT_EQ(Objects[s].DeathTime, 120);
        EXPECT_EQ(Objects[s].Kind, Target);
        EXPECT_EQ(Objects[part].State, StateInert);
        EXPECT_EQ(Objects[200].Kind, anchor ? ItemKind::Medal : EffectKind::Vanish);
        for (int32_t k : {s, part, 200}) Objects[k].Kind = KindFree;
    }
}

TEST_F(DestroyTest, BossEndsTheStage) {
    EnemyTypes[Target].BossFlag = 1;
    StagePhase = PhaseBossFight;
    StageClock = 7300;
    Ship().Multiplier = 5;
    const int32_t s = Enemy(Target, 240, 120);
    const int32_t part = Enemy(Part, 200, 120);
    const int32_t loose = Enemy(Part, 100, 100);
    AttachToParent(part, s);
    Objects[s].VelocityX = 9;
    Bullet(220, 10, 10);
    Destroy(s, TrailSlot);
    const TWorldObject& o = Objects[s];
    EXPECT_EQ(StagePhase, PhaseCleared);
    EXPECT_EQ(StageClock, 0);
    EXPECT_EQ(o.Kind, Target);
    EXPECT_EQ(o.State, StateDying);
    EXPECT_EQ(o.DeathTime, 300);
    EXPECT_EQ(o.Param, 5);
    EXPECT_EQ(o.VelocityX, 9);  // only the ordinary deaths stop the object
    EXPECT_EQ(Objects[part].State, StateInert);
    EXPECT_EQ(Objects[loose].State, StateActive);
    EXPECT_EQ(Objects[220].Kind, ItemKind::Medal);  // an anchor kill cancels into medals
    EXPECT_EQ(Ship().Score, 500);
}

// ---- Explode and death actions ----

TEST_F(DestroyTest, ExplodeBlowsUpAttachedEnemiesOnly) {
    const int32_t s = Enemy(Target, 200, 100);
    const int32_t part = Enemy(Part, 220, 90);
    AttachToParent(part, s);
    const int32_t other = Enemy(Part, 50, 50);
    Objects[180] = TWorldObject{};
    Objects[180].Kind = ItemKind::PowerUp;  // not an enemy: stays attached
    Objects[180].Parent = s;
    Explode(s, EffectKind::SmallExplosion, Sfx::Explosion);
    EXPECT_EQ(Objects[s].Kind, EffectKind::SmallExplosion);
    EXPECT_EQ(Objects[other].Kind, Part);
    EXPECT_EQ(Objects[180].Parent, s);
    // The part's slot was freed first, so its explosion takes it.
    EXPECT_EQ(Objects[part].Kind, EffectKind::LargeExplosion);
    EXPECT_EQ(Objects[part].X, 220);
    EXPECT_EQ(Objects[part].Y, 90);
    EXPECT_EQ(Objects[part].Parent, 0);
    EXPECT_EQ(Objects[part].VelocityX, 0);
}

TEST_F(DestroyTest, DeathActions) {
    const int32_t s = Enemy(Target, 200, 100);
    TEnemyType& t = EnemyTypes[Target];
    t.DeathAction = 2;
    t.DeathValue = Released;
    const int32_t before = Stats.SpawnCount;
    DeathAction(s);
    EXPECT_EQ(CountKind(Released), 1);
    EXPECT_EQ(Stats.SpawnCount, before + 1);
    t.DeathAction = 5;
    t.DeathValue = 8;
    DeathAction(s);
    EXPECT_EQ(WorldRegA, 8);
    t.DeathAction = 6;
    t.DeathValue = 33;
    DeathAction(s);
    EXPECT_EQ(WorldRegB, 33);
    t.DeathAction = 7;  // unknown: nothing
    const auto snap = Snapshot();
    DeathAction(s);
    for (int32_t k = 0; k < ObjectCount; ++k) EXPECT_TRUE(SameObject(Objects[k], snap[k]));
}

TEST_F(DestroyTest, PowerUpFliesOffAtLeastSixteenPerAxis) {
    TEnemyType& t = EnemyTypes[Target];
    t.DeathAction = 1;
    t.DeathValue = Released;
    t.Layer = 9;
    EnemyTypes[Released].Layer = 2;
    EnemyTypes[Released].BoxRight = 7;
    int32_t redrawn = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        // Whether the first pair of draws (after the colour) is too slow on an axis.
        Randomize(seed);
        random(3);
        const int32_t vx = random(65) - 32, vy = random(65) - 32;
        const bool slow = std::abs(vx) <= 16 || std::abs(vy) <= 16;
        redrawn += slow;

        Randomize(seed);
        const int32_t s = Enemy(Target, 200, 100);
        Randomize(seed);
        DeathAction(s);
        const int32_t item = s + 1;
        const TWorldObject& o = Objects[item];
        ASSERT_EQ(o.Kind, ItemKind::PowerUp);
        EXPECT_GE(o.Param, 0);
        EXPECT_LE(o.Param, 2);
        EXPECT_GT(std::abs(o.VelocityX), 16) << seed;
        EXPECT_GT(std::abs(o.VelocityY), 16) << seed;
        EXPECT_LE(std::abs(o.VelocityX), 32);
        if (!slow) {
            EXPECT_EQ(o.VelocityX, vx);
            EXPECT_EQ(o.VelocityY, vy);
        }
        EXPECT_EQ(o.FineX, 200 * 16);
        EXPECT_EQ(o.Layer, 2);  // the released kind's record
        EXPECT_EQ(o.HitBox.Right, 7);
        Objects[s].Kind = Objects[item].Kind = KindFree;
    }
    EXPECT_GT(redrawn, 50);  // the redraw rule was exercised
}

TEST_F(DestroyTest, SpawningDeathActionsIntoAFullTableTouchOnlyTheSpare) {
    for (uint8_t action : {uint8_t{1}, uint8_t{2}}) {
        SCOPED_TRACE(action);
        TEnemyType& t = EnemyTypes[Target];
        t.DeathAction = action;
        t.DeathValue = Released;
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) {
            Objects[k] = TWorldObject{};
            Objects[k].Kind = Part;
            Objects[k].Parent = -1;
        }
        Objects[100].Kind = Target;
        const auto snap = Snapshot();
        DeathAction(100);
        for (int32_t k = 0; k <= LastWorldSlot; ++k) {
            ASSERT_TRUE(SameObject(Objects[k], snap[k])) << "slot " << k;
        }
        EXPECT_EQ(Objects[SpareSlot].Kind, action == 1 ? ItemKind::PowerUp : Released);
    }
}

// ---- Dying sequence ----

TEST_F(DestroyTest, DyingSequenceOverItsWholeLength) {
    struct Case {
        int32_t kind;
        uint8_t hold;
        int32_t loop;
        uint8_t phase;
        int32_t shootBackBlasts;  // of the 20 made during the sequence
        uint8_t holdAfter;
        bool musicStops;
    };
    EnemyTypes[BossKind::LargeCraft] = EnemyTypes[Target];
    const Case cases[] = {
        {Target, ClockRuns, NoLoop, PhaseStage, 5, ClockRuns, false},
        {BossKind::LargeCraft, ClockHeld, 400, PhaseCleared, 20, ClockReleaseAtWrap, true},
        {BossKind::LargeCraft, ClockHeld, NoLoop, PhaseCleared, 20, ClockRuns, true},
        {Target, ClockReleaseAtWrap, 400, PhaseStage, 5, ClockRuns, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
        for (TEffect& e : Effects) e.Kind = 0;
        ShootBackType = ShootBackM;
        const int32_t s = Enemy(c.kind, 160, 120);
        const int32_t part = Enemy(Part, 180, 120);
        ClockHold = c.hold;
        LoopLength = c.loop;
        StagePhase = c.phase;
        AttachToParent(part, s);
        TWorldObject& o = Objects[s];
        o.State = StateDying;
        o.DeathTime = 120;
        o.Param = 4;
        int32_t blastSounds = 0;
        ClearPlayReport();
        // The effects pass ages the object before the behaviour pass runs the sequence.
        for (int32_t age = 1; age <= 120; ++age) {
            o.Age = age;
            DyingSequence(s);
            blastSounds += TakeSounds(Sfx::Explosion);
        }
        EXPECT_EQ(o.Kind, c.kind);
        EXPECT_EQ(blastSounds, 4);
        EXPECT_EQ(CountKind(EffectKind::LargeExplosion), 20);
        int32_t carrying = 0;
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) {
            if (Objects[k].Kind != EffectKind::LargeExplosion) continue;
            carrying += Objects[k].Parent == ShootBackM;
            EXPECT_LE(std::abs(Objects[k].X - 160), 32);
            EXPECT_LE(std::abs(Objects[k].Y - 120), 32);
        }
        EXPECT_EQ(carrying, c.shootBackBlasts);
        EXPECT_EQ(CountEffects(3), 60);
        EXPECT_EQ(ClockHold, c.hold);

        o.Age = 121;  // past the death time: the end
        DyingSequence(s);
        EXPECT_EQ(CountEffects(3), 61);
        EXPECT_EQ(o.Kind, EffectKind::LargeExplosion);
        EXPECT_EQ(o.State, StateActive);
        EXPECT_EQ(o.Age, 0);
        EXPECT_EQ(o.Param, 4);  // the pop-up still shows the multiplier used
        EXPECT_EQ(o.Parent, ShootBackM);
        EXPECT_EQ(o.FineX, 160 * 16);
        EXPECT_EQ(Objects[part].Kind, EffectKind::LargeExplosion);  // the part blew up in its slot
        EXPECT_EQ(Objects[part].X, 180);
        EXPECT_EQ(CountKind(EffectKind::LargeExplosion), 20 + 1 + 1 + 16);
        int32_t fan = 0;
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) {
            const TWorldObject& e = Objects[k];
            if (e.Kind != EffectKind::LargeExplosion || (e.VelocityX == 0 && e.VelocityY == 0))
                continue;
            EXPECT_EQ(e.Parent, 0);
            EXPECT_EQ(e.X, 160);
            EXPECT_GE(e.VelocityX * e.VelocityX + e.VelocityY * e.VelocityY, 31 * 31);
            ++fan;
        }
        EXPECT_EQ(fan, 16);
        EXPECT_EQ(CountSounds(Sfx::Explosion2), 1);
        EXPECT_EQ(ClockHold, c.holdAfter);
        EXPECT_EQ(LastSong(), c.musicStops ? 0 : NoSongEvent);
    }
}

// An explosion made in a slot whatever it held before lives its whole length: a fresh slot
// (bounds 0..0) or one a look-1 bullet left (state byte 1) must not end it early.
TEST_F(DestroyTest, MadeExplosionLivesItsLengthWhateverTheSlotHeld) {
    for (const uint32_t staleLook : {0u, 1u, 5u}) {
        Objects[64] = TWorldObject{};
        SetBulletLook(Objects[64], staleLook);
        MakeExplosion(150, 100, EffectKind::LargeExplosion, 16, 0, false);
        ASSERT_EQ(Objects[64].Kind, EffectKind::LargeExplosion);
        int32_t frames = 0;
        while (Objects[64].Kind == EffectKind::LargeExplosion && frames < 100) {
            ItemPass();
            BehaviourPass();
            ++frames;
        }
        EXPECT_EQ(frames, 36) << "look " << staleLook;
    }
}
