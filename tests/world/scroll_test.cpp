// The scroll step: quarter-pixel spreading, the loop, the vertical wrap and carried objects.
#include "world/play.h"
#include "world/spawn.h"
#include "world_fixture.h"

using ScrollTest = WorldTest;

namespace {
std::vector<int32_t> Steps(int32_t speed) {
    std::vector<int32_t> out;
    for (int32_t phase = 0; phase < 4; ++phase) out.push_back(ScrollStepFor(speed, phase));
    return out;
}
}  // namespace

TEST(ScrollStepFor, SpreadsQuarterPixelsOverFourFrames) {
    EXPECT_EQ(Steps(8), (std::vector<int32_t>{1, 0, 1, 0}));
    EXPECT_EQ(Steps(12), (std::vector<int32_t>{1, 1, 1, 0}));
    EXPECT_EQ(Steps(-8), (std::vector<int32_t>{-1, 0, -1, 0}));
    EXPECT_EQ(Steps(-20), (std::vector<int32_t>{-2, -1, -1, -1}));
    EXPECT_EQ(Steps(16), (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(Steps(3), (std::vector<int32_t>{0, 0, 0, 0}));  // below a quarter pixel
    EXPECT_EQ(Steps(36), (std::vector<int32_t>{3, 2, 2, 2}));
    // The phase is the clock AND 3, also for a negative clock.
    EXPECT_EQ(ScrollStepFor(8, 6), 1);
    EXPECT_EQ(ScrollStepFor(8, -1), 0);
}

TEST_F(ScrollTest, VerticalWrapOnlyOnTerrainStages) {
    ScrollSpeedY = 16;
    ScrollY = 512;
    LoopLength = NoLoop;
    HasTerrain = 1;
    ScrollStep();
    EXPECT_EQ(ScrollY, 1);
    ScrollY = 0;
    ScrollSpeedY = -16;
    ScrollStep();
    EXPECT_EQ(ScrollY, 511);
    HasTerrain = 0;
    ScrollY = 512;
    ScrollSpeedY = 16;
    ScrollStep();
    EXPECT_EQ(ScrollY, 513);
}

TEST_F(ScrollTest, LoopWrapsAndReleasesHeldClock) {
    HasTerrain = 1;
    ScrollSpeedX = 16;
    LoopStart = 100;
    LoopLength = 50;
    ScrollX = 148;
    ClockHold = ClockReleaseAtWrap;
    ScrollStep();
    EXPECT_EQ(ScrollX, 149);
    EXPECT_EQ(ClockHold, ClockReleaseAtWrap);
    ScrollStep();
    EXPECT_EQ(ScrollX, 100);
    EXPECT_EQ(ClockHold, ClockRuns);
    // A held clock (1) is not released by the wrap.
    ScrollX = 149;
    ClockHold = ClockHeld;
    ScrollStep();
    EXPECT_EQ(ScrollX, 100);
    EXPECT_EQ(ClockHold, ClockHeld);
}

TEST_F(ScrollTest, NoLoopNeverWraps) {
    HasTerrain = 1;
    ScrollSpeedX = 16;
    LoopStart = 5000;
    LoopLength = NoLoop;
    ScrollX = 0x7FFFFFF0;
    ScrollStep();
    EXPECT_EQ(ScrollX, 0x7FFFFFF1);
}

TEST_F(ScrollTest, LoopOnlyOnTerrainStages) {
    HasTerrain = 0;
    ScrollSpeedX = 16;
    LoopStart = 0;
    LoopLength = 10;
    ScrollX = 20;
    ScrollStep();
    EXPECT_EQ(ScrollX, 21);
}

TEST_F(ScrollTest, CarriesObjectsThatScrollWithTheMap) {
    DefineKind(100, 1, true, false);
    DefineKind(101, 1, true, true);
    DefineKind(80, 1, false, false);
    const int32_t pixel = SpawnObject(200, 50, 100, 0);
    const int32_t fine = SpawnObject(200, 50, 101, 0);
    const int32_t still = SpawnObject(200, 50, 80, 0);
    ScrollSpeedX = 32;
    ScrollSpeedY = -16;
    StageClock = 0;
    ScrollStep();
    EXPECT_EQ(Objects[pixel].X, 198);
    EXPECT_EQ(Objects[pixel].Y, 51);
    EXPECT_EQ(Objects[fine].FineX, 200 * 16 - 32);
    EXPECT_EQ(Objects[fine].FineY, 50 * 16 + 16);
    EXPECT_EQ(Objects[fine].X, 200);  // the behaviour pass derives it later
    EXPECT_EQ(Objects[still].X, 200);
    // The spare slot is never carried.
    Objects[SpareSlot] = Objects[pixel];
    ScrollStep();
    EXPECT_EQ(Objects[SpareSlot].X, 198);
}
