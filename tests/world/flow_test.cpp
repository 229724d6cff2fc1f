// A play's stages: start, fast-forward, phases, the end of a stage and of a play.
#include "screens/game.h"
#include "shell/screens.h"
#include "world/play.h"
#include "world/tables.h"
#include "world_fixture.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"

namespace {
class FlowTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        DefaultScores(ScoreTable);
        for (int32_t kind : {80, 81, 82, 83, 87, 129, 90}) DefineKind(kind, 1);
    }
    // A stage file of the given records (and terrain flag via the table).
    void WriteStage(int32_t stage, const std::vector<TTimelineEvent>& events) {
        StageImage img;
        img.events = events;
        img.columns.assign(4, std::vector<uint8_t>(32, 1));
        img.attributes[1] = 1;
        WriteFile("Stage" + std::to_string(stage) + ".map", img.Bytes());
    }
    void Run(int32_t updates) {
        for (int32_t i = 0; i < updates; ++i) UpdateGameRun();
    }
};
}  // namespace

TEST_F(FlowTest, StartGameRunPreparesTheStageAtPositionZero) {
    WriteStage(2, {{0, 90, 300, 100, 0}, {0, CodeScrollSpeed, 16, 0, 0}, {5, 90, 310, 120, 0}});
    Objects[100].Kind = 80;
    Objects[SpareSlot].Kind = 80;
    Effects[3].Kind = 1;
    Stats.SpawnCount = 50;
    ScrollX = 77;
    StageNo = 2;
    StartGameRun();
    EXPECT_EQ(CurrentScreen, ScreenGame);
    EXPECT_EQ(StageClock, 0);
    EXPECT_EQ(StagePhase, PhaseStage);
    EXPECT_EQ(TimelineNext, 2);
    EXPECT_EQ(Objects[100].Kind, 0);
    EXPECT_EQ(Objects[SpareSlot].Kind, 80);  // the spare is not cleared
    EXPECT_EQ(Effects[3].Kind, 0);
    EXPECT_EQ(CountKind(90), 0);  // the record at position 0 never spawns
    EXPECT_EQ(Stats.SpawnCount, 0);
    EXPECT_EQ(Stats.MaxMultiplier, 1);
    EXPECT_EQ(ScrollSpeedX, 16);
    EXPECT_EQ(ScrollX, 1);  // one scroll step at speed 16
    EXPECT_EQ(LoopLength, NoLoop);
    EXPECT_EQ(HasTerrain, 0);
    EXPECT_EQ(FadeStep, 1);
    EXPECT_EQ(FadeLevel, 0);
    EXPECT_EQ(Players[0].ShipState, ShipEntering);
    EXPECT_EQ(Players[1].OriginY, 160);
    // Stage 2 has no terrain: the tile map is cleared whatever the file holds.
    for (uint8_t b : StageMap.TileMap) ASSERT_EQ(b, 0);
    Run(5);
    EXPECT_EQ(StageClock, 5);
    EXPECT_EQ(Stats.PlayFrames, 5);
    EXPECT_EQ(CountKind(90), 1);
}

TEST_F(FlowTest, TerrainStageKeepsItsTiles) {
    WriteStage(1, {});
    StageNo = 1;
    StartGameRun();
    EXPECT_EQ(HasTerrain, 1);
    EXPECT_EQ(StageMap.TileMap[3 * 32 + 31], 1);
    EXPECT_TRUE(BackgroundSolid(10, 10));
    EXPECT_FALSE(BackgroundSolid(70, 10));  // column 4 lies outside the file's columns
}

TEST_F(FlowTest, PhasesChangeAtTheirClockValues) {
    WriteStage(2, {});
    StageNo = 2;
    StartGameRun();
    StageClock = 6598;
    Run(1);
    EXPECT_EQ(StagePhase, PhaseStage);
    Run(1);  // 6600 = 7200 - 600
    EXPECT_EQ(StagePhase, PhaseBossApproach);
    StageClock = 7198;
    Run(1);
    EXPECT_EQ(StagePhase, PhaseBossApproach);
    Run(1);
    EXPECT_EQ(StageClock, 7200);
    EXPECT_EQ(StagePhase, PhaseBossFight);
}

