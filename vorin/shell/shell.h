#pragma once
// The game shell: start-up, the frame tick, the screen state machine and its palette fades.
#include <cstdint>
#include <string>

#include "base/graphics.h"

// Screen numbers (CurrentScreen, NextScreen). 5 is not a screen: it finishes a stage.
constexpr uint8_t ScreenTitle = 0;
constexpr uint8_t ScreenSelect = 1;
constexpr uint8_t ScreenGame = 2;
constexpr uint8_t ScreenConfig = 4;
constexpr uint8_t ScreenFinishStage = 5;
constexpr uint8_t ScreenRanking = 7;

constexpr int32_t MessageShowTicks = 60;  // ticks a message line stays up

extern uint8_t CurrentScreen;    // screen being shown and updated
extern uint8_t NextScreen;       // screen to enter when the fade-out reaches black
extern int32_t FadeStep;         // +1 fading in, -1 fading out, 0 none
extern int32_t FadeLevel;        // 0 black .. 32 full GamePalette
extern bool FadeInDone;          // the current screen's fade-in reached 32
extern bool PaletteDirty;        // colour table changed, not yet uploaded
extern int32_t TickParity;       // flips every tick
extern bool SingleUpdate;        // false: two updates per tick (frame skip)
extern bool ParticlesOn;         // the game scene draws particles
extern bool Paused;              // no updates run
extern std::string MessageText;  // the message line
extern int32_t MessageTicks;     // ticks the message line is still shown
extern int32_t UpdateCount;      // screen updates since start, never reset
extern int32_t FrameCount;       // frames presented since the last frame-rate reset
extern uint32_t FpsStartTicks;   // tick count at the last frame-rate reset
extern uint32_t FrameInterval;   // frame timer interval in ms (16 at start)
extern TPalette GamePalette;     // full palette of the current screen
extern TPalette BlackPalette;    // all black

void FormCreate();
void DXTimer1Timer();
void FormDestroy();

void ResetScreenPalette(bool startBlack);
// The end of every screen entry: fade in from black (FadeStep +1, FadeLevel 0, FadeInDone false).
void StartFadeIn();
void SetMessageLine(const std::string& text);
void BlendPalette(const TPalette& from, const TPalette& to, int32_t level, TPalette& out);
// colour is 0x00BBGGRR; nothing when last < first.
void FillPalette(TPalette& palette, int32_t first, int32_t last, uint32_t colour);

// The application's default error report: the message on standard error always, and in a
// message box when a display exists.
void ShowErrorReport(const std::string& message);

// Resets every shell variable to its program-start value (tests).
void ResetShellState();

// Requested seed for the random generator; negative: seed from the clock.
extern int64_t RequestedSeed;
// The system tick count in milliseconds (the frame-rate display's clock).
uint32_t GetTickCount();
