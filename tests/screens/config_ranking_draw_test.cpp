// The configuration pages and the ranking as drawn.
#include <gtest/gtest.h>

#include "screens/config_screen.h"
#include "screens/frontend.h"
#include "screens/sheets_fixture.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/state.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"

namespace {

using namespace sheets;

class ConfigDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetShellState();
        ResetFrontEnd();
        Settings = TSettings{};
        MakeSheets();
        EnterConfig();
    }
};

TEST_F(ConfigDraw, MainPageDimsTheKeyOptions) {
    DrawConfig();
    EXPECT_TRUE(LargeAt(70, 0, 4, "GAME CONFIGURATION"));
    EXPECT_TRUE(LargeAt(30, 30, 1, "INTERVAL"));
    EXPECT_TRUE(LargeAt(30, 110, 1, "1PLAYER MODE"));
    EXPECT_TRUE(LargeAt(30, 130, 0, "PLAYER SETTING e"));
    EXPECT_TRUE(LargeAt(30, 150, 0, "BUTTON MAPPING e"));
    EXPECT_TRUE(LargeAt(30, 170, 0, "SAVE CONFIGURATION"));
    EXPECT_TRUE(LargeAt(30, 190, 0, "EXIT e"));
    EXPECT_TRUE(LargeAt(10, 30, 2, "e"));
    ConfigCursor = 7;
    DrawConfig();
    EXPECT_TRUE(LargeAt(10, 170, 2, "e"));
    EXPECT_EQ(ReadLarge(10, 30, 1).text, " ");
}

TEST_F(ConfigDraw, MappingPageNamesEachButton) {
    ConfigPage = ConfigMapping;
    ConfigCursor = 8;
    DecodeButtonMasks(Settings, ButtonAssign);
    DrawConfig();
    EXPECT_TRUE(LargeAt(30, 30, 0, "BUTTON 1   SHOT A"));
    EXPECT_TRUE(LargeAt(30, 50, 0, "BUTTON 2   SHOT B"));
    EXPECT_TRUE(LargeAt(30, 70, 0, "BUTTON 3   ANCHOR LOCK"));
    EXPECT_TRUE(LargeAt(30, 90, 0, "BUTTON 4   RAPID-FIRE"));
    EXPECT_TRUE(LargeAt(30, 170, 0, "BUTTON 8   NOT USE"));
    EXPECT_TRUE(LargeAt(30, 190, 0, "OKAY e"));
    EXPECT_TRUE(LargeAt(10, 190, 2, "e"));
}

TEST_F(ConfigDraw, PlayerPageShowsTheValuesRightAligned) {
    ConfigPage = ConfigPlayer;
    ConfigCursor = 1;
    Settings.SpeedCharge = 12345;
    DrawConfig();
    EXPECT_TRUE(LargeAt(20, 30, 4, "RADIAN SPEEDS"));
    EXPECT_TRUE(LargeAt(30, 50, 0,
                        "POSITION       "
                        "  16"));
    EXPECT_TRUE(LargeAt(30, 70, 0,
                        "DIRECION       "
                        "  32"));
    EXPECT_TRUE(LargeAt(20, 90, 4, "MOVE SPEEDS"));
    EXPECT_TRUE(LargeAt(30, 110, 0,
                        "SHOT OFF       "
                        "   3"));
    EXPECT_TRUE(LargeAt(30, 130, 0,
                        "RAPID(MANUAL)  "
                        "   2"));
    EXPECT_TRUE(LargeAt(30, 150, 0,
                        "RAPID(AUTOFIRE)"
                        "   3"));
    EXPECT_TRUE(LargeAt(30, 170, 0,
                        "ANCHOR CHARGING"
                        "12345"))
        << "a wide value widens";
    EXPECT_TRUE(LargeAt(30, 190, 0, "OKAY e"));
    EXPECT_TRUE(LargeAt(10, 50, 2, "e"));
}

class RankingDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetShellState();
        ResetFrontEnd();
        DefaultScores(ScoreTable);
        MakeSheets();
        EnterRanking();
    }
};

TEST_F(RankingDraw, FiveScoresWithTheirCharacters) {
    DrawRanking();
    EXPECT_TRUE(LargeAt(90, 2, 4, "BEST ZELVORIN"));
    EXPECT_TRUE(LargeAt(110, 22, 0, "- ARCADE -"));
    EXPECT_TRUE(LargeAt(70, 52, 4, "RANK    SCORE"));
    EXPECT_TRUE(LargeAt(70, 82, 0, " 1ST   100000"));
    EXPECT_TRUE(LargeAt(70, 112, 0, " 2ND    80000"));
    EXPECT_TRUE(LargeAt(70, 202, 0, " 5TH    20000"));
    EXPECT_EQ(ReadLarge(70, 232, 1).text, " ") << "no sixth line";
    const int32_t chars[5] = {0, 1, 2, 0, 1};
    for (int32_t i = 0; i < 5; ++i) {
        // Pictures overlap by 10 rows; each later one covers the one above.
        EXPECT_EQ(Px(200, 70 + 30 * i), Ship40 + chars[i]) << i;
        EXPECT_EQ(Px(239, 99 + 30 * i), Ship40 + chars[i]) << i;
        EXPECT_EQ(Px(240, 99 + 30 * i), Background) << i;
    }
}

TEST_F(RankingDraw, WideScoresAndCharactersBeyondTheSheet) {
    ScoreTable[0] = {12345678, 2};
    ScoreTable[1] = {123456789, 1000000000};
    ScoreTable[2] = {-5, -1};
    DrawRanking();
    EXPECT_TRUE(LargeAt(70, 82, 0, " 1ST 12345678"));
    EXPECT_TRUE(LargeAt(70, 112, 0, " 2ND 123456789"));
    EXPECT_TRUE(LargeAt(70, 142, 0, " 3RD       -5"));
    EXPECT_EQ(Px(200, 70), Ship40 + 2);
    EXPECT_EQ(Px(200, 110), Background) << "no picture for a character beyond the sheet";
    EXPECT_EQ(Px(200, 140), Background);
}

}  // namespace