TEST_F(FlowTest, BossFightStopsArrivalsAndTimeline) {
    WriteStage(2, {{7300, 90, 300, 100, 0}});
    StageNo = 2;
    StartGameRun();
    StagePhase = PhaseBossFight;
    StageClock = 7200;
    Run(300);
    EXPECT_EQ(StageClock, 7500);
    EXPECT_EQ(Stats.SpawnCount, 0);
    EXPECT_EQ(TimelineNext, 0);
}

TEST_F(FlowTest, RandomArrivalsBelowStageFiveOnly) {
    WriteStage(2, {});
    WriteStage(5, {});
    StageNo = 2;
    StartGameRun();
    StageClock = 500;
    // Arrivals appear at the right edge at heights 20..219; they are the objects of age 0
    // after a frame (they then move and fire).
    int32_t fighters = 0, big = 0;
    for (int32_t frame = 0; frame < 200; ++frame) {
        Run(1);
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            const TWorldObject& o = Objects[s];
            if (o.Kind < KindFirstEnemy || o.Age != 0) continue;
            fighters += o.Kind >= 80 && o.Kind <= 83;
            big += o.Kind == 87;
            EXPECT_EQ(o.X, 319);
            EXPECT_GE(o.Y, 20);
            EXPECT_LT(o.Y, 220);
        }
    }
    EXPECT_GT(Stats.SpawnCount, 0);
    EXPECT_EQ(big, 1);  // the one at StageClock 600
    EXPECT_GT(fighters, 0);
    StageNo = 5;
    StartGameRun();
    Run(1000);
    EXPECT_EQ(Stats.SpawnCount, 0);
}

TEST_F(FlowTest, OnlyBossStartsShortlyBeforeTheBoss) {
    WriteStage(1, {{0, CodeScrollSpeed, 16, 0, 0},
                   {100, 90, 300, 100, 0},
                   {7000, CodeLoop, 64, 512, 0},
                   {7100, 90, 300, 100, 0},
                   {7200, 90, 320, 120, 0}});
    GameMode = ModeOnlyBoss;
    StageNo = 1;
    StartGameRun();
    EXPECT_EQ(StageClock, 7020);
    EXPECT_EQ(StagePhase, PhaseBossApproach);
    EXPECT_EQ(LoopStart, 64);
    EXPECT_EQ(LoopLength, 512);
    EXPECT_EQ(CountKind(90), 0);
    EXPECT_EQ(TimelineNext, 3);
    Run(80);
    EXPECT_EQ(CountKind(90), 1);  // the record at 7100 (random arrivals stop in phase 1)
    Run(99);
    EXPECT_EQ(StagePhase, PhaseBossApproach);
    Run(1);
    EXPECT_EQ(StagePhase, PhaseBossFight);
    EXPECT_EQ(CountKind(90), 2);
}

TEST_F(FlowTest, ClearedStageSendsTheShipAwayThenFinishes) {
    WriteStage(1, {});
    StageNo = 1;
    StartGameRun();
    Players[0].ShipState = ShipFlying;  // holds its place while no button is down
    Players[0].X = 123;
    Players[0].Y = 45;
    StagePhase = PhaseCleared;
    StageClock = 779;
    Run(1);
    EXPECT_EQ(Players[0].ShipState, ShipLeaving);
    EXPECT_EQ(Players[0].OriginX, 123);
    EXPECT_EQ(Players[0].OriginY, 45);
    EXPECT_EQ(Players[0].StateFrames, 0);
    FadeStep = 0;
    Run(120);
    EXPECT_EQ(FadeStep, 0);
    Run(1);  // 901
    EXPECT_EQ(FadeStep, -1);
    EXPECT_EQ(NextScreen, ScreenFinishStage);
}

TEST_F(FlowTest, HeldClockStandsStill) {
    WriteStage(2, {});
    StageNo = 2;
    StartGameRun();
    ClockHold = ClockHeld;
    Run(10);
    EXPECT_EQ(StageClock, 0);
    EXPECT_EQ(Stats.PlayFrames, 10);
}

