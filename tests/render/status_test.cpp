// The status display: gauge, score, counter, lives, frame rate and the stage messages, read
// back from the screen through a font sheet whose glyphs carry their own character codes.
#include "render/status.h"

#include "platform/platform.h"
#include "render/scene_fixture.h"
#include "world/tables.h"

namespace {

using namespace scenetest;

constexpr int SmallStyle1 = 128;  // small style 1 glyphs carry 128 + cell

// Large style 0 and small style 0 glyph pixels hold their cell number, small style 1 glyphs
// 128 + cell; large styles 1..4 hold 200 + style. The space cell is key colour.
void ProbeFont() {
    Blank(FontSheet, 320, 240);
    for (int c = 1; c < 80; ++c) {
        Mark(FontSheet, Bounds((c % 16) * 10, (c / 16) * 16, 10, 16), static_cast<uint8_t>(c));
        for (int s = 1; s <= 4; ++s)
            Mark(FontSheet,
                 Bounds((c % 16) * 10 + (s % 2) * 160, (c / 16) * 16 + (s / 2) * 80, 10, 16),
                 static_cast<uint8_t>(200 + s));
        Mark(FontSheet, Bounds(160 + (c % 16) * 7, 160 + (c / 16) * 7, 7, 7),
             static_cast<uint8_t>(c));
        Mark(FontSheet, Bounds(160 + (c % 16) * 7, 196 + (c / 16) * 7, 7, 7),
             static_cast<uint8_t>(SmallStyle1 + c));
    }
}

// Reads n glyphs back: the pixel inside each glyph cell tells its character.
std::string ReadText(int x, int y, int n, int advance, int base = 0) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        const int v = At(x + i * advance + 2, y + 3);
        s += v == 0 ? ' ' : static_cast<char>(v - base + 32);
    }
    return s;
}
std::string ReadLarge(int x, int y, int n) {
    return ReadText(x, y, n, 10);
}
std::string ReadSmall(int x, int y, int n, int base = 0) {
    return ReadText(x, y, n, 6, base);
}

class StatusTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        ProbeFont();
        std::string error;
        plat::VideoOptions o;
        o.headless = true;
        ASSERT_TRUE(plat::Open(o, error)) << error;  // the virtual clock
    }
    void TearDown() override {
        plat::Close();
        SceneTest::TearDown();
    }
    static uint8_t* GaugeRowPixels(TSurfaceDesc& d) { return d.Pixels + GaugeRow * d.Pitch; }
    void Gauge() {
        TSurfaceDesc d;
        ASSERT_TRUE(Lock(Display.BackBuffer, nullptr, &d));
        DrawBossGauge(d);
        Unlock(Display.BackBuffer);
    }
    // The run of one colour on the gauge row as first..last, or -1..-1 when absent.
    static std::pair<int, int> RunOf(uint8_t v) {
        int first = -1, last = -1;
        for (int x = 0; x < 320; ++x)
            if (At(x, GaugeRow) == v) {
                if (first < 0) first = x;
                last = x;
            }
        return {first, last};
    }
};

TEST_F(StatusTest, ScoreIsPaddedToEightDigitsButNeverCut) {
    EXPECT_EQ(ScoreText(1234), "00001234");
    EXPECT_EQ(ScoreText(0), "00000000");
    EXPECT_EQ(ScoreText(123456789), "123456789");
    Players[0].Score = 1234;
    DrawStatus();
    EXPECT_EQ(ReadLarge(0, 0, 9), "00001234 ");
    Fill(Display.BackBuffer, 0);
    Players[0].Score = 987654321;
    DrawStatus();
    EXPECT_EQ(ReadLarge(0, 0, 9), "987654321");
}

TEST_F(StatusTest, CounterShowsGaugeAndMaximumTwoWide) {
    Players[0].Gauge = 0;
    Players[0].GaugeMax = 50;
    DrawStatus();
    // "f" is a symbol glyph: cell 'f' - 32.
    EXPECT_EQ(ReadSmall(45, 233, 6), "f 0/50");
}

TEST_F(StatusTest, OneLifeIconPerSpareShip) {
    Mark(PlayerSheet, {256, 344, 320, 356}, 33);
    Players[0].Lives = 2;
    DrawStatus();
    EXPECT_TRUE(ShowsAt(33, 0, 229, 22, 11));  // the last row lies below the screen
    Fill(Display.BackBuffer, 0);
    Players[0].Lives = 0;
    DrawStatus();
    EXPECT_EQ(Find(33).Count, 0);
}

TEST_F(StatusTest, FrameRateNeedsAMillisecondSinceTheReset) {
    EXPECT_EQ(FrameRateText(120, 2000), "60.00 FPS");
    EXPECT_EQ(FrameRateText(1, 3), "333.33 FPS");
    EXPECT_EQ(FrameRateText(0, 5), "0.00 FPS");
    EXPECT_EQ(FrameRateText(7, 0), "");

    FpsStartTicks = GetTickCount();
    FrameCount = 1;
    DrawStatus();
    EXPECT_EQ(ReadSmall(133, 233, 10), std::string(10, ' '));
    plat::AdvanceClock(16);
    DrawStatus();
    EXPECT_EQ(ReadSmall(133, 233, 10), "62.50 FPS ");
}

