// The title's pages as drawn, read back from made-up sheets.
#include <gtest/gtest.h>

#include "screens/frontend.h"
#include "screens/sheets_fixture.h"
#include "screens/title.h"
#include "shell/hooks.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

using namespace sheets;

class TitleDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetShellState();
        ResetWorld();
        ResetFrontEnd();
        MakeSheets();
        InitFrontEnd();
        EnterTitle();
    }
};

TEST_F(TitleDraw, PressAnyButtonWithLogoVersionAndCredit) {
    DrawTitle();
    EXPECT_EQ(Px(0, 0), Background);
    EXPECT_EQ(Px(21, 21), Logo) << "logo at (20, 20), its top-left pixel keyed";
    EXPECT_EQ(Px(20, 20), Background);
    EXPECT_EQ(Px(299, 100), Logo);
    EXPECT_EQ(Px(300, 100), Background) << "the logo is 280 wide";
    EXPECT_EQ(Px(100, 155), Logo);
    EXPECT_EQ(Px(100, 156), Background) << "the logo is 136 high";
    EXPECT_TRUE(SmallAt(240, 155, 0, "BETA1.03.02"));
    EXPECT_TRUE(LargeAt(80, 180, 0, "PRESS ANY BUTTON"));
    const ReadText credit = ReadLarge(70, 220, 25);
    EXPECT_EQ(credit.text.substr(0, 5), "c2025") << credit.text;
    EXPECT_EQ(credit.style, 0);
}

TEST_F(TitleDraw, HeldLeftOrRightShowsTheLastPlayOnlyOnPageZero) {
    CurButtons[BtnRight] = true;
    DrawTitle();
    EXPECT_TRUE(LargeAt(130, 10, 4, "LAST PLAY"));
    EXPECT_EQ(Px(21, 21), Background) << "no logo on the statistics page";
    EXPECT_TRUE(LargeAt(10, 40, 4, "SCORE"));
    EXPECT_TRUE(LargeAt(160, 40, 0, "       0 PTS."));
    EXPECT_TRUE(LargeAt(200, 70, 0, "   0.00 SEC."));
    EXPECT_TRUE(LargeAt(10, 110, 4, "SCRATCH %"));
    EXPECT_EQ(ReadLarge(210, 110, 7).text, "       ") << "no scratch share before a play";
    EXPECT_EQ(ReadLarge(210, 160, 7).text, "       ");
    EXPECT_TRUE(LargeAt(210, 180, 0, "m 0"));
    EXPECT_EQ(ReadLarge(210, 200, 6).text, "      ");
    EXPECT_TRUE(LargeAt(10, 220, 4, "COINS"));
    EXPECT_TRUE(LargeAt(200, 220, 0, "      0"));

    Stats.PlayFrames = 600;
    Stats.ScratchFrames = 150;
    Stats.SpawnCount = 3;
    Stats.ShootDownCount = 2;
    Stats.MultiplierSum = 7;
    Stats.MaxMultiplier = 10;
    Players[0].Score = 123456;
    CurButtons[BtnRight] = false;
    CurButtons[BtnLeft] = true;
    DrawTitle();
    EXPECT_TRUE(LargeAt(160, 40, 0, "  123456 PTS."));
    EXPECT_TRUE(LargeAt(200, 70, 0, "  10.00 SEC."));
    EXPECT_TRUE(LargeAt(210, 110, 0, " 25.00%"));
    EXPECT_TRUE(LargeAt(210, 160, 0, " 66.67%"));
    EXPECT_TRUE(LargeAt(210, 180, 0, "m10"));
    EXPECT_TRUE(LargeAt(210, 200, 0, "m 3.50"));

    TitlePage = PageMainMenu;
    DrawTitle();
    EXPECT_TRUE(LargeAt(10, 190, 4, "MAIN MENU")) << "held left on page 1 shows no statistics";
    EXPECT_EQ(Px(21, 21), Logo);
}

