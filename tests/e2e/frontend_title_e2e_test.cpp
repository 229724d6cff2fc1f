// The title's rules from the outside: the fade-in gate, dimmed entries, the stage select,
// the difficulty and hell limits, the statistics page, and a practice play of stage 5.
#include <gtest/gtest.h>

#include "e2e/frontend_keys.h"
#include "e2e/frontend_pictures.h"

namespace {

using namespace e2e;

TEST(FrontEndTitle, ButtonsDuringTheFadeInDoNothingAndAHeldOneGivesNoEdge) {
    const std::string dir = FreshDataDir();
    Keys k(3);
    k.Down("Z");
    k.At(12);
    k.Up("Z");
    k.At(14);
    const int64_t press = k.Tap("X");
    RunResult r = RunVorin(dir, {"--frames", std::to_string(press)}, k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    for (int64_t t = 1; t < press; ++t) EXPECT_EQ(IntField(AtTick(r, t), "TitlePage"), 0) << t;
    EXPECT_EQ(IntField(AtTick(r, press), "TitlePage"), 1);
}

TEST(FrontEndTitle, DimmedEntriesStageSelectAndPracticeOfStageFive) {
    const std::string dir = FreshDataDir();
    Keys k(10);
    k.Tap("Z");
    const int64_t onBalloon = k.Taps("Down", 3);
    const int64_t balloon = k.Tap("Z");
    k.Tap("Down");
    const int64_t replay = k.Tap("X");
    k.Taps("Down", 2);
    const int64_t pastEnd = k.Tap("Down");
    k.Taps("Up", 4);
    const int64_t onlyBoss = k.Tap("Z");
    k.Tap("Up");
    const int64_t practice = k.Tap("Z");
    k.Taps("Down", 2);
    const int64_t stage3 = k.Tap("Z");
    k.Taps("Down", 4);
    const int64_t stagePastEnd = k.Tap("Down");
    k.Taps("Up", 2);
    const int64_t stage5 = k.Tap("Z");
    k.Taps("Down", 6);
    const int64_t impossible = k.Tap("Down");
    k.Tap("Left");
    const int64_t rightOnLast = k.Tap("Right");
    const int64_t toHells = k.Tap("Z");
    const int64_t densityLow = k.Tap("Left");
    const int64_t densityHigh = k.Taps("Right", 5);
    const int64_t confirmOnValue = k.Tap("Z");
    k.Taps("Down", 3);
    const int64_t okayEnd = k.Tap("Down");
    const int64_t okay = k.Tap("C");
    k.At(okay + FadeOutTicks + 2);
    const int64_t decide = k.Tap("Z");
    const int64_t gameEntered = decide + 59 + FadeOutTicks;
    const std::string stages = dir + "/stage-select.bmp", difficulty = dir + "/difficulty.bmp";
    RunResult r = RunVorin(dir,
                           {"--frames", std::to_string(gameEntered + 1), "--screenshot",
                            std::to_string(stage5 - 1) + ":" + stages, "--screenshot",
                            std::to_string(toHells - 1) + ":" + difficulty},
                           k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    const Pictures pics(dir);
    EXPECT_GT(pics.LogoShare(Shot(stages)), 0.95);
    EXPECT_GT(pics.LogoShare(Shot(difficulty)), 0.95);

    EXPECT_EQ(IntField(AtTick(r, onBalloon), "MenuCursor"), 3)
        << "the cursor stops on locked entries";
    EXPECT_EQ(SoundsAt(r, onBalloon), "[4]");
    for (int64_t t : {balloon, replay, onlyBoss}) {
        EXPECT_EQ(IntField(AtTick(r, t), "TitlePage"), 1) << t;
        EXPECT_EQ(IntField(AtTick(r, t), "FadeStep"), 0) << t;
        EXPECT_EQ(SoundsAt(r, t), "[]") << "a dimmed entry plays nothing, tick " << t;
    }
    EXPECT_EQ(IntField(AtTick(r, pastEnd), "MenuCursor"), 6);
    EXPECT_EQ(SoundsAt(r, pastEnd), "[]");
    EXPECT_EQ(IntField(AtTick(r, practice), "TitlePage"), 5);
    EXPECT_EQ(IntField(AtTick(r, practice), "GameMode"), 1);
    EXPECT_EQ(SoundsAt(r, practice), "[5]");

    EXPECT_EQ(IntField(AtTick(r, stage3), "StageCursor"), 2);
    EXPECT_EQ(IntField(AtTick(r, stage3), "TitlePage"), 5) << "stage 3 cannot be chosen";
    EXPECT_EQ(IntField(AtTick(r, stagePastEnd), "StageCursor"), 6);
    EXPECT_EQ(IntField(AtTick(r, stage5), "StageCursor"), 4);
    EXPECT_EQ(IntField(AtTick(r, stage5), "TitlePage"), 3);

    EXPECT_EQ(IntField(AtTick(r, impossible), "DifficultyCursor"), 5) << "CUSTOM is out of reach";
    EXPECT_EQ(IntField(AtTick(r, rightOnLast), "CustomColumn"), 0);
    EXPECT_EQ(RawField(AtTick(r, rightOnLast), "ClassSettings"), "[1,1,1,1]");
    EXPECT_EQ(RawField(AtTick(r, toHells), "ClassSettings"), "[2,2,2,1]") << "IMPOSSIBLE";
    EXPECT_EQ(IntField(AtTick(r, densityLow), "HellDensity"), 0);
    EXPECT_EQ(IntField(AtTick(r, densityHigh), "HellDensity"), 3) << "stops at X3-B";
    EXPECT_EQ(IntField(AtTick(r, confirmOnValue), "TitlePage"), 4);
    EXPECT_EQ(IntField(AtTick(r, confirmOnValue), "FadeStep"), 0);
    EXPECT_EQ(IntField(AtTick(r, okayEnd), "HellCursor"), 3);
    EXPECT_EQ(IntField(AtTick(r, okay), "NextScreen"), 1);

    EXPECT_EQ(IntField(AtTick(r, decide), "CurrentScreen"), 1);
    EXPECT_EQ(IntField(AtTick(r, gameEntered - 1), "CurrentScreen"), 1);
    EXPECT_EQ(IntField(AtTick(r, gameEntered), "CurrentScreen"), 2);
    EXPECT_EQ(IntField(AtTick(r, gameEntered), "StageNo"), 5) << "practice plays the chosen stage";
}

TEST(FrontEndTitle, HeldLeftOrRightShowsTheStatisticsOnlyOnPageZero) {
    const std::string dir = FreshDataDir();
    const std::string plain = dir + "/title.bmp", stats = dir + "/stats.bmp",
                      released = dir + "/released.bmp", menuHeld = dir + "/menu-held.bmp";
    Keys k(12);
    k.Down("Right");
    k.At(16);
    k.Up("Right");
    k.At(20);
    k.Tap("Z");
    k.At(24);
    k.Down("Left");
    RunResult r =
        RunVorin(dir,
                 {"--frames", "26", "--screenshot", "10:" + plain, "--screenshot", "14:" + stats,
                  "--screenshot", "18:" + released, "--screenshot", "25:" + menuHeld},
                 k.Script());
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(IntField(AtTick(r, 15), "TitlePage"), 0) << "right is no confirm";
    EXPECT_EQ(IntField(AtTick(r, 25), "TitlePage"), 1);
    const Pictures pics(dir);
    EXPECT_GT(pics.LogoShare(Shot(plain)), 0.95);
    EXPECT_LT(pics.LogoShare(Shot(stats)), 0.5) << "the statistics page replaces the logo";
    EXPECT_GT(pics.LogoShare(Shot(released)), 0.95);
    EXPECT_GT(pics.LogoShare(Shot(menuHeld)), 0.95);
}

}  // namespace