TEST_F(FlowTest, ArcadeSequenceIsOneTwoFiveThenTheTitle) {
    for (int32_t s : {1, 2, 5}) WriteStage(s, {});
    GameMode = ModeArcade;
    SetUpPlay(ModeArcade, 4);
    EXPECT_EQ(StageNo, 1);
    StartGameRun();
    FinishStage();
    EXPECT_EQ(StageNo, 2);
    EXPECT_EQ(CurrentScreen, ScreenGame);
    FinishStage();
    EXPECT_EQ(StageNo, 5);
    EXPECT_EQ(CurrentScreen, ScreenGame);
    Players[0].Score = 150000;
    Players[0].Character = 2;
    FinishStage();
    EXPECT_EQ(CurrentScreen, ScreenTitle);
    EXPECT_EQ(ScoreTable[0].Score, 150000);
    EXPECT_EQ(ScoreTable[0].Character, 2);
    EXPECT_EQ(MessageText, "HIGH SCORES SAVED.");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "zvscore.dat"));
}

TEST_F(FlowTest, PracticeEndsAfterItsStage) {
    WriteStage(2, {});
    WriteStage(5, {});
    GameMode = ModePractice;
    SetUpPlay(ModePractice, 2);
    EXPECT_EQ(StageNo, 2);
    StartGameRun();
    FinishStage();
    EXPECT_EQ(CurrentScreen, ScreenTitle);
    EXPECT_EQ(StageNo, 5);
}

TEST_F(FlowTest, MissingStageFileReturnsToTheTitle) {
    StageNo = 2;
    CurrentScreen = ScreenSelect;
    StartGameRun();
    EXPECT_EQ(CurrentScreen, ScreenTitle);
}

TEST_F(FlowTest, GameOverFadesToTitleAndRecordsOnce) {
    WriteStage(2, {});
    StageNo = 2;
    StartGameRun();
    FadeStep = 0;
    Players[0].ShipState = ShipGameOver;
    Players[0].Score = 90000;
    Players[0].Character = 1;
    Run(1);
    EXPECT_EQ(FadeStep, -1);
    EXPECT_EQ(NextScreen, ScreenTitle);
    EXPECT_EQ(ScoreTable[1].Score, 90000);
    EXPECT_EQ(ScoreTable[2].Score, 80000);
    Run(1);  // already fading out: not recorded again
    EXPECT_EQ(ScoreTable[2].Score, 80000);
}

TEST_F(FlowTest, SetUpPlayTakesSettingsAndCharacterLevels) {
    Players[0].Character = 1;
    Players[1].Character = 2;
    Players[0].Score = 5;
    SetUpPlay(ModeArcade, 1);
    EXPECT_EQ(Players[0].MainShotLevel, 0);
    EXPECT_EQ(Players[0].AnchorWeaponLevel, 14);
    EXPECT_EQ(Players[1].MainShotLevel, 3);
    EXPECT_EQ(Players[1].AnchorWeaponLevel, 18);
    EXPECT_EQ(Players[0].Score, 0);
    EXPECT_EQ(Players[0].Lives, 2);
    EXPECT_EQ(Players[0].GaugeMax, 50);
    EXPECT_EQ(Players[0].MoveSpeeds[0], Settings.SpeedOff);
    EXPECT_EQ(Players[0].MoveSpeeds[3], Settings.SpeedCharge);
    EXPECT_EQ(Players[0].OrbitTurnSpeed, Settings.AnchorKouten);
}

TEST_F(FlowTest, LaunchStageStartsAnArcadePlay) {
    WriteStage(1, {});
    Players[0].Character = 2;
    LaunchStage(1, 0, false);
    EXPECT_EQ(CurrentScreen, ScreenGame);
    EXPECT_EQ(GameMode, ModeArcade);
    EXPECT_EQ(Players[0].Character, 0);
    EXPECT_EQ(Players[0].MainShotLevel, 4);
    EXPECT_EQ(Players[0].AnchorWeaponLevel, 28);
}
