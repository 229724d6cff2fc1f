// The timeline step: special codes, spawns, fast-forward and the end of a full table.
#include "world/play.h"
#include "world_fixture.h"

using TimelineTest = WorldTest;

namespace {
void SetRecords(const std::vector<TTimelineEvent>& events) {
    for (int32_t i = 0; i < TimelineCapacity; ++i) {
        StageMap.Timeline[i] = i < static_cast<int32_t>(events.size())
                                   ? events[i]
                                   : TTimelineEvent{TimelineNever, 0, 0, 0, 0};
    }
    TimelineNext = 0;
}
}  // namespace

TEST_F(TimelineTest, SpecialCodesApply) {
    SetRecords({{0, CodeTerrain, 1, 0, 0},
                {0, CodeScroll, 30, 40, 0},
                {0, CodeScrollSpeed, -8, 4, 0},
                {0, CodeLoop, 256, 1024, 0},
                {5, CodeTerrain, 0, 0, 0}});
    StageClock = 0;
    TimelineStep(false);
    EXPECT_EQ(HasTerrain, 1);
    EXPECT_EQ(ScrollX, 30);
    EXPECT_EQ(ScrollY, 40);
    EXPECT_EQ(ScrollSpeedX, -8);
    EXPECT_EQ(ScrollSpeedY, 4);
    EXPECT_EQ(LoopStart, 256);
    EXPECT_EQ(LoopLength, 1024);
    EXPECT_EQ(TimelineNext, 4);
    StageClock = 5;
    TimelineStep(true);
    EXPECT_EQ(HasTerrain, 0);
}

TEST_F(TimelineTest, RecordsOfOnePositionFireTogetherInOrder) {
    DefineKind(80, 3);
    DefineKind(81, 4);
    SetRecords({{10, 80, 300, 50, 0}, {10, 81, 310, 60, 0}, {11, 80, 320, 70, 0}});
    StageClock = 9;
    TimelineStep(false);
    EXPECT_EQ(CountKind(80) + CountKind(81), 0);
    StageClock = 10;
    TimelineStep(false);
    EXPECT_EQ(Objects[64].Kind, 80);
    EXPECT_EQ(Objects[64].X, 300);
    EXPECT_EQ(Objects[64].Y, 50);
    EXPECT_EQ(Objects[65].Kind, 81);
    EXPECT_EQ(TimelineNext, 2);
    EXPECT_EQ(Stats.SpawnCount, 2);
}

TEST_F(TimelineTest, SpawnPassesTheParam) {
    SetRecords({{0, 116, 320, 100, 2}});
    TimelineStep(false);
    EXPECT_EQ(Objects[64].Kind, 116);
    EXPECT_EQ(Objects[64].Param, 2);
}

TEST_F(TimelineTest, FastForwardSpawnsNothingButMovesOn) {
    DefineKind(80, 3);
    SetRecords({{0, 80, 300, 50, 0}, {3, 80, 300, 50, 0}, {3, CodeScrollSpeed, 16, 0, 0}});
    StageClock = 3;
    TimelineStep(true);
    EXPECT_EQ(CountKind(80), 0);
    EXPECT_EQ(ScrollSpeedX, 16);
    EXPECT_EQ(TimelineNext, 3);
    EXPECT_EQ(Stats.SpawnCount, 0);
}

TEST_F(TimelineTest, FullTableStopsAfterTheLastRecord) {
    std::vector<TTimelineEvent> events;
    for (int32_t i = 0; i < TimelineCapacity; ++i) events.push_back({i / 4, CodeScroll, i, 0, 0});
    SetRecords(events);
    StageClock = 100000;
    TimelineStep(true);
    EXPECT_EQ(TimelineNext, TimelineCapacity);
    EXPECT_EQ(ScrollX, 1023);
    TimelineStep(false);  // and stays there
    EXPECT_EQ(TimelineNext, TimelineCapacity);
}
