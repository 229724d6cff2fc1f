// Boss fights of the real program, headless from "ONLY BOSS" with an invulnerable ship,
// watched through the dump.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace {

using Obj = std::array<int64_t, 6>;  // slot, kind, x, y, state, hit points

// The dump's objects, written either as arrays [slot, kind, x, y, state, hp] or by name
// ({"slot": .., "kind": .., ...}).
std::vector<Obj> Objects(const std::string& line) {
    static const char* const names[] = {"slot", "kind", "x", "y", "state", "hp"};
    const std::string raw = e2e::RawField(line, "Objects");
    std::vector<Obj> out;
    for (size_t p = 1; p < raw.size(); ++p) {
        Obj o{};
        if (raw[p] == '[') {
            const char* c = raw.c_str() + p + 1;
            for (int64_t& v : o) {
                char* end = nullptr;
                v = std::strtoll(c, &end, 10);
                c = *end == ',' ? end + 1 : end;
            }
        } else if (raw[p] == '{') {
            const std::string item = raw.substr(p, raw.find('}', p) - p + 1);
            for (size_t i = 0; i < o.size(); ++i) o[i] = e2e::IntField(item, names[i]);
        } else {
            continue;
        }
        out.push_back(o);
        p = raw.find_first_of("]}", p);
    }
    return out;
}

const Obj* Slot(const std::vector<Obj>& objects, int64_t slot) {
    for (const Obj& o : objects)
        if (o[0] == slot) return &o;
    return nullptr;
}

// The game's dump lines of a play from "ONLY BOSS" (or from the stage's start, dumping every
// `every` ticks).
std::vector<std::string> GameLines(int stage, int frames, bool atBoss = true, int every = 1) {
    const std::string dir = e2e::FreshDataDir();
    std::vector<std::string> args = {"--frames", std::to_string(frames), "--seed",        "5",
                                     "--stage",  std::to_string(stage),  "--invulnerable"};
    if (atBoss) args.push_back("--at-boss");
    if (every > 1) args.insert(args.end(), {"--dump-every", std::to_string(every)});
    const e2e::RunResult run = e2e::RunVorin(dir, args);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<std::string> game;
    for (const auto& l : run.dump)
        if (e2e::HasField(l, "StageClock")) game.push_back(l);
    return game;
}

TEST(BossEndToEnd, FortressEntersWithItsPartsAtTheirOffsets) {
    const std::vector<std::string> game = GameLines(1, 400);
    ASSERT_EQ(game.size(), 400u);
    // The fight begins 180 frames in; the fortress moves in one pixel a frame to x 239.
    EXPECT_EQ(e2e::IntField(game[179], "StagePhase"), 2);
    EXPECT_EQ(e2e::IntField(game[179], "BossSlot"), 64);
    const std::vector<Obj> objects = Objects(game.back());
    const Obj* boss = Slot(objects, 64);
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ((*boss)[1], 193);
    EXPECT_EQ((*boss)[2], 239);
    EXPECT_EQ((*boss)[4], 4) << "active";
    // The parts without a rule of their own: bow, stern and tower.
    const int64_t offsets[][3] = {{98, 50, 18}, {99, -64, 18}, {96, -20, -50}};
    for (int64_t i = 0; i < 3; ++i) {
        const Obj* part = Slot(objects, 65 + i);
        ASSERT_NE(part, nullptr) << i;
        EXPECT_EQ((*part)[1], offsets[i][0]);
        EXPECT_EQ((*part)[2], (*boss)[2] + offsets[i][1]);
        EXPECT_EQ((*part)[3], (*boss)[3] + offsets[i][2]);
    }
}

TEST(BossEndToEnd, ChainBossHoldsTheClockAndHangsItsTwoChains) {
    const std::vector<std::string> game = GameLines(5, 600);
    ASSERT_EQ(game.size(), 600u);
    const std::string& last = game.back();
    EXPECT_EQ(e2e::IntField(last, "StageClock"), 1500) << "held while the boss lives";
    EXPECT_EQ(e2e::IntField(last, "ClockHold"), 1);
    const int64_t a = e2e::IntField(last, "WorldRegA"), b = e2e::IntField(last, "WorldRegB");
    EXPECT_EQ(b, a + 8);
    const std::vector<Obj> objects = Objects(last);
    const Obj* boss = Slot(objects, 64);
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ((*boss)[1], 194);
    EXPECT_EQ((*boss)[4], 4);
    // Its gauge reads its slot all through the fight.
    for (size_t i = 180; i < game.size(); ++i)
        ASSERT_EQ(e2e::IntField(game[i], "BossSlot"), 64) << i;
    for (int64_t s = a; s < a + 16; ++s) {
        const Obj* seg = Slot(objects, s);
        ASSERT_NE(seg, nullptr) << s;
        EXPECT_EQ((*seg)[1], 124) << s;
    }
    // Roots 40 above and 35 below the boss.
    EXPECT_EQ((*Slot(objects, a))[3], (*boss)[3] - 40);
    EXPECT_EQ((*Slot(objects, b))[3], (*boss)[3] + 35);
}