TEST_F(StatusTest, GaugeGrowsWhileTheBossApproaches) {
    StageNo = 1;
    StagePhase = PhaseBossApproach;
    const int boss = StageInfo(1).BossPosition;
    StageClock = boss - 50;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 160));
    EXPECT_EQ(RunOf(GaugeLostColour), std::make_pair(-1, -1));
    Fill(Display.BackBuffer, 0);
    StageClock = boss - 500;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 10));  // one pixel long
    Fill(Display.BackBuffer, 0);
    StageClock = boss - 1;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 307));
    Fill(Display.BackBuffer, 0);
    StageClock = boss + 1000;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 310));
}

TEST_F(StatusTest, GaugeShowsTheBossHitPointsInTheFight) {
    StagePhase = PhaseBossFight;
    BossSlot = 70;
    Objects[70].HitPoints = 5000;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 160));
    EXPECT_EQ(RunOf(GaugeLostColour), std::make_pair(161, 309));
    EXPECT_EQ(At(310, GaugeRow), 0);
    EXPECT_EQ(At(9, GaugeRow), 0);
    EXPECT_EQ(At(160, GaugeRow - 1), 0);

    Fill(Display.BackBuffer, 0);
    Objects[70].HitPoints = 25000;  // more than full: the gauge stays on its row
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 310));
    EXPECT_EQ(RunOf(GaugeLostColour), std::make_pair(-1, -1));
    EXPECT_EQ(At(311, GaugeRow), 0);

    Fill(Display.BackBuffer, 0);
    Objects[70].HitPoints = 33;  // n = 0
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(10, 10));
    EXPECT_EQ(RunOf(GaugeLostColour), std::make_pair(11, 309));

    // Far below zero hit points: only the lost share, clipped to the row.
    Fill(Display.BackBuffer, 0);
    Objects[70].HitPoints = -100000;
    Gauge();
    EXPECT_EQ(RunOf(GaugeColour), std::make_pair(-1, -1));
    EXPECT_EQ(RunOf(GaugeLostColour), std::make_pair(0, 309));
    EXPECT_EQ(At(319, GaugeRow - 1), 0);

    // Outside the boss phases nothing is drawn.
    Fill(Display.BackBuffer, 0);
    StagePhase = PhaseStage;
    Gauge();
    EXPECT_EQ(Find(0).Count, 320 * 240);
}

TEST_F(StatusTest, WarningCyclesItsStylesAndNamesTheStageBoss) {
    StageNo = 2;
    StagePhase = PhaseBossApproach;
    for (int clock = 0; clock < 8; ++clock) {
        StageClock = clock;
        Fill(Display.BackBuffer, 0);
        DrawStatus();
        EXPECT_EQ(At(122, 83), 200 + clock % 4 + 1) << clock;
        EXPECT_EQ(Find(static_cast<uint8_t>(200 + clock % 4 + 1)).Box, Bounds(120, 80, 80, 16));
    }
    EXPECT_EQ(ReadSmall(79, 140, 22), "R.V.L.T. CORAL-LEOPARD");
    EXPECT_EQ(ReadSmall(73, 150, 8, SmallStyle1), "\"OLMARD\"");
    EXPECT_EQ(ReadSmall(121, 150, 20), "IS APPROACHING FAST.");

    Fill(Display.BackBuffer, 0);
    StageNo = 1;
    DrawStatus();
    EXPECT_EQ(ReadSmall(79, 140, 10), "HEAVY TANK");
    EXPECT_EQ(ReadSmall(73, 150, 25, SmallStyle1), "\"MERCILESS DEVASTATOR X9\"");
    EXPECT_EQ(ReadSmall(73, 160, 17), "IS WAITING THERE.");

    Fill(Display.BackBuffer, 0);
    StageNo = 5;
    DrawStatus();
    EXPECT_EQ(ReadSmall(79, 140, 26), "EXPERIMENTAL FIGHTER PLANE");
    EXPECT_EQ(ReadSmall(70, 150, 9, SmallStyle1), "\"SAI-FEN\"");
    EXPECT_EQ(ReadSmall(130, 150, 20), "IS APPROACHING FAST.");

    // Another stage: the warning alone.
    Fill(Display.BackBuffer, 0);
    StageNo = 3;
    DrawStatus();
    EXPECT_EQ(ReadSmall(79, 140, 10), std::string(10, ' '));
    EXPECT_NE(At(122, 83), 0);
}

TEST_F(StatusTest, MissionCompletedAfterSixHundredFrames) {
    StagePhase = PhaseCleared;
    StageClock = 600;
    DrawStatus();
    EXPECT_EQ(ReadLarge(70, 110, 17), std::string(17, ' '));
    StageClock = 601;
    DrawStatus();
    EXPECT_EQ(ReadLarge(70, 110, 17), "MISSION COMPLETED");
    Fill(Display.BackBuffer, 0);
    StagePhase = PhaseBossFight;
    DrawStatus();
    EXPECT_EQ(ReadLarge(70, 110, 17), std::string(17, ' '));
}

}  // namespace
