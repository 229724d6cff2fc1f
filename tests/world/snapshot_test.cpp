// A restored snapshot plays on exactly as the play it was taken from: play on, save, play a
// stretch, drive the world somewhere else, restore, play the stretch again with the same
// buttons; every tick's dump (plus what the dump leaves out) must match. Real stages, random
// held buttons, many seeds; quiet starts, stage waves and boss fights.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/json.h"
#include "screens/game.h"
#include "shell/screens.h"
#include "world/bosses.h"
#include "world/dump.h"
#include "world/passes.h"
#include "world/play.h"
#include "world/snapshot.h"
#include "world/step.h"
#include "world_fixture.h"

namespace {

// One play: its stage, whether it starts at the boss ("ONLY BOSS") and its seed.
struct PlayCase {
    int32_t Stage;
    bool AtBoss;
    uint32_t Seed;
};

// Held buttons that change now and then: directions wander, the fire buttons stay down or up
// for long stretches (charged shots, fights), C is tapped rarely.
class ButtonSource {
  public:
    explicit ButtonSource(uint32_t seed) : rng_(seed) {}
    TButtonSet Next() {
        static constexpr int32_t ChangeOdds[7] = {10, 10, 14, 14, 40, 50, 200};
        for (int32_t b = 0; b < 7; ++b) {
            if (std::uniform_int_distribution<int32_t>(0, ChangeOdds[b] - 1)(rng_) == 0)
                held_[b] = !held_[b];
        }
        TButtonSet now = held_;
        held_[BtnC] = false;  // C is a tap: down for one update
        return now;
    }
    int32_t Below(int32_t n) { return std::uniform_int_distribution<int32_t>(0, n - 1)(rng_); }

  private:
    std::mt19937 rng_;
    TButtonSet held_{};
};

// Folds integers into one 64-bit hash (FNV-1a over whole values).
struct Fold {
    uint64_t H = 14695981039346656037ull;
    template <class... T>
    void operator()(T... values) {
        for (int64_t v : {static_cast<int64_t>(values)...})
            H = (H ^ static_cast<uint64_t>(v)) * 1099511628211ull;
    }
};

// What the dump leaves out: the other fields of every object and ship, the particles, the
// path ring, the boss words, the generator and the fade the frame update reads.
std::string Unseen() {
    Fold f;
    for (const TWorldObject& o : Objects) {
        f(o.Kind, o.Target, o.WorkA, o.WorkB, o.WorkC, o.DeathTime, o.HitBox.Left, o.HitBox.Top,
          o.HitBox.Right, o.HitBox.Bottom, o.Bounds.MinX, o.Bounds.MaxX, o.Bounds.MinY,
          o.Bounds.MaxY, o.ContactKind, o.ShotResponse, o.StatePad, o.ExtraA, o.ExtraB);
    }
    for (const TPlayer& p : Players) {
        f(p.X, p.Y, p.AnchorX, p.AnchorY, p.HeldObject, p.Invulnerable, p.SpeedMode, p.Gauge,
          p.GaugeMax, p.Score, p.Lives, p.ShipState, p.StateFrames, p.AnchorState,
          p.AnchorWeaponLevel, p.MainShotLevel, p.ChargeA, p.ChargeB, p.Volleys);
        for (int32_t s : p.MoveSpeeds) f(s);
    }
    for (const TEffect& e : Effects)
        f(e.Kind, e.Age, e.Lifetime, e.Colour, e.FadeShift, e.FineX, e.FineY, e.VelocityX,
          e.VelocityY);
    for (const TPathPoint& p : PathRing) f(p.X, p.Y, p.Angle);
    for (int32_t w : BossWords) f(w);
    f(SceneColourKind, RandSeed);
    return std::to_string(f.H);
}

// The two lines from shortly before their first difference, for the failure message.
std::string Around(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const size_t from = i < 80 ? 0 : i - 80;
    return "\n  now:  ..." + a.substr(from, 200) + "\n  then: ..." + b.substr(from, 200);
}

class SnapshotTest : public WorldTest, public ::testing::WithParamInterface<PlayCase> {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        for (const char* name : {"Stage1.map", "Stage2.map", "Stage5.map", "einit.dat"}) {
            std::filesystem::copy_file(std::filesystem::path(ZV_BIN_DIR) / name, dir_ / name);
        }
        LoadEnemyTypes();
    }
    void TearDown() override {
        TestInvulnerable = false;
        WorldTest::TearDown();
    }
    // A play of the case's stage and start. The seed picks the character and the ship: on
    // odd seeds invulnerable (long fights), on every fourth without spare ships (the play
    // ends in game over).
    static void Launch(const PlayCase& c, uint32_t seed) {
        Randomize(seed);
        TestInvulnerable = seed % 2 == 1;
        LaunchStage(c.Stage, static_cast<int32_t>(seed % 3), c.AtBoss);
        ASSERT_EQ(CurrentScreen, ScreenGame);
        if (seed % 4 == 0) Players[0].Lives = 0;
        previous = {};
    }
    // The world's dump, what it leaves out and the cues of the update that led there.
    static std::string State(const std::string& cues) {
        std::string line;
        JsonOut j(line);
        j.BeginObject();
        DumpWorld(j);
        j.FieldStr("Cues", cues);
        j.FieldStr("Unseen", Unseen());
        j.EndObject();
        return line;
    }
    // One frame update with the buttons, as screen 2 runs it; returns the update's cues.
    static std::string Update(const TButtonSet& buttons) {
        const TPlayReport& report = StepPlay({.Buttons = buttons, .Previous = previous});
        previous = buttons;
        std::string cues;
        for (const TPlayCue& cue : report) {
            cues += std::to_string(static_cast<int32_t>(cue.Kind)) + ":" +
                    std::to_string(cue.Value) + ":" + (cue.Text ? cue.Text : "") + " ";
        }
        return cues;
    }
    // An update that returns the tick's state.
    static std::string Step(const TButtonSet& buttons) { return State(Update(buttons)); }
    // The buttons of the last update: the command of the next one carries them.
    static inline TButtonSet previous{};
    static bool EnemiesInPlay() {
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s)
            if (Objects[s].Kind >= KindFirstEnemy) return true;
        return false;
    }
    static void Run(ButtonSource& source, int32_t ticks) {
        for (int32_t i = 0; i < ticks; ++i) Update(source.Next());
    }
};