TEST(BossEndToEnd, OlmardRunsItsPhasesTimesOutWithoutScoreAndTheNextStageStarts) {
    const std::vector<std::string> game = GameLines(2, 12000);
    ASSERT_EQ(game.size(), 12000u);
    std::set<int64_t> phases;
    int64_t head = -1;
    size_t cleared = 0;
    for (size_t i = 180; i < game.size(); ++i) {
        const std::string& l = game[i];
        if (e2e::IntField(l, "StagePhase") != 2) {
            cleared = i;
            break;
        }
        phases.insert(e2e::IntField(l, "WorldRegA"));
        const int64_t h = e2e::IntField(l, "PathHead");
        if (head >= 0) {
            ASSERT_EQ(h, (head + 1) & 1023) << "one path entry a frame";
        }
        head = h;
    }
    EXPECT_EQ(phases, (std::set<int64_t>{0, 4, 8, 9, 10}));
    ASSERT_GT(cleared, 10800u);
    const std::string& end = game[cleared];
    EXPECT_EQ(e2e::IntField(end, "StagePhase"), 3);
    EXPECT_EQ(e2e::IntField(end, "StageClock"), 0);
    // No boss score (100,000): only what bullets near the ship give in a frame.
    EXPECT_LT(e2e::IntField(end, "score") - e2e::IntField(game[cleared - 1], "score"), 10000);
    const std::vector<Obj> objects = Objects(end);
    const Obj* boss = Slot(objects, 64);
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ((*boss)[1], 198);
    EXPECT_EQ((*boss)[4], 1) << "dying";
    // The stage still ends: stage 5 starts after the cleared phase's 900 frames.
    bool nextStage = false;
    for (size_t i = cleared; i < game.size() && !nextStage; ++i)
        nextStage = e2e::IntField(game[i], "StageNo") == 5;
    EXPECT_TRUE(nextStage);
}

// A whole stage 2 with a ship that never fires: the mid-boss (192) outlives its time-out
// during the OLMARD fight and only leaves; the clear comes with OLMARD's own time-out.
TEST(BossEndToEnd, StageTwoEndsOnlyByOlmardWhenTheMidBossTimesOutDuringItsFight) {
    constexpr int Every = 10;
    const std::vector<std::string> game = GameLines(2, 19000, false, Every);
    ASSERT_GT(game.size(), 1800u);
    auto kindState = [](const std::string& line, int64_t kind) -> int64_t {
        for (const Obj& o : Objects(line))
            if (o[1] == kind) return o[4];
        return -1;  // none
    };
    size_t midBossLeft = 0, cleared = 0;
    for (size_t i = 0; i < game.size() && cleared == 0; ++i) {
        const std::string& l = game[i];
        const int64_t phase = e2e::IntField(l, "StagePhase");
        if (midBossLeft == 0 && kindState(l, 192) == 1) {
            midBossLeft = i;
            EXPECT_EQ(phase, 2) << "the mid-boss outlives its time while OLMARD fights";
            EXPECT_EQ(kindState(l, 198), 4) << "OLMARD active";
        }
        if (phase == 3) cleared = i;
    }
    ASSERT_GT(midBossLeft, 0u) << "the mid-boss never timed out";
    ASSERT_GT(cleared, midBossLeft) << "the stage never cleared";
    // The clear comes with OLMARD's time-out, not the mid-boss's: OLMARD is dying then, and
    // the mid-boss has long gone.
    EXPECT_EQ(kindState(game[cleared], 198), 1);
    EXPECT_EQ(kindState(game[cleared], 192), -1);
    EXPECT_EQ(e2e::IntField(game[cleared], "StageNo"), 2);
    std::printf("mid-boss left at tick %zu, the stage cleared at tick %zu\n", midBossLeft * Every,
                cleared * Every);
}

}  // namespace
