// A play of the real program, headless, watched through its dump.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/harness.h"
#include "krdxlib/bmpwrite.h"

namespace {

// The pictures a play loads. Until the art exists in the build, plain stand-ins let the
// world run; the world never looks at pixels.
void EnsurePictures(const std::string& dir) {
    const char* names[] = {"player.bmp", "bullet.bmp", "font.bmp",  "zvlogo.bmp", "select.bmp",
                           "cloth.bmp",  "enemy.bmp",  "back1.bmp", "back2.bmp",  "back5.bmp",
                           "enemy1.bmp", "enemy2.bmp", "enemy5.bmp"};
    const std::vector<TRGBQuad> colours(256);
    const std::vector<uint8_t> pixels(320 * 480, 0);
    for (const char* n : names) {
        const auto path = std::filesystem::path(dir) / n;
        if (std::filesystem::exists(path)) continue;
        std::string error;
        ASSERT_TRUE(WriteBitmap8(path.string(), 320, 480, colours, pixels, error)) << error;
    }
}

struct Play {
    e2e::RunResult run;
    std::vector<std::string> game;  // the dump lines while the game screen is current
};

Play RunStage(int stage, int frames, int seed, const std::vector<std::string>& more = {}) {
    const std::string dir = e2e::FreshDataDir();
    EnsurePictures(dir);
    Play p;
    std::vector<std::string> args = {"--frames", std::to_string(frames),
                                     "--seed",   std::to_string(seed),
                                     "--stage",  std::to_string(stage)};
    args.insert(args.end(), more.begin(), more.end());
    p.run = e2e::RunVorin(dir, args);
    for (const auto& line : p.run.dump) {
        if (e2e::HasField(line, "StageClock")) p.game.push_back(line);
    }
    std::filesystem::remove_all(dir);
    return p;
}

}  // namespace

TEST(PlayEndToEnd, StageOneClockScrollLoopAndArrivals) {
    const Play p = RunStage(1, 400, 7);
    ASSERT_EQ(p.run.status, 0) << p.run.errors;
    ASSERT_EQ(p.run.dump.size(), 400u);
    ASSERT_EQ(p.game.size(), 400u) << "the play starts before the first tick";
    EXPECT_EQ(e2e::RawField(p.run.dump[0], "ScoreTable"),
              "[[100000,0],[80000,1],[60000,2],[40000,0],[20000,1]]");
    int64_t objects = 0, next = 3;
    for (size_t i = 0; i < p.game.size(); ++i) {
        const std::string& l = p.game[i];
        const int64_t clock = e2e::IntField(l, "StageClock");
        ASSERT_EQ(clock, static_cast<int64_t>(i) + 1) << l.substr(0, 300);
        ASSERT_EQ(e2e::IntField(l, "StageNo"), 1);
        ASSERT_EQ(e2e::IntField(l, "StagePhase"), 0);
        ASSERT_EQ(e2e::IntField(l, "HasTerrain"), 1);
        ASSERT_EQ(e2e::IntField(l, "LoopStart"), 1024);
        ASSERT_EQ(e2e::IntField(l, "LoopLength"), 2048);
        ASSERT_EQ(e2e::IntField(l, "ScrollSpeedX"), 8);
        // Half a pixel a frame: one pixel on every even clock, counting the step at 0.
        ASSERT_EQ(e2e::IntField(l, "ScrollX"), clock / 2 + 1);
        ASSERT_EQ(e2e::IntField(l, "PlayFrames"), clock);
        // The three set-up records at 0, then the waves as they come.
        ASSERT_GE(e2e::IntField(l, "TimelineNext"), next);
        next = e2e::IntField(l, "TimelineNext");
        if (e2e::RawField(l, "Objects") != "[]") ++objects;
    }
    EXPECT_GT(objects, 0) << "no random arrival in 400 frames";
    EXPECT_GT(e2e::IntField(p.game.back(), "SpawnCount"), 0);
}

