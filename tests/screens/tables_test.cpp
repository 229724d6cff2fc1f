// The front end's pure helpers and its text table: button masks, statistics, menu texts.
#include <gtest/gtest.h>

#include <string>

#include "screens/config_screen.h"
#include "screens/menutext.h"
#include "screens/title.h"
#include "world/state.h"
#include "zvcommon/config.h"

namespace {

TEST(MenuText, GroupsStartWhereTheScreensLookThemUp) {
    for (int32_t i = 0; i < MenuTextCount; ++i) ASSERT_NE(MenuText[i], nullptr) << i;
    EXPECT_STREQ(MenuText[MenuIdx::MainMenu + MenuConfiguration], "CONFIGURATION");
    EXPECT_STREQ(MenuText[MenuIdx::Difficulty + DifficultyCustom], "CUSTOM");
    EXPECT_STREQ(MenuText[MenuIdx::HellLine + HellLineOkay], "OKAY");
    EXPECT_STREQ(MenuText[MenuIdx::Density + 3], "X3-B");
    EXPECT_STREQ(MenuText[MenuIdx::Speed + 1], "X0.5");
    EXPECT_STREQ(MenuText[MenuIdx::ShootBack + 3], "TYPE-I");
    EXPECT_STREQ(MenuText[MenuIdx::ClassLetter + 2], "P");
    EXPECT_STREQ(MenuText[MenuIdx::Character + 2], "MIRRA KESTEVO");
    EXPECT_STREQ(MenuText[MenuIdx::Assignment + AssignRapid], "RAPID-FIRE");
    EXPECT_STREQ(MenuText[MenuIdx::RankName], " 1ST");
    EXPECT_STREQ(MenuText[MenuTextCount - 1], "10TH");
}

TEST(ButtonMasks, DefaultsDecodeAndRoundTrip) {
    TSettings s;
    int32_t a[JoyButtonCount];
    DecodeButtonMasks(s, a);
    const int32_t want[JoyButtonCount] = {AssignA, AssignB, AssignC, AssignRapid, 0, 0, 0, 0};
    for (int32_t k = 0; k < JoyButtonCount; ++k) EXPECT_EQ(a[k], want[k]) << k;
    TSettings back;
    back.ButtonA = back.ButtonB = back.ButtonC = -1;
    EncodeButtonMasks(a, back);
    EXPECT_EQ(back.ButtonA, 9);
    EXPECT_EQ(back.ButtonB, 10);
    EXPECT_EQ(back.ButtonC, 4);
}

TEST(ButtonMasks, AnchorLockWinsAndHighBitsAreDropped) {
    TSettings s;
    s.ButtonA = 0x101 | 0x20;  // button 1, button 6 and a bit beyond the eight buttons
    s.ButtonB = 0x40;
    s.ButtonC = 0x21;  // buttons 1 and 6 lock the anchor too
    int32_t a[JoyButtonCount];
    DecodeButtonMasks(s, a);
    EXPECT_EQ(a[0], AssignC);
    EXPECT_EQ(a[5], AssignC);
    EXPECT_EQ(a[6], AssignB);
    EncodeButtonMasks(a, s);
    EXPECT_EQ(s.ButtonA, 0) << "the A bits of anchor-lock buttons and bit 8 are gone";
    EXPECT_EQ(s.ButtonB, 0x40);
    EXPECT_EQ(s.ButtonC, 0x21);

    s.ButtonA = -1;  // every bit
    s.ButtonB = 0;
    s.ButtonC = 0;
    DecodeButtonMasks(s, a);
    EncodeButtonMasks(a, s);
    EXPECT_EQ(s.ButtonA, 0xff);
}

TEST(LastPlayValues, GuardedValuesAreLeftOutBeforeAPlay) {
    const auto v = LastPlayValues(TPlayStats{}, 0);
    EXPECT_EQ(v[0], "       0 PTS.");
    EXPECT_EQ(v[1], "   0.00 SEC.");
    EXPECT_EQ(v[3], "");
    EXPECT_EQ(v[4], "      0");
    EXPECT_EQ(v[5], "");
    EXPECT_EQ(v[6], "m 0");
    EXPECT_EQ(v[7], "");
    EXPECT_EQ(v[8], "      0");
}

TEST(LastPlayValues, QuotientsInFloatingPoint) {
    TPlayStats s;
    s.PlayFrames = 7261;  // 121.0166... seconds
    s.ScratchFrames = 1;
    s.MaxScratches = 42;
    s.SpawnCount = 7;
    s.ShootDownCount = 7;
    s.MultiplierSum = 70;
    s.MaxMultiplier = 10;
    s.CoinCount = 1234567;
    const auto v = LastPlayValues(s, 99999999);
    EXPECT_EQ(v[0], "99999999 PTS.");
    EXPECT_EQ(v[1], " 121.02 SEC.");
    EXPECT_EQ(v[2], "   0.02 SEC.");
    EXPECT_EQ(v[3], "  0.01%");
    EXPECT_EQ(v[4], "     42");
    EXPECT_EQ(v[5], "100.00%");
    EXPECT_EQ(v[6], "m10");
    EXPECT_EQ(v[7], "m10.00");
    EXPECT_EQ(v[8], "1234567");
}

}  // namespace
