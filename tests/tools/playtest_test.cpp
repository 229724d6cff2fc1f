// The playtest's reading of dump lines: phases, counts of new objects, pick-ups, checks.
#include "common/playtest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A game tick as the dump writes it, with the fields the playtest reads.
std::string Tick(int stage, int phase, int clock, const std::string& objects, int shipY = 100,
                 int main = 4) {
    return "{\"CurrentScreen\":2,\"StageNo\":" + std::to_string(stage) +
           ",\"StageClock\":" + std::to_string(clock) + ",\"StagePhase\":" + std::to_string(phase) +
           ",\"Stats\":{\"SpawnCount\":7,\"ShootDownCount\":3,\"ScratchFrames\":2,"
           "\"MaxScratches\":1},\"Ship\":{\"x\":80,\"y\":" +
           std::to_string(shipY) + ",\"mainLevel\":" + std::to_string(main) +
           ",\"anchorLevel\":28,\"score\":1230},\"Objects\":[" + objects + "]}";
}

std::string Obj(int slot, int kind, int age, int x = 200, int y = 100) {
    return "{\"slot\":" + std::to_string(slot) + ",\"kind\":" + std::to_string(kind) +
           ",\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y) +
           ",\"age\":" + std::to_string(age) + "}";
}

TEST(Playtest, CountsNewObjectsPhasesAndTheNextScreen) {
    zvtools::PlaytestWatcher w(1);
    w.Line(Tick(1, 0, 1, Obj(3, 18, 0) + "," + Obj(64, 80, 0) + "," + Obj(65, 48, 0)));
    w.Line(Tick(1, 2, 2,
                Obj(64, 80, 1) + "," + Obj(65, 48, 1) + "," + Obj(66, 48, 0) + "," +
                    Obj(67, 9, 1, 90, 100)));
    // The power-up is gone beside the ship: taken, and the weapon moved up.
    w.Line(Tick(1, 3, 1, Obj(64, 80, 2), 100, 5));
    EXPECT_FALSE(w.Done());
    w.Line(Tick(1, 3, 601, "", 100, 5));
    w.Line(Tick(2, 0, 1, ""));
    EXPECT_TRUE(w.Done());
    const auto& f = w.Figures();
    EXPECT_EQ(f.Ticks, 4);
    EXPECT_EQ(f.BossAt, 2);
    EXPECT_EQ(f.ClearedAt, 3);
    EXPECT_TRUE(f.Completed);
    EXPECT_EQ(f.EnemiesSeen, 1);
    EXPECT_EQ(f.BulletsFired, 2);
    EXPECT_EQ(f.PeakBullets, 2);
    EXPECT_EQ(f.PeakObjects, 4) << "ship shots are not world slots";
    EXPECT_EQ(f.PowerUpsReleased, 1);
    EXPECT_EQ(f.PowerUpsTaken, 1);
    EXPECT_EQ(f.WeaponSteps, 1);
    EXPECT_EQ(f.Score, 1230);
    EXPECT_EQ(f.Spawned, 7);
    EXPECT_EQ(zvtools::PlaytestProblems(f), "");
}

TEST(Playtest, ReportsAFullTableAStuckObjectAndAStageThatNeverEnds) {
    zvtools::PlaytestWatcher w(2);
    std::string full;
    for (int s = 64; s <= 256; ++s) full += (s > 64 ? "," : "") + Obj(s, 80, s == 64 ? 20000 : 5);
    for (int t = 0; t < 700; ++t) w.Line(Tick(2, 0, t + 1, full));
    w.Line("{\"CurrentScreen\":2,\"MessageText\":\"FAILURE\",\"StageNo\":2}");
    const std::string p = zvtools::PlaytestProblems(w.Figures());
    EXPECT_NE(p.find("never cleared"), std::string::npos) << p;
    EXPECT_NE(p.find("stayed full for 700"), std::string::npos) << p;
    EXPECT_NE(p.find("kind 80 lived 20000"), std::string::npos) << p;
    EXPECT_NE(p.find("no next stage"), std::string::npos) << p;
    EXPECT_NE(p.find("FAILURE"), std::string::npos) << p;
}

}  // namespace