// Stage 5 has no random arrivals, and its red twin chains (195) hold the clock: with
// nobody shooting them the stage stands at their spawn position.
TEST(PlayEndToEnd, StageFiveHasNoRandomArrivalsAndTheChainsHoldTheClock) {
    const Play p = RunStage(5, 900, 3);
    ASSERT_EQ(p.run.status, 0) << p.run.errors;
    ASSERT_EQ(p.game.size(), 900u);
    int64_t held = 0;
    for (const auto& l : p.game) {
        const int64_t clock = e2e::IntField(l, "StageClock");
        ASSERT_EQ(e2e::IntField(l, "StagePhase"), 0) << "clock " << clock;
        ASSERT_EQ(e2e::IntField(l, "HasTerrain"), 0);
        ASSERT_EQ(e2e::IntField(l, "LoopLength"), 2147483647);
        ASSERT_EQ(e2e::IntField(l, "ScrollSpeedX"), 24);
        const std::string objects = e2e::RawField(l, "Objects");
        for (const char* arrival : {",81,", ",82,", ",83,"}) {
            ASSERT_EQ(objects.find(arrival), std::string::npos) << "clock " << clock;
        }
        if (clock < 60) {
            ASSERT_EQ(objects, "[]") << "clock " << clock;
        }
        ASSERT_LE(clock, 720);
        if (clock == 720) {
            ++held;
            ASSERT_EQ(e2e::IntField(l, "ClockHold"), 1);
        }
    }
    EXPECT_GT(held, 100);
}

// "ONLY BOSS" on stage 5: 180 frames before SAI-FEN, the boss song 100 frames before it.
TEST(PlayEndToEnd, StageFiveAtTheBoss) {
    const Play p = RunStage(5, 200, 3, {"--at-boss"});
    ASSERT_EQ(p.run.status, 0) << p.run.errors;
    ASSERT_EQ(p.game.size(), 200u);
    for (const auto& l : p.game) {
        const int64_t clock = e2e::IntField(l, "StageClock");
        const int64_t phase = e2e::IntField(l, "StagePhase");
        ASSERT_EQ(phase, clock < 1500 ? 1 : 2) << "clock " << clock;
        if (clock > 1321) {
            ASSERT_EQ(e2e::IntField(l, "Song"), clock == 1400 ? 2 : -1) << "clock " << clock;
        }
        // The records up to the boss position - 180 spawn nothing; the boss comes at 1500.
        if (clock < 1500) {
            ASSERT_EQ(e2e::RawField(l, "Objects").find(",194,"), std::string::npos) << clock;
        }
        if (clock < 1325) {
            ASSERT_EQ(e2e::RawField(l, "Objects"), "[]") << "clock " << clock;
        }
    }
    const std::string& at = p.game[179];
    ASSERT_EQ(e2e::IntField(at, "StageClock"), 1500);
    EXPECT_NE(e2e::RawField(at, "Objects").find("194,400,120,2,"), std::string::npos)
        << e2e::RawField(at, "Objects");
    // 1.5 pixels a frame (2, 1, 2, 1...), 2 of them at clock 0.
    EXPECT_EQ(e2e::IntField(at, "ScrollX"), 2 + 1500 * 3 / 2);
}

TEST(PlayEndToEnd, SameSeedSameDump) {
    const Play a = RunStage(2, 300, 11);
    const Play b = RunStage(2, 300, 11);
    ASSERT_EQ(a.run.status, 0) << a.run.errors;
    EXPECT_EQ(a.run.dump, b.run.dump);
}

TEST(PlayEndToEnd, MissingStageFileReturnsToTheTitle) {
    const std::string dir = e2e::FreshDataDir();
    EnsurePictures(dir);
    std::filesystem::remove(std::filesystem::path(dir) / "Stage2.map");
    const auto run = e2e::RunVorin(dir, {"--frames", "20", "--stage", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.errors.find("Stage2.map"), std::string::npos) << run.errors;
    for (const auto& l : run.dump) ASSERT_FALSE(e2e::HasField(l, "StageClock"));
    std::filesystem::remove_all(dir);
}
