// The fight in headless plays, watched tick by tick through the dump: kills and their score,
// scratches and ship hits explained by the positions of the tick before; and a whole play
// through the menus that ends on the title's "LAST PLAY" page with this play's values.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"
#include "e2e/harness.h"
#include "screens/title.h"
#include "world/objects.h"
#include "world/state.h"
#include "zvcommon/enemytypes.h"

namespace {

using namespace e2e;

struct Obj {
    int64_t slot, kind, x, y, state, hp;
};

// One game tick of the dump.
struct Tick {
    int64_t tick = 0, stage = 0, scratches = 0, shotDown = 0;
    int64_t x = 0, y = 0, state = 0, invulnerable = 0, score = 0, lives = 0, multiplier = 0;
    std::vector<Obj> objects;
    const Obj* At(int64_t slot) const {
        for (const Obj& o : objects) {
            if (o.slot == slot) return &o;
        }
        return nullptr;
    }
};

// Every entry of the Objects array: an object with named fields, or (in older dumps) an
// array whose first six numbers are slot, kind, x, y, state and hit points.
std::vector<Obj> ParseObjects(const std::string& raw) {
    std::vector<Obj> out;
    const bool named = raw.find('{') != std::string::npos;
    const char open = named ? '{' : '[', close = named ? '}' : ']';
    size_t at = raw.find(open, named ? 0 : 1);
    while (at != std::string::npos) {
        const size_t end = raw.find(close, at);
        std::string entry = raw.substr(at, end - at + 1);
        Obj o{};
        if (named) {
            o = {IntField(entry, "slot"), IntField(entry, "kind"),  IntField(entry, "x"),
                 IntField(entry, "y"),    IntField(entry, "state"), IntField(entry, "hp")};
            out.push_back(o);
        } else {
            for (char& c : entry) {
                if (c == ',' || c == '[' || c == ']') c = ' ';
            }
            std::istringstream in(entry);
            if (in >> o.slot >> o.kind >> o.x >> o.y >> o.state >> o.hp) out.push_back(o);
        }
        at = raw.find(open, end);
    }
    return out;
}

std::vector<Tick> GameTicks(const RunResult& r) {
    std::vector<Tick> out;
    for (size_t i = 0; i < r.dump.size(); ++i) {
        const std::string& line = r.dump[i];
        if (!HasField(line, "StageClock")) continue;
        Tick t;
        t.tick = static_cast<int64_t>(i) + 1;
        t.stage = IntField(line, "StageNo");
        t.scratches = IntField(line, "Scratches");
        t.shotDown = IntField(RawField(line, "Stats"), "ShootDownCount");
        const std::string ship = RawField(line, "Ship");
        t.x = IntField(ship, "x");
        t.y = IntField(ship, "y");
        t.state = IntField(ship, "state");
        t.invulnerable = IntField(ship, "invulnerable");
        t.score = IntField(ship, "score");
        t.lives = IntField(ship, "lives");
        t.multiplier = IntField(ship, "multiplier");
        t.objects = ParseObjects(RawField(line, "Objects"));
        out.push_back(std::move(t));
    }
    return out;
}

bool Within(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t n) {
    return std::llabs(ax - bx) < n && std::llabs(ay - by) < n;
}

bool IsBullet(const Obj& o) {
    return o.slot >= 64 && o.kind >= 48 && o.kind <= 63;
}

class FightEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = FreshDataDir();
        ReadEnemyTypes(dir_ + "/einit.dat", types_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    const TEnemyType& Type(int64_t kind) const { return types_[kind & 255]; }
    // The ship's point inside a deadly body's box.
    bool InDeadlyBody(const Tick& t) const {
        for (const Obj& o : t.objects) {
            if (o.slot < 64 || o.kind < 80) continue;
            const TEnemyType& ty = Type(o.kind);
            if (ty.ContactKind == ContactDeadly && t.x > o.x + ty.BoxLeft &&
                t.x < o.x + ty.BoxRight && t.y > o.y + ty.BoxTop && t.y < o.y + ty.BoxBottom) {
                return true;
            }
        }
        return false;
    }
    bool AnySolid(const Tick& t) const {
        for (const Obj& o : t.objects) {
            if (o.slot >= 64 && o.kind >= 80 && Type(o.kind).ContactKind == ContactSolid) {
                return true;
            }
        }
        return false;
    }
    std::string dir_;
    TEnemyType types_[EnemyTypeCount] = {};
};

// Stage 1, character 0: both shot buttons held (no throws, so the multiplier stays 1) while
// the ship sweeps along the right edge; from tick 2000 it holds its fire and rams.
TEST_F(FightEndToEnd, StageOneUnderFire) {
    std::string script = "1 Z down\n1 X down\n60 Right down\n2000 Z up\n2000 X up\n";
    for (int t = 200; t < 4000; t += 150) {
        script += std::to_string(t) + ((t / 150) % 2 ? " Up" : " Down") + " down\n";
        script += std::to_string(t + 149) + ((t / 150) % 2 ? " Up" : " Down") + " up\n";
    }
    const RunResult r =
        RunVorin(dir_, {"--frames", "4000", "--seed", "11", "--stage", "1"}, script);
    ASSERT_EQ(r.status, 0) << r.errors;
    const std::vector<Tick> ticks = GameTicks(r);
    ASSERT_GT(ticks.size(), 1000u);

    int64_t kills = 0, explosions = 0, hits = 0, scratchTicks = 0, livesLost = 0;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const Tick &a = ticks[i - 1], &b = ticks[i];
        if (b.tick != a.tick + 1 || b.stage != a.stage) continue;
        SCOPED_TRACE(testing::Message() << "tick " << b.tick);
        ASSERT_GE(b.score, a.score);
        ASSERT_EQ(b.multiplier, 1);

        // Kills: an enemy turned into an explosion in its own slot.
        int64_t killed = 0, killScore = 0, damaged = 0;
        for (const Obj& o : b.objects) {
            explosions += o.kind == 72 || o.kind == 73;
            const Obj* before = a.At(o.slot);
            if (before == nullptr || o.slot < 64 || before->kind < 80) continue;
            // (A slot freed and taken by a new object in the same tick is not a hit.)
            const bool same = o.kind == before->kind || o.kind == 72 || o.kind == 73;
            if (same && o.hp < before->hp) ++damaged;
            if ((o.kind == 72 || o.kind == 73) && before->state == StateActive) {
                ++killed;
                killScore += Type(before->kind).Score;
                EXPECT_LT(o.hp, 1) << "destroyed with hit points left, slot " << o.slot;
            }
        }
        EXPECT_EQ(b.shotDown - a.shotDown, killed);
        kills += killed;
        // Every damaging hit pays 10, a scratch 10, a kill its type score; blocks and
        // pick-ups only add to that.
        const int64_t delta = b.score - a.score;
        EXPECT_EQ(delta % 10, 0);
        EXPECT_GE(delta, killScore + 10 * damaged + 10 * b.scratches);

        // Scratches and hits follow from where the ship and the bullets were.
        if (a.state == ShipGameOver || AnySolid(a)) continue;
        int64_t near = 0;
        bool bulletHit = false;
        for (const Obj& o : a.objects) {
            if (!IsBullet(o)) continue;
            if (Within(o.x, o.y, a.x, a.y, 5)) {
                bulletHit = true;
            } else if (Within(o.x, o.y, a.x, a.y, 16)) {
                ++near;
            }
        }
        EXPECT_EQ(b.scratches, near);
        scratchTicks += b.scratches > 0;
        const bool hit = a.invulnerable < 1 && (bulletHit || InDeadlyBody(a));
        if (hit) {
            EXPECT_EQ(b.state, ShipShotDown) << "ship at " << a.x << "," << a.y;
            ++hits;
        } else if (a.state != ShipShotDown) {
            EXPECT_NE(b.state, ShipShotDown) << "ship at " << a.x << "," << a.y;
        }
        livesLost += b.lives < a.lives;
    }
    EXPECT_GE(kills, 20);
    EXPECT_GT(explosions, 0);
    EXPECT_GE(hits, 1);
    EXPECT_GE(livesLost, 1);
    RecordProperty("scratchTicks", static_cast<int>(scratchTicks));
}