TEST_F(TitleDraw, MainMenuDimsLockedEntriesAndDrawsTheCursorLine) {
    TitlePage = PageMainMenu;
    MenuCursor = 3;
    DrawTitle();
    EXPECT_TRUE(LargeAt(10, 190, 4, "MAIN MENU"));
    EXPECT_TRUE(LargeAt(130, 160, 0, "ARCADE GAME"));
    EXPECT_TRUE(LargeAt(135, 170, 0, "PRACTICE"));
    EXPECT_TRUE(LargeAt(140, 180, 1, "ONLY BOSS"));
    EXPECT_TRUE(LargeAt(150, 200, 1, "REPLAY"));
    EXPECT_TRUE(LargeAt(160, 220, 0, "CONFIGURATION"));
    EXPECT_TRUE(LargeAt(125, 190, 2, "e BALLOON CRUSH")) << "cursor line 20 pixels left";
}

TEST_F(TitleDraw, DifficultyShowsPresetLettersOnlyOnTheCustomLine) {
    TitlePage = PageDifficulty;
    DifficultyCursor = 1;
    DrawTitle();
    EXPECT_TRUE(LargeAt(10, 190, 4, "DIFFICULTY"));
    EXPECT_TRUE(LargeAt(115, 170, 2, "e NORMAL"));
    EXPECT_TRUE(LargeAt(160, 220, 1, "CUSTOM")) << "dimmed while not available";
    EXPECT_EQ(ReadSmall(240, 165, 3).text, "   ");

    CustomAvailable = true;
    DifficultyCursor = 6;
    CustomColumn = 1;
    ClassSettings[0] = 2;
    ClassSettings[1] = 0;
    ClassSettings[2] = 1;
    DrawTitle();
    EXPECT_TRUE(LargeAt(140, 220, 2, "e CUSTOM"));
    EXPECT_TRUE(SmallAt(240, 165, 0, "NXX"));
    EXPECT_TRUE(SmallAt(245, 175, 0, "NNX"));
    EXPECT_TRUE(SmallAt(265, 215, 0, "PPP"));
    EXPECT_TRUE(SmallAt(270, 225, 0, "P"));
    EXPECT_TRUE(SmallAt(276, 225, 1, "X")) << "the column being edited";
    EXPECT_TRUE(SmallAt(282, 225, 0, "N"));
    EXPECT_TRUE(SmallAt(200, 234, 0, "gVALUE hCURSOR"));
}

TEST_F(TitleDraw, HellsPageMarksTheCurrentValues) {
    TitlePage = PageHells;
    HellCursor = 3;
    HellDensity = 3;
    HellSpeed = 1;
    ShootBackType = 0;
    DrawTitle();
    EXPECT_EQ(Px(21, 21), Background) << "no logo on the hells page";
    EXPECT_TRUE(LargeAt(0, 24, 4, "WHAT HELLS DO YOU WANT TO FALL?"));
    EXPECT_TRUE(LargeAt(70, 64, 0, "HELL OF DENSITY"));
    EXPECT_TRUE(LargeAt(70, 124, 0, "HELL OF SHOOT BACK"));
    EXPECT_TRUE(LargeAt(50, 154, 2, "e OKAY"));
    EXPECT_TRUE(SmallAt(70, 81, 0, "X1"));
    EXPECT_TRUE(SmallAt(214, 81, 1, "X3-B"));
    EXPECT_TRUE(SmallAt(118, 111, 1, "X0.5"));
    EXPECT_TRUE(SmallAt(166, 111, 0, "X1.5"));
    EXPECT_TRUE(SmallAt(70, 141, 1, "OFF"));
    EXPECT_TRUE(SmallAt(214, 141, 0, "TYPE-I"));
}

TEST_F(TitleDraw, StageSelectDimsTheStagesThatCannotBePlayed) {
    TitlePage = PageStageSelect;
    StageCursor = 4;
    DrawTitle();
    EXPECT_TRUE(LargeAt(10, 190, 4, "STAGE SELECT"));
    EXPECT_TRUE(LargeAt(130, 160, 0, "STAGE 1"));
    EXPECT_TRUE(LargeAt(140, 180, 1, "STAGE 3"));
    EXPECT_TRUE(LargeAt(130, 200, 2, "e STAGE 5"));
    EXPECT_TRUE(LargeAt(160, 220, 1, "STAGE 7"));
}

}  // namespace
