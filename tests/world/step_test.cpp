// The world's face: one StepPlay per update reads only its command and reports what the
// layers above must do; screen 2 acts on the cues in their order.
#include <string>

#include "screens/game.h"
#include "shell/screens.h"
#include "ship_fixture.h"
#include "world/play.h"
#include "world/step.h"
#include "zvcommon/scores.h"

namespace {
constexpr int32_t PlayScore = 123450;  // enters the default table

class StepTest : public ShipTest {
  protected:
    void SetUp() override {
        ShipTest::SetUp();
        DefaultScores(ScoreTable);
        StageImage img;
        img.columns.assign(4, std::vector<uint8_t>(32, 0));
        for (int32_t s : {1, 5}) WriteFile("Stage" + std::to_string(s) + ".map", img.Bytes());
        SetUpPlay(ModeArcade, 1);
        StageNo = 5;  // no random arrivals: an update with nothing to do is quiet
        StartGameRun();
        FadeStep = 0;  // the fade-in is over
        StartFlying(100, 120);
        Ship().Score = PlayScore;
    }
    static int32_t Count(const TPlayReport& r, PlayCue kind) {
        int32_t n = 0;
        for (const TPlayCue& c : r) n += c.Kind == kind;
        return n;
    }
    static TPlayCommand Command(std::initializer_list<int32_t> down, TButtonSet before = {}) {
        TPlayCommand c;
        for (int32_t b : down) c.Buttons[b] = true;
        c.Previous = before;
        return c;
    }
    static int32_t ShotsInFlight() {
        int32_t n = 0;
        for (int32_t s = 0; s <= LastShotSlot; ++s) n += Objects[s].Kind != KindFree;
        return n;
    }
    static int32_t TimesRecorded() {
        int32_t n = 0;
        for (const TScoreEntry& e : ScoreTable) n += e.Score == PlayScore;
        return n;
    }
};
}  // namespace

TEST_F(StepTest, AnUpdateReadsOnlyItsCommandAndReportsOnlyItsOwnCues) {
    CurButtons[BtnA] = CurButtons[BtnB] = true;  // the shell's buttons are not the world's
    const int32_t shots = ShotsInFlight();
    EXPECT_EQ(StepPlay(Command({})).Count, 0);
    EXPECT_EQ(ShotsInFlight(), shots);

    const TPlayReport& fired = StepPlay(Command({BtnA}));
    ASSERT_EQ(fired.Count, 1);
    EXPECT_EQ(fired.Cues[0].Kind, PlayCue::Sound);
    EXPECT_EQ(fired.Cues[0].Value, Sfx::ShotNormal);
    EXPECT_GT(ShotsInFlight(), shots);
    EXPECT_EQ(TickAudio.SoundCount, 0);  // nothing was played: the screen plays the cues

    Ship().FireFrames = 0;  // the burst is over: the next update has nothing to say
    EXPECT_EQ(StepPlay(Command({}, Command({BtnA}).Buttons)).Count, 0);
}

TEST_F(StepTest, GameOverIsReportedWithTheScoreAndTheScreenEndsThePlayOnce) {
    Ship().ShipState = ShipGameOver;
    const TPlayReport& r = StepPlay(Command({}));
    ASSERT_EQ(Count(r, PlayCue::GameOver), 1);
    for (const TPlayCue& c : r) {
        if (c.Kind == PlayCue::GameOver) {
            EXPECT_EQ(c.Value, PlayScore);
        }
    }
    EXPECT_EQ(FadeStep, 0);  // the world starts no fade
    EXPECT_EQ(TimesRecorded(), 0);

    ApplyPlayReport(r);
    EXPECT_EQ(FadeStep, -1);
    EXPECT_EQ(NextScreen, ScreenTitle);
    EXPECT_EQ(TimesRecorded(), 1);
    UpdateGameRun();  // still in game over while the fade runs: recorded once only
    EXPECT_EQ(TimesRecorded(), 1);
}

TEST_F(StepTest, TheScreenActsOnTheCuesInTheirOrder) {
    auto apply = [](std::initializer_list<TPlayCue> cues) {
        static TPlayReport r;
        r.Count = 0;
        for (const TPlayCue& c : cues) r.Cues[r.Count++] = c;
        FadeStep = 0;
        NextScreen = ScreenGame;
        MessageText.clear();
        ApplyPlayReport(r);
    };
    const TPlayCue failure{PlayCue::Message, 0, "FAILURE"};
    const TPlayCue gameOver{PlayCue::GameOver, PlayScore, nullptr};
    const TPlayCue stageOver{PlayCue::StageOver, 0, nullptr};
    apply({failure, gameOver});
    EXPECT_EQ(MessageText, "HIGH SCORES SAVED.");
    EXPECT_EQ(NextScreen, ScreenTitle);
    apply({gameOver, failure});
    EXPECT_EQ(MessageText, "FAILURE");
    apply({stageOver, gameOver});  // the first fade-out wins; the play ends after the stage
    EXPECT_EQ(NextScreen, ScreenFinishStage);
    EXPECT_EQ(TimesRecorded(), 2);
}

TEST_F(StepTest, AStageStartReportsItsSong) {
    StageNo = 1;
    const TPlayReport& r = BeginStage();
    ASSERT_EQ(r.Count, 1);
    EXPECT_EQ(r.Cues[0].Kind, PlayCue::Song);
    EXPECT_EQ(r.Cues[0].Value, Song::Stage1);
}