// Title, arcade, the first difficulty, the hells as they are, character 0; the ship then
// sweeps the right edge, firing at first, then not, until its three ships are lost, and the title's
// statistics page shows this play's values.
TEST_F(FightEndToEnd, WholePlayThroughTheMenusEndsOnTheLastPlayPage) {
    Keys k(10);
    k.Tap("C");
    k.Tap("Z");  // ARCADE GAME
    k.Tap("Z");  // EASY
    k.Taps("Down", 3);
    const int64_t okay = k.Tap("Z");
    k.At(okay + FadeOutTicks + 5);
    const int64_t decide = k.Tap("Z");
    const int64_t gameEntered = decide + 59 + FadeOutTicks;
    k.At(gameEntered + 60);
    k.Down("Right");
    k.Down("Z");
    k.Down("X");
    k.At(gameEntered + 1200);
    k.Up("Z");
    k.Up("X");
    std::string script = k.Script();
    for (int64_t t = gameEntered + 100; t < gameEntered + 6000; t += 150) {
        const char* key = ((t - gameEntered) / 150) % 2 ? "Up" : "Down";
        script += std::to_string(t) + " " + key + " down\n";
        script += std::to_string(t + 149) + " " + key + " up\n";
    }
    const int64_t frames = gameEntered + 6000;
    const std::string page = dir_ + "/last-play.bmp";
    const RunResult r = RunVorin(dir_,
                                 {"--frames", std::to_string(frames), "--seed", "3", "--screenshot",
                                  std::to_string(frames - 1) + ":" + page},
                                 script);
    ASSERT_EQ(r.status, 0) << r.errors;

    // The last tick dumped on the game screen; the next tick's update is the play's last
    // (its fade-out reaches black after it), then the title.
    int64_t lastGame = 0;
    for (size_t i = 0; i < r.dump.size(); ++i) {
        if (HasField(r.dump[i], "StageClock")) lastGame = static_cast<int64_t>(i) + 1;
    }
    ASSERT_GT(lastGame, gameEntered);
    ASSERT_LT(lastGame, frames - 20) << "the play never ended";
    const std::string& end = AtTick(r, lastGame);
    EXPECT_EQ(IntField(RawField(end, "Ship"), "state"), ShipGameOver);
    const int64_t titleTick = lastGame + 1;
    ASSERT_EQ(IntField(AtTick(r, titleTick), "CurrentScreen"), 0);

    TPlayStats s;
    const std::string stats = RawField(end, "Stats");
    s.PlayFrames = static_cast<int32_t>(IntField(stats, "PlayFrames")) + 1;
    s.ScratchFrames = static_cast<int32_t>(IntField(stats, "ScratchFrames"));
    s.MaxScratches = static_cast<int32_t>(IntField(stats, "MaxScratches"));
    s.MaxMultiplier = static_cast<int32_t>(IntField(stats, "MaxMultiplier"));
    s.MultiplierSum = static_cast<int32_t>(IntField(stats, "MultiplierSum"));
    s.SpawnCount = static_cast<int32_t>(IntField(stats, "SpawnCount"));
    s.ShootDownCount = static_cast<int32_t>(IntField(stats, "ShootDownCount"));
    s.CoinCount = static_cast<int32_t>(IntField(stats, "CoinCount"));
    const auto score = static_cast<int32_t>(IntField(RawField(end, "Ship"), "score"));
    EXPECT_GT(s.PlayFrames, 600);
    EXPECT_GT(s.SpawnCount, 0);
    EXPECT_GT(s.ShootDownCount, 0);
    EXPECT_GT(score, 0);
    std::string expected = "[";
    for (const std::string& v : LastPlayValues(s, score)) expected += "\"" + v + "\",";
    expected.back() = ']';
    EXPECT_EQ(RawField(AtTick(r, titleTick), "LastPlay"), expected);
    EXPECT_EQ(RawField(AtTick(r, frames), "LastPlay"), expected) << "kept on the title";
    // Right is still held: the title shows the statistics page instead of the logo.
    EXPECT_LT(Pictures(dir_).LogoShare(Shot(page)), 0.5);
}

}  // namespace

namespace {
// --invulnerable: the same ramming sweep never loses a ship.
TEST_F(FightEndToEnd, InvulnerableShipIsNeverHit) {
    std::string script = "60 Right down\n";
    for (int t = 200; t < 3000; t += 150) {
        script += std::to_string(t) + ((t / 150) % 2 ? " Up" : " Down") + " down\n";
        script += std::to_string(t + 149) + ((t / 150) % 2 ? " Up" : " Down") + " up\n";
    }
    const RunResult r = RunVorin(
        dir_, {"--frames", "3000", "--seed", "11", "--stage", "1", "--invulnerable"}, script);
    ASSERT_EQ(r.status, 0) << r.errors;
    const std::vector<Tick> ticks = GameTicks(r);
    ASSERT_EQ(ticks.size(), 3000u);
    int64_t touched = 0;
    for (const Tick& t : ticks) {
        ASSERT_GE(t.invulnerable, 1) << "tick " << t.tick;
        ASSERT_NE(t.state, ShipShotDown) << "tick " << t.tick;
        touched += InDeadlyBody(t);
    }
    EXPECT_GT(touched, 0) << "the sweep met no body";
    EXPECT_EQ(ticks.back().lives, 2);
}
}  // namespace
