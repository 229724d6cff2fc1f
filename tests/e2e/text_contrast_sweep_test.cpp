// The stage backgrounds behind every text a stage places, at every scroll position and ship
// height they can take: the build's own pictures drawn by the game's own scene code, the
// texts drawn over them, and each text measured as on the screenshots (3:1 for all but a
// few pixels of each character cell, a calm box). A screenshot sees a few scroll positions;
// this sees them all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/paths.h"
#include "e2e/text_contrast.h"
#include "render/assets.h"
#include "render/display.h"
#include "render/scene.h"
#include "render/scene_fixture.h"
#include "render/text.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"
#include "zvcommon/stagemap.h"

namespace {

using namespace e2e;

void Draw(const StageText& p, int32_t style) {
    if (p.Line.Large)
        DrawLargeText(p.Line.X, p.Line.Y, style, p.Line.Name);
    else
        DrawSmallText(p.Line.X, p.Line.Y, style, p.Line.Name);
}

TBitmap Shot() {
    TBitmap b;
    b.Width = Display.BackBuffer.W;
    b.Height = Display.BackBuffer.H;
    b.BitCount = 8;
    b.Colors.assign(GamePalette.begin(), GamePalette.end());
    b.Indices = Display.BackBuffer.Pixels;
    return b;
}

// The worst a text met over the sweep, and where.
struct Worst {
    double Low = 1e9, Spread = 0;
    std::string LowAt, SpreadAt;
};

class TextContrastSweep : public scenetest::BuildPicturesTest,
                          public ::testing::WithParamInterface<int32_t> {
  protected:
    void SetUp() override {
        BuildPicturesTest::SetUp();
        StageNo = GetParam();
        DXDraw1RestoreSurface();
        SetSize(Display.BackBuffer, 320, 240);
        LoadStageMapFile(DataPath("Stage" + std::to_string(StageNo) + ".map"), StageMap);
    }
    void TearDown() override {
        BuildPicturesTest::TearDown();
        UpdateCount = 0;
        ResetWorld();
    }
};

TEST_P(TextContrastSweep, EveryTextReadsAtEveryScrollAndShipHeight) {
    const std::vector<StageText> texts = StageTexts(StageNo);
    // Each text's fill: its lightest style drawn alone.
    std::vector<double> fill;
    for (const StageText& p : texts) {
        double f = -1;
        for (int32_t s : p.Styles) {
            Fill(Display.BackBuffer, 0);
            Draw(p, s);
            f = std::max(f, TextLuminance(Shot(), p.Line.Box()));
        }
        ASSERT_GT(f, 0) << p.Line.Name << ": no text drawn";
        fill.push_back(f);
    }
    // The frames: stage 1 stands still but for its tile map (every scroll across the map);
    // stages 2 and 5 move with the update count (all phases of the slowest strip, which
    // moves a quarter pixel an update) and the ship's height (in tenths, the finest step of
    // the strips).
    struct Frame {
        int64_t U;
        int32_t ShipY, ScrollX;
    };
    std::vector<Frame> frames;
    if (StageNo == 1) {
        const int32_t end = MapColumnCount(StageMap.MapHeader) * 16 - 320;
        ASSERT_GT(end, 0);
        for (int32_t x = 0; x <= end; ++x) frames.push_back({0, 120, x});
    } else {
        const int64_t period = 4 * (StageNo == 2 ? 120 : 160);
        for (int32_t y = 0; y <= 230; y += 10)
            for (int64_t u = 0; u < period; ++u) frames.push_back({u, std::max(y, 8), 0});
    }
    std::vector<Worst> worst(texts.size());
    for (const Frame& f : frames) {
        UpdateCount = static_cast<int32_t>(f.U);
        Players[0].Y = f.ShipY;
        ScrollX = f.ScrollX;
        DrawStageBackground();
        if (StageNo == 1) DrawTileMap();
        for (size_t i = 0; i < texts.size(); ++i)
            Draw(texts[i], texts[i].Styles[f.U % texts[i].Styles.size()]);
        const TBitmap shot = Shot();
        for (size_t i = 0; i < texts.size(); ++i) {
            const Legibility m =
                Measure(shot, texts[i].Line.Box(), fill[i], texts[i].Line.Large ? 10 : 6);
            const std::string at = "update " + std::to_string(f.U) + ", ship y " +
                                   std::to_string(f.ShipY) + ", scroll " +
                                   std::to_string(f.ScrollX);
            if (m.Low < worst[i].Low) worst[i].Low = m.Low, worst[i].LowAt = at;
            if (m.Spread > worst[i].Spread) worst[i].Spread = m.Spread, worst[i].SpreadAt = at;
        }
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        std::printf("  stage %d %-28s contrast %5.2f  spread %.3f\n", StageNo,
                    texts[i].Line.Name.c_str(), worst[i].Low, worst[i].Spread);
        EXPECT_GE(worst[i].Low, MinContrast) << texts[i].Line.Name << " at " << worst[i].LowAt;
        EXPECT_LE(worst[i].Spread, MaxSpread) << texts[i].Line.Name << " at " << worst[i].SpreadAt;
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, TextContrastSweep, ::testing::Values(1, 2, 5));

}  // namespace