TEST_P(SnapshotTest, ARestoredPlayRepeatsEveryTick) {
    const PlayCase c = GetParam();
    ButtonSource source(c.Seed * 7919u + static_cast<uint32_t>(c.Stage));
    Launch(c, c.Seed);
    int32_t busyTicks = 0, fightTicks = 0;
    TPlaySnapshot saved{};
    // Four stretches: from the very start, then after gaps that reach into the stage.
    for (int32_t stretch = 0; stretch < 4; ++stretch) {
        if (stretch > 0) Run(source, 100 + source.Below(700));
        SavePlay(saved);
        const TButtonSet previousAtSave = previous;
        const std::string atSave = State("");
        const int32_t length = 60 + source.Below(180);
        std::vector<TButtonSet> buttons;
        std::vector<std::string> expected;
        for (int32_t i = 0; i < length; ++i) {
            buttons.push_back(source.Next());
            expected.push_back(Step(buttons.back()));
            busyTicks += EnemiesInPlay();
            fightTicks += StagePhase == PhaseBossFight;
        }

        // Somewhere else: more of this play with other buttons, or a new play of the same
        // stage and start with another seed and character.
        if (stretch % 2 == 1) Launch(c, c.Seed + 1000);
        Run(source, 1 + source.Below(300));

        RestorePlay(saved);
        previous = previousAtSave;
        ASSERT_TRUE(State("") == atSave)
            << "stretch " << stretch << ", as restored" << Around(State(""), atSave);
        for (int32_t i = 0; i < length; ++i) {
            const std::string line = Step(buttons[i]);
            ASSERT_TRUE(line == expected[i])
                << "stretch " << stretch << ", tick " << i + 1 << " of " << length
                << " after the restore" << Around(line, expected[i]);
        }
    }
    // The stretches must hold something to compare: enemies in play, and the boss fight in
    // the plays that start at the boss.
    EXPECT_GT(busyTicks, 0);
    if (c.AtBoss) {
        EXPECT_GT(fightTicks, 0);
    }
}

std::vector<PlayCase> Cases() {
    std::vector<PlayCase> cases;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        cases.push_back({1, false, seed});
        cases.push_back({2, false, seed});
        cases.push_back({5, false, seed});
        cases.push_back({seed % 3 == 0 ? 1 : seed % 3 == 1 ? 2 : 5, true, seed});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Plays, SnapshotTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<PlayCase>& info) {
                             return "Stage" + std::to_string(info.param.Stage) +
                                    (info.param.AtBoss ? "Boss" : "") + "Seed" +
                                    std::to_string(info.param.Seed);
                         });

}  // namespace
