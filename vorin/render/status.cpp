#include "render/status.h"

#include <algorithm>
#include <cstdio>

#include "render/display.h"
#include "render/text.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"
#include "world/tables.h"

namespace {

constexpr int32_t GaugeLeft = 10;
constexpr int32_t GaugeLength = 300;
constexpr int32_t GaugeEnd = 309;  // last pixel of the lost share
constexpr int32_t GaugeFullHitPoints = 10000;
constexpr int32_t ClearTextDelay = 600;  // "MISSION COMPLETED" after this many frames

constexpr TRect LifeIcons{256, 344, 256, 356};  // right edge grows by 11 per spare life
constexpr int32_t LifeIconWidth = 11;

void Run(uint8_t* row, int32_t from, int32_t to, uint8_t colour, int32_t width) {
    from = std::max(from, 0);
    to = std::min(to, width - 1);
    for (int32_t x = from; x <= to; ++x) row[x] = colour;
}

// The three lines under "WARNING!" that name the stage's boss.
void DrawBossLines() {
    switch (StageNo) {
        case 1:
            DrawSmallText(79, 140, 0, "HEAVY TANK");
            DrawSmallText(73, 150, 1, "\"MERCILESS DEVASTATOR X9\"");
            DrawSmallText(73, 160, 0, "IS WAITING THERE.");
            break;
        case 2:
            DrawSmallText(79, 140, 0, "R.V.L.T. CORAL-LEOPARD");
            DrawSmallText(73, 150, 1, "\"OLMARD\"");
            DrawSmallText(121, 150, 0, "IS APPROACHING FAST.");
            break;
        case 5:
            DrawSmallText(79, 140, 0, "EXPERIMENTAL FIGHTER PLANE");
            DrawSmallText(70, 150, 1, "\"SAI-FEN\"");
            DrawSmallText(130, 150, 0, "IS APPROACHING FAST.");
            break;
        default:
            break;
    }
}

}  // namespace

void DrawBossGauge(const TSurfaceDesc& p) {
    if (p.Height <= GaugeRow) return;
    uint8_t* row = p.Pixels + static_cast<size_t>(GaugeRow) * p.Pitch;
    if (StagePhase == PhaseBossApproach) {
        const int64_t steps =
            (static_cast<int64_t>(StageClock) - StageInfo(StageNo).BossPosition) * 3 + GaugeLength;
        const int32_t n = static_cast<int32_t>(std::clamp<int64_t>(steps, 0, GaugeLength));
        Run(row, GaugeLeft, GaugeLeft + n, GaugeColour, p.Width);
    } else if (StagePhase == PhaseBossFight) {
        if (BossSlot < 0 || BossSlot >= ObjectCount) return;
        const int64_t hp = Objects[BossSlot].HitPoints;
        const int32_t n = static_cast<int32_t>(
            std::min<int64_t>(hp * GaugeLength / GaugeFullHitPoints, GaugeLength));
        if (n >= 0) Run(row, GaugeLeft, GaugeLeft + n, GaugeColour, p.Width);
        // A boss below 0 hit points would start the lost share left of the gauge; it is
        // clipped to the screen row.
        Run(row, GaugeLeft + 1 + n, GaugeEnd, GaugeLostColour, p.Width);
    }
}

std::string ScoreText(int32_t score) {
    char text[16];
    std::snprintf(text, sizeof text, "%.8d", score);
    return text;
}

std::string FrameRateText(int32_t frames, uint32_t elapsedMs) {
    if (elapsedMs == 0) return {};
    char text[48];
    std::snprintf(text, sizeof text, "%2.2f FPS",
                  static_cast<double>(frames) / static_cast<double>(elapsedMs) * 1000.0);
    return text;
}

void DrawStatus() {
    const TPlayer& s = Players[0];
    DrawLargeText(0, 0, 0, ScoreText(s.Score));

    char counter[32];
    std::snprintf(counter, sizeof counter, "f%2d/%2d", s.Gauge, s.GaugeMax);
    DrawSmallText(45, 233, 0, counter);

    if (s.Lives > 0) {
        TRect icons = LifeIcons;
        icons.Right += LifeIconWidth * s.Lives;
        Draw(Display.BackBuffer, 0, 229, PlayerSheet, icons, true);
    }

    const std::string fps = FrameRateText(FrameCount, GetTickCount() - FpsStartTicks);
    if (!fps.empty()) DrawSmallText(133, 233, 0, fps);

    if (StagePhase == PhaseBossApproach) {
        DrawLargeText(120, 80, StageClock % 4 + 1, "WARNING!");
        DrawBossLines();
    }
    if (StagePhase == PhaseCleared && StageClock > ClearTextDelay)
        DrawLargeText(70, 110, 0, "MISSION COMPLETED");
}
