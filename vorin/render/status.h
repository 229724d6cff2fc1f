#pragma once
// The status display of a game run: the boss gauge (inside the scene's locked pixel pass),
// then score, counter, spare lives, frame rate, the boss warning and the stage-clear text.
#include <cstdint>
#include <string>

#include "base/graphics.h"

constexpr int32_t GaugeRow = 200;
constexpr uint8_t GaugeColour = 57;      // the gauge's filled part
constexpr uint8_t GaugeLostColour = 79;  // the boss's lost share in the fight

// The gauge on row 200 of the locked back buffer, in the boss phases only.
void DrawBossGauge(const TSurfaceDesc& p);
// Everything else, drawn after the back buffer is unlocked.
void DrawStatus();

// The score as shown: at least 8 digits, zero padded on the left.
std::string ScoreText(int32_t score);
// The frame rate as shown; empty when no millisecond has passed since the reset.
std::string FrameRateText(int32_t frames, uint32_t elapsedMs);
