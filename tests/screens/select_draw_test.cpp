// Character select as drawn: ships, the sliding portrait, the frame and the weapon panels.
#include <gtest/gtest.h>

#include "screens/frontend.h"
#include "screens/select.h"
#include "screens/sheets_fixture.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

using namespace sheets;

class SelectDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetShellState();
        ResetWorld();
        ResetFrontEnd();
        MakeSheets();
        EnterCharacterSelect();
    }
    void Show(int32_t character, int32_t slide, bool decided = false) {
        Players[0].Character = character;
        SelectSlide = slide;
        SelectDecided = decided;
        DrawCharacterSelect();
    }
};

TEST(PortraitX, SlidesInRoundingHalvesToEven) {
    EXPECT_EQ(PortraitX(0), 0);
    EXPECT_EQ(PortraitX(1), 0);
    EXPECT_EQ(PortraitX(2), -2);
    EXPECT_EQ(PortraitX(3), -4);
    EXPECT_EQ(PortraitX(5), -12);
    EXPECT_EQ(PortraitX(7), -24);
    EXPECT_EQ(PortraitX(19), -180);
    EXPECT_EQ(PortraitX(20), -200);
}

TEST_F(SelectDraw, FirstCharacterInPlaceWithShipsFrameAndName) {
    Show(0, 0);
    EXPECT_TRUE(LargeAt(80, 0, 4, "CHARACTER SELECT"));
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Px(128, 66 + 48 * i), Ship40 + i) << i;
        EXPECT_EQ(Px(167, 103 + 48 * i), Ship40 + i) << i;
        EXPECT_EQ(Px(191, 99 + 48 * i), Ship32 + i) << i;
        EXPECT_EQ(Px(192, 99 + 48 * i), Background) << i;
    }
    EXPECT_EQ(Px(0, 24), Portrait);
    EXPECT_EQ(Px(0, 23), Background);
    EXPECT_EQ(Px(127, 30), Portrait);
    EXPECT_EQ(Px(127, 215), Portrait);
    EXPECT_EQ(Px(120, 60), Frame);
    EXPECT_EQ(Px(207, 60), Frame);
    EXPECT_EQ(Px(208, 60), Background);
    EXPECT_TRUE(LargeAt(0, 220, 2, "NIA CORWELL"));
    EXPECT_NE(Px(0, 96), Decided);
}

TEST_F(SelectDraw, WeaponPanelOfNiaInItsOrder) {
    Show(0, 0);
    EXPECT_TRUE(SmallAt(3, 110, 1, "MAIN SHOT"));
    EXPECT_TRUE(SmallAt(20, 120, 0, "aWIDE SHOT"));
    EXPECT_TRUE(SmallAt(20, 140, 0, "cGROUND MISSILE"));
    EXPECT_TRUE(SmallAt(20, 160, 0, "dLASER"));
    EXPECT_TRUE(SmallAt(3, 180, 1, "ANCHOR WEAPON"));
    EXPECT_TRUE(SmallAt(20, 190, 0, "NO POWER-UP"));
    EXPECT_EQ(Px(30, 130), CopyTop);
    EXPECT_EQ(Px(67, 137), CopyTop);
    EXPECT_EQ(Px(68, 130), Portrait);
    EXPECT_EQ(Px(21, 130), CopyTop);
    EXPECT_EQ(Px(20, 130), CopyBottom) << "the later copy at (3, 130) covers the first";
    EXPECT_EQ(Px(3, 146), CopyBottom);
    EXPECT_EQ(Px(67, 146), CopyTop);
    EXPECT_EQ(Px(13, 196), CopyTop);
    EXPECT_EQ(Px(14, 196), Portrait);
}

TEST_F(SelectDraw, WeaponPanelsOfBreskaAndMirra) {
    Show(1, 0);
    EXPECT_EQ(Px(0, 24), Portrait + 1);
    EXPECT_EQ(Px(120, 108), Frame);
    EXPECT_TRUE(LargeAt(0, 220, 2, "BRESKA VALORN"));
    EXPECT_TRUE(SmallAt(20, 120, 0, "acdUP TO LEVEL 2"));
    EXPECT_TRUE(SmallAt(20, 190, 0, "dGRAVITY ANCHOR"));
    EXPECT_EQ(Px(49, 130), CopyTop);
    EXPECT_EQ(Px(50, 130), Portrait + 1);
    EXPECT_EQ(Px(31, 160), CopyTop);
    EXPECT_EQ(Px(32, 160), Portrait + 1);

    Show(2, 0);
    EXPECT_EQ(Px(0, 24), Portrait + 2) << "character 2's portrait is below the first";
    EXPECT_EQ(Px(120, 156), Frame);
    EXPECT_TRUE(LargeAt(0, 220, 2, "MIRRA KESTEVO"));
    EXPECT_TRUE(SmallAt(20, 120, 0, "NO POWER-UP"));
    EXPECT_TRUE(SmallAt(20, 150, 0, "aFLAMETHROWER"));
    EXPECT_TRUE(SmallAt(3, 140, 1, "ANCHOR WEAPON"));
    EXPECT_EQ(Px(67, 160), CopyBottom);
    EXPECT_EQ(Px(68, 160), Portrait + 2);
}

TEST_F(SelectDraw, SlidingPortraitHasNoPanelAndDecidedShowsTheBanner) {
    Show(1, 10);
    EXPECT_EQ(Px(77, 30), Portrait + 1) << "x = -50";
    EXPECT_EQ(Px(78, 30), Background);
    EXPECT_EQ(Px(3, 110), Portrait + 1) << "no weapon panel while sliding";
    Show(1, 19);
    EXPECT_EQ(Px(0, 30), Background) << "x = -180 is off the screen";

    Show(0, 0, true);
    EXPECT_EQ(Px(0, 96), Decided);
    EXPECT_EQ(Px(127, 143), Decided);
    EXPECT_EQ(Px(128, 143), Ship40 + 1) << "the banner is 128 wide";
}

}  // namespace
