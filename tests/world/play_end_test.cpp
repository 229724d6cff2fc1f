// The end of a stage against the end of a play: whichever fade-out starts first wins, the
// score is recorded once, and a ship in game over never plays on. And the frame update's
// scratch statistics.
#include <algorithm>

#include "screens/game.h"
#include "shell/screens.h"
#include "world/bullets.h"
#include "world/passes.h"
#include "world/play.h"
#include "world_fixture.h"
#include "zvcommon/scores.h"

namespace {
constexpr int32_t PlayScore = 123450;

class PlayEndTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        DefaultScores(ScoreTable);
        StageImage img;
        img.columns.assign(4, std::vector<uint8_t>(32, 0));
        for (int32_t s : {1, 2, 5}) WriteFile("Stage" + std::to_string(s) + ".map", img.Bytes());
        GameMode = ModeArcade;
        SetUpPlay(ModeArcade, 1);
        StageNo = 2;
        StartGameRun();
        FadeStep = 0;  // the fade-in is over
        TPlayer& p = Players[0];
        p.Score = PlayScore;
        p.Lives = 0;
        p.ShipState = ShipFlying;
        p.Invulnerable = 0;
        p.X = 100;
        p.Y = 120;
        p.AnchorX = 148;  // docked
        p.AnchorY = 120;
        StagePhase = PhaseCleared;
    }
    // The ship's fall ends in the next ship update: with no spare ship left, game over.
    static void FallEndsNextFrame() {
        TPlayer& p = Players[0];
        p.ShipState = ShipShotDown;
        p.OriginY = 500;
        p.StateFrames = 10;
    }
    static int32_t TimesRecorded() {
        return static_cast<int32_t>(
            std::count_if(std::begin(ScoreTable), std::end(ScoreTable),
                          [](const TScoreEntry& e) { return e.Score == PlayScore; }));
    }
    static void Run(int32_t updates) {
        for (int32_t i = 0; i < updates; ++i) UpdateGameRun();
    }
};
}  // namespace

TEST_F(PlayEndTest, GameOverDuringTheStageFadeEndsThePlayAtItsEnd) {
    StageClock = 900;
    Run(1);  // 901: the stage fades out
    ASSERT_EQ(FadeStep, -1);
    ASSERT_EQ(NextScreen, ScreenFinishStage);
    FallEndsNextFrame();
    Run(1);
    EXPECT_EQ(Players[0].ShipState, ShipGameOver);
    EXPECT_EQ(NextScreen, ScreenFinishStage);  // the first fade keeps its target
    EXPECT_EQ(TimesRecorded(), 0);
    Run(3);
    FinishStage();  // the fade reached black
    EXPECT_EQ(CurrentScreen, ScreenTitle);
    EXPECT_EQ(TimesRecorded(), 1);
}

TEST_F(PlayEndTest, GameOverJustBeforeTheStageFadeGoesToTheTitle) {
    StageClock = 898;
    FallEndsNextFrame();
    Run(1);  // 899: game over
    ASSERT_EQ(NextScreen, ScreenTitle);
    EXPECT_EQ(TimesRecorded(), 1);
    Run(6);  // past 900: the stage does not redirect the fade
    EXPECT_EQ(FadeStep, -1);
    EXPECT_EQ(NextScreen, ScreenTitle);
    EXPECT_EQ(TimesRecorded(), 1);
}

TEST_F(PlayEndTest, GameOverInTheFrameTheStageWouldFadeWins) {
    StageClock = 900;
    FallEndsNextFrame();
    Run(1);  // the game over is tested before the stage phase
    EXPECT_EQ(NextScreen, ScreenTitle);
    EXPECT_EQ(TimesRecorded(), 1);
}

TEST_F(PlayEndTest, AShipInGameOverIsNotSentAway) {
    StageClock = 700;
    FallEndsNextFrame();
    Run(1);
    ASSERT_EQ(Players[0].ShipState, ShipGameOver);
    StageClock = 779;
    Run(1);
    EXPECT_EQ(Players[0].ShipState, ShipGameOver);
}

TEST_F(PlayEndTest, ClearedStageWithoutGameOverGoesOn) {
    StageClock = 900;
    Run(1);
    FinishStage();
    EXPECT_EQ(StageNo, 5);
    EXPECT_EQ(CurrentScreen, ScreenGame);
    EXPECT_EQ(TimesRecorded(), 0);
}

TEST_F(PlayEndTest, ScratchStatisticsOfTheFrameUpdate) {
    StagePhase = PhaseBossFight;  // nothing arrives
    ClassSettings[0] = ClassNormal;
    auto standing = [](int32_t slot, int32_t x, int32_t y) {
        TWorldObject& b = Objects[slot];
        b = TWorldObject{};
        b.Kind = BulletKind::SmallBall;
        b.X = b.VelocityX = x;  // a ray bullet of speed 0 at its origin
        b.Y = b.VelocityY = y;
        b.Bounds = {-16, 336, -16, 256};
    };
    standing(200, 110, 120);
    standing(201, 90, 125);
    Run(1);
    EXPECT_EQ(Stats.ScratchFrames, 1);
    EXPECT_EQ(Stats.MaxScratches, 2);
    EXPECT_EQ(ScratchCounter, 2);
    Objects[201].Kind = KindFree;
    Run(1);
    EXPECT_EQ(Stats.ScratchFrames, 2);
    EXPECT_EQ(Stats.MaxScratches, 2);
    Objects[200].Kind = KindFree;
    Run(1);
    EXPECT_EQ(Stats.ScratchFrames, 2);
    EXPECT_EQ(ScratchCounter, 0);
    EXPECT_EQ(Stats.PlayFrames, 3);
}

TEST_F(PlayEndTest, ATestPlayIsNeverRecordedAndNeverComesFromTheMenus) {
    TestInvulnerable = true;
    RecordScore();
    EXPECT_EQ(TimesRecorded(), 0);
    LaunchStage(2, 1, false);  // the options' play keeps the flag
    EXPECT_TRUE(TestInvulnerable);
    SetUpPlay(ModeArcade, 1);  // a play from the menus drops it
    EXPECT_FALSE(TestInvulnerable);
    Players[0].Score = PlayScore;
    RecordScore();
    EXPECT_EQ(TimesRecorded(), 1);
}
