// A play of the real program, headless, watched through its dump.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

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

Play RunStage(int stage, int frames, int seed, const std::vector<std::string>& extra = {}) {
    const std::string dir = e2e::FreshDataDir();
    EnsurePictures(dir);
    Play p;
    std::vector<std::string> args = {"--frames", std::to_string(frames),
                                     "--seed",   std::to_string(seed),
                                     "--stage",  std::to_string(stage)};
    args.insert(args.end(), extra.begin(), extra.end());
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
        const auto objects = e2e::ObjectList(l);
        for (const auto& o : objects) {
            ASSERT_TRUE(o["kind"] < 81 || o["kind"] > 83) << "clock " << clock;
        }
        if (clock < 60) {
            ASSERT_TRUE(objects.empty()) << "clock " << clock;
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
        const auto objects = e2e::ObjectList(l);
        if (clock < 1500) {
            for (const auto& o : objects) ASSERT_NE(o["kind"], 194) << "clock " << clock;
        }
        if (clock < 1325) {
            ASSERT_TRUE(objects.empty()) << "clock " << clock;
        }
    }
    const std::string& at = p.game[179];
    ASSERT_EQ(e2e::IntField(at, "StageClock"), 1500);
    bool boss = false;
    for (const auto& o : e2e::ObjectList(at)) {
        if (o["kind"] != 194) continue;
        boss = true;
        EXPECT_EQ(o["x"], 400);
        EXPECT_EQ(o["y"], 120);
        EXPECT_EQ(o["state"], 2);
    }
    EXPECT_TRUE(boss);
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

namespace {

// What the bullets of a play were: (kind, speed, look) of every bullet on its first tick.
struct BulletSummary {
    std::set<std::tuple<int64_t, int64_t, int64_t>> fired;
    std::set<int64_t> speeds;
    std::set<int64_t> enemyKinds, bulletKinds;
    int64_t count = 0;
};

BulletSummary Summarise(const Play& p) {
    BulletSummary s;
    for (const auto& line : p.game) {
        for (const auto& o : e2e::ObjectList(line)) {
            const int64_t kind = o["kind"];
            if (kind >= 80) s.enemyKinds.insert(kind);
            if (kind < 48 || kind > 63) continue;
            s.bulletKinds.insert(kind);
            if (o["age"] != 0) continue;  // fired in this tick
            ++s.count;
            s.fired.insert({kind, o["speed"], o["look"]});
            s.speeds.insert(o["speed"]);
        }
    }
    return s;
}

// The random arrivals of stage 1 with the ship holding fire (and never hit).
const Play& StageOne(const std::string& difficulty, const std::string& hells) {
    static std::map<std::string, Play> plays;
    const std::string key = difficulty + " " + hells;
    auto it = plays.find(key);
    if (it == plays.end()) {
        it =
            plays
                .emplace(key,
                         RunStage(1, 1500, 7,
                                  {"--invulnerable", "--difficulty", difficulty, "--hells", hells}))
                .first;
    }
    return it->second;
}

}  // namespace

TEST(PlayEndToEnd, StageOneEnemiesMoveAndFireAlongTheirRays) {
    const Play p = RunStage(1, 3000, 7, {"--invulnerable"});
    ASSERT_EQ(p.run.status, 0) << p.run.errors;
    const BulletSummary s = Summarise(p);
    EXPECT_GE(s.enemyKinds.size(), 6u);  // 80..83, 87 and 129 arrive
    EXPECT_GE(s.bulletKinds.size(), 4u);
    int64_t rays = 0, moved = 0;
    std::map<int64_t, std::pair<int64_t, int64_t>> lastEnemy;  // slot: kind, x
    for (const auto& line : p.game) {
        for (const auto& o : e2e::ObjectList(line)) {
            const int64_t kind = o["kind"];
            if (kind >= 80) {
                const auto it = lastEnemy.find(o["slot"]);
                if (it != lastEnemy.end() && it->second.first == kind &&
                    it->second.second != o["x"]) {
                    ++moved;
                }
                lastEnemy[o["slot"]] = {kind, o["x"]};
            }
            if (kind < 48 || kind > 56 || kind == 53) continue;
            // On its ray: origin + whole pixels of distance along the angle.
            const double a = static_cast<double>(o["angle"]) * 2 * M_PI / 1024;
            const double d = std::floor(static_cast<double>(o["distance"]) / 16);
            ASSERT_NEAR(o["x"], o["originX"] + d * std::cos(a), 1.0) << line.substr(0, 200);
            ASSERT_NEAR(o["y"], o["originY"] + d * std::sin(a), 1.0);
            ++rays;
        }
    }
    EXPECT_GT(rays, 1000);
    EXPECT_GT(moved, 1000);
}

TEST(PlayEndToEnd, DifficultyAndHellsShapeTheBullets) {
    const BulletSummary base = Summarise(StageOne("HARD", "X1,X1,OFF"));
    ASSERT_GT(base.count, 50);
    // The hopper's class 1 and class 2 shots come under HARD...
    ASSERT_TRUE(base.fired.count({50, 30, 1}) && base.fired.count({48, 16, 3}));

    // ... not under EASY, where the class 0 shots of the same volleys still come.
    const BulletSummary easy = Summarise(StageOne("EASY", "X1,X1,OFF"));
    EXPECT_FALSE(easy.fired.count({50, 30, 1}) || easy.fired.count({50, 34, 1}) ||
                 easy.fired.count({48, 16, 3}));
    EXPECT_TRUE(easy.fired.count({50, 32, 1}));

    // SUPER: class 0 in look 8; only the hopper's class 1 and 2 shots keep their looks.
    const BulletSummary super = Summarise(StageOne("SUPER", "X1,X1,OFF"));
    for (const auto& [kind, speed, look] : super.fired) {
        if (look == 8) continue;
        EXPECT_TRUE((kind == 50 && (speed == 30 || speed == 34)) || (kind == 48 && speed == 16))
            << kind << " " << speed << " " << look;
    }

    // Speed X2: every speed doubled.
    const BulletSummary fast = Summarise(StageOne("HARD", "X1,X2,OFF"));
    std::set<int64_t> doubled;
    for (int64_t v : base.speeds) doubled.insert(2 * v);
    EXPECT_EQ(fast.speeds, doubled);

    // X3-B: three bullets for one, the copies at three quarters of the speed and 13 steps
    // aside. (Kills and scratches change the play, so compare volleys, not whole plays.)
    const Play& densePlay = StageOne("HARD", "X3-B,X1,OFF");
    const BulletSummary dense = Summarise(densePlay);
    for (int64_t v : base.speeds) EXPECT_TRUE(dense.speeds.count(v - v / 4)) << v;
    // Each original flies with its two copies: per tick, the new scaled ray bullets of one
    // origin are whole triples (s at a, and s - s/4 at a - 13 and a + 13).
    int64_t groups = 0, triples = 0;
    for (const auto& line : densePlay.game) {
        std::map<std::pair<int64_t, int64_t>, std::vector<std::pair<int64_t, int64_t>>> byOrigin;
        for (const auto& o : e2e::ObjectList(line)) {
            if (o["age"] != 0 || o["kind"] < 48 || o["kind"] > 55 || o["kind"] == 53) continue;
            byOrigin[{o["originX"], o["originY"]}].push_back({o["speed"], o["angle"]});
        }
        for (const auto& [origin, bullets] : byOrigin) {
            ++groups;
            int64_t whole = 0;
            for (const auto& [s0, a0] : bullets) {
                int sides = 0;
                for (const auto& [s1, a1] : bullets)
                    if (s1 == s0 - s0 / 4 &&
                        ((a1 - a0 + 1024) % 1024 == 13 || (a0 - a1 + 1024) % 1024 == 13))
                        ++sides;
                if (sides >= 2) ++whole;
            }
            if (whole * 3 == static_cast<int64_t>(bullets.size())) ++triples;
        }
    }
    ASSERT_GT(groups, 50);
    // A bullet fired onto the edge of the field or the rock leaves before it is seen.
    EXPECT_GE(triples * 100, groups * 90) << triples << " of " << groups;
}

TEST(PlayEndToEnd, SameSeedSameDumpWithEnemiesAndHells) {
    const Play a = RunStage(1, 1200, 7, {"--hells", "X3-A,X1.5,TYPE-S"});
    const Play b = RunStage(1, 1200, 7, {"--hells", "X3-A,X1.5,TYPE-S"});
    ASSERT_EQ(a.run.status, 0) << a.run.errors;
    EXPECT_EQ(a.run.dump, b.run.dump);
}
