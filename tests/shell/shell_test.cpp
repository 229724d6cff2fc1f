#include "shell/shell.h"

#include <gtest/gtest.h>

#include "render/display.h"
#include "shell/input.h"
#include "shell/screens.h"

namespace {

// The shell on its own, without a display: restores and presents do nothing.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShellState();
        FinalizeDisplay();
        FillPalette(BlackPalette, 0, 255, 0);
        EnterTitle();
        for (int i = 0; i < 256; ++i)
            GamePalette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 200, 0};
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) DXTimer1Timer();
    }
};

TEST_F(ShellTest, FadeInTakesEightTicks) {
    EXPECT_EQ(CurrentScreen, 0);
    EXPECT_EQ(FadeStep, 1);
    EXPECT_EQ(FadeLevel, 0);
    Ticks(7);
    EXPECT_EQ(FadeLevel, 28);
    EXPECT_FALSE(FadeInDone);
    Ticks(1);
    EXPECT_EQ(FadeLevel, 32);
    EXPECT_EQ(FadeStep, 0);
    EXPECT_TRUE(FadeInDone);
    EXPECT_EQ(Display.CurrentColors, GamePalette);
}

TEST_F(ShellTest, FadeOutEntersTheNextScreenInItsLastTick) {
    Ticks(8);
    NextScreen = ScreenRanking;
    FadeStep = -1;
    Ticks(7);
    EXPECT_EQ(CurrentScreen, ScreenTitle);
    EXPECT_EQ(FadeLevel, 4);
    Ticks(1);
    EXPECT_EQ(CurrentScreen, ScreenRanking);
    EXPECT_EQ(FadeStep, 1);
    EXPECT_EQ(FadeLevel, 0);
    EXPECT_FALSE(FadeInDone);
    EXPECT_EQ(Display.CurrentColors, BlackPalette);
}

TEST_F(ShellTest, FadeOutBeforeTheFadeInCompletedStillEntersTheNextScreen) {
    Ticks(3);
    NextScreen = ScreenConfig;
    FadeStep = -1;
    Ticks(3);
    EXPECT_EQ(CurrentScreen, ScreenConfig);
    EXPECT_EQ(FadeStep, 1);
}

TEST_F(ShellTest, PauseStopsUpdatesButNotTheFade) {
    Paused = true;
    const int32_t updates = UpdateCount;
    Ticks(8);
    EXPECT_EQ(UpdateCount, updates);
    EXPECT_TRUE(FadeInDone);
    Paused = false;
    Ticks(1);
    EXPECT_EQ(UpdateCount, updates + 1);
}

TEST_F(ShellTest, FrameSkipRunsTwoUpdatesAndAKeyGivesOneEdge) {
    SingleUpdate = false;
    const int32_t updates = UpdateCount;
    FormKeyDown(vk::Z, false);
    Ticks(1);
    EXPECT_EQ(UpdateCount, updates + 2);
    // The second update sampled the same keys again: no edge left.
    EXPECT_TRUE(CurButtons[BtnA]);
    EXPECT_TRUE(PrevButtons[BtnA]);
    EXPECT_FALSE(Pressed(BtnA));
}

TEST_F(ShellTest, AShortPressBetweenTicksIsLost) {
    FormKeyDown(vk::Z, false);
    FormKeyUp(vk::Z, false);
    Ticks(1);
    EXPECT_FALSE(CurButtons[BtnA]);
}

TEST_F(ShellTest, HoldingXThenPressingZIsOneDecision) {
    FormKeyDown(vk::X, false);
    Ticks(1);
    EXPECT_TRUE(DecidePressed());
    FormKeyDown(vk::Z, false);
    Ticks(1);
    EXPECT_TRUE(Pressed(BtnA));
    EXPECT_FALSE(Pressed(BtnB));
    EXPECT_TRUE(DecidePressed());
    Ticks(1);
    EXPECT_FALSE(DecidePressed());
}

TEST_F(ShellTest, MessageLineShowsSixtyTicksAndRestarts) {
    SetMessageLine("HELLO");
    Ticks(30);
    EXPECT_EQ(MessageTicks, 30);
    SetMessageLine("AGAIN");
    Ticks(59);
    EXPECT_EQ(MessageTicks, 1);
    EXPECT_EQ(MessageText, "AGAIN");
    Ticks(1);
    EXPECT_EQ(MessageTicks, 0);
}

TEST_F(ShellTest, FunctionKeysChangeStateWithTheirMessages) {
    FormKeyDown(vk::F8, false);
    EXPECT_FALSE(SingleUpdate);
    EXPECT_EQ(MessageText, "FRAME SKIP IS 1(30)");
    FormKeyDown(vk::F8, false);
    EXPECT_TRUE(SingleUpdate);
    EXPECT_EQ(MessageText, "FRAME SKIP IS 0(60)");
    FormKeyDown(vk::F6, false);
    EXPECT_FALSE(ParticlesOn);
    EXPECT_EQ(MessageText, "PARTICLE IS OFF");
    FormKeyDown(vk::Key1, false);
    EXPECT_EQ(FrameInterval, 1u);
    EXPECT_EQ(MessageText, "INTERVAL IS 1 MILI-SEC.");
    FormKeyDown(vk::Key3, false);
    EXPECT_EQ(FrameInterval, 33u);
    FormKeyDown(vk::Key2, false);
    EXPECT_EQ(FrameInterval, 16u);
    EXPECT_EQ(MessageText, "INTERVAL IS 16 MILI-SEC.");
    FormKeyDown(vk::F3, false);
    EXPECT_TRUE(Paused);
    FormKeyUp(vk::F3, false);
    EXPECT_TRUE(Paused) << "function keys act on key-down only";
    FormKeyDown(vk::F3, false);
    EXPECT_FALSE(Paused);
}

TEST_F(ShellTest, ShiftF2ReturnsToTheTitleAtOnce) {
    EnterRanking();
    Ticks(4);
    FormKeyDown(vk::F2, false);
    EXPECT_EQ(CurrentScreen, ScreenRanking);
    FormKeyDown(vk::F2, true);
    EXPECT_EQ(CurrentScreen, ScreenTitle);
    EXPECT_EQ(FadeLevel, 0);
    EXPECT_EQ(FadeStep, 1);
}

TEST(Joystick, DeadZoneAndMasks) {
    ResetShellState();
    plat::JoyReading j;
    j.x = 10000;
    j.y = 55000;
    CurButtons = {};
    ApplyJoystick(j);
    EXPECT_FALSE(CurButtons[BtnLeft]);
    EXPECT_FALSE(CurButtons[BtnDown]);
    j.x = 9999;
    j.y = 55001;
    ApplyJoystick(j);
    EXPECT_TRUE(CurButtons[BtnLeft]);
    EXPECT_TRUE(CurButtons[BtnDown]);
    EXPECT_FALSE(CurButtons[BtnRight]);
    CurButtons = {};
    j = {};
    j.buttons = 1u << 3;  // button 4 with the default masks: A and B
    ApplyJoystick(j);
    EXPECT_TRUE(CurButtons[BtnA]);
    EXPECT_TRUE(CurButtons[BtnB]);
    EXPECT_FALSE(CurButtons[BtnC]);
    j.x = 65535;
    j.y = 0;
    ApplyJoystick(j);
    EXPECT_TRUE(CurButtons[BtnRight]);
    EXPECT_TRUE(CurButtons[BtnUp]);
}

TEST(BlendPalette, RoundsHalfToEvenAndKeepsTheEnds) {
    TPalette from{}, to{}, out{};
    from[0] = {0, 0, 0, 7};
    to[0] = {255, 16, 48, 9};
    from[1] = {200, 0, 0, 0};
    to[1] = {0, 0, 0, 0};
    BlendPalette(from, to, 0, out);
    EXPECT_EQ(out[0], (TRGBQuad{0, 0, 0, 0})) << "reserved byte is 0";
    BlendPalette(from, to, 32, out);
    EXPECT_EQ(out[0], (TRGBQuad{255, 16, 48, 0}));
    BlendPalette(from, to, 4, out);
    EXPECT_EQ(out[0].Blue, 32);  // 31.875
    BlendPalette(from, to, 1, out);
    EXPECT_EQ(out[0].Green, 0);  // 0.5 ties to 0
    EXPECT_EQ(out[0].Red, 2);    // 1.5 ties to 2
    BlendPalette(from, to, 3, out);
    EXPECT_EQ(out[0].Green, 2);  // 1.5
    BlendPalette(from, to, 12, out);
    EXPECT_EQ(out[1].Blue, 125);  // 200 - 75
}

TEST(FillPalette, RangesAndColourLayout) {
    TPalette p{};
    FillPalette(p, 10, 9, 0x00FFFFFF);
    EXPECT_EQ(p, TPalette{});
    FillPalette(p, 3, 4, 0x000000FF);
    EXPECT_EQ(p[3], (TRGBQuad{0, 0, 255, 0}));
    EXPECT_EQ(p[4], (TRGBQuad{0, 0, 255, 0}));
    EXPECT_EQ(p[5], TRGBQuad{});
    FillPalette(p, 0, 0, 0x00123456);
    EXPECT_EQ(p[0], (TRGBQuad{0x12, 0x34, 0x56, 0}));
}

}  // namespace
