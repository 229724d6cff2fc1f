#include "shell/shell.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "platform/platform.h"
#include "render/display.h"
#include "render/text.h"
#include "screens/game.h"
#include "shell/hooks.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "world/play.h"
#include "world/state.h"
#include "zvcommon/config.h"
#include "zvrandom.h"

uint8_t CurrentScreen = 0;
uint8_t NextScreen = 0;
int32_t FadeStep = 0;
int32_t FadeLevel = 0;
bool FadeInDone = false;
bool PaletteDirty = false;
int32_t TickParity = 0;
bool SingleUpdate = true;
bool ParticlesOn = true;
bool Paused = false;
std::string MessageText;
int32_t MessageTicks = 0;
int32_t UpdateCount = 0;
int32_t FrameCount = 0;
uint32_t FpsStartTicks = 0;
uint32_t FrameInterval = 16;
TPalette GamePalette{};
TPalette BlackPalette{};
int64_t RequestedSeed = -1;

uint32_t GetTickCount() {
    return plat::Millis();
}

void ResetShellState() {
    CurrentScreen = NextScreen = 0;
    FadeStep = FadeLevel = 0;
    FadeInDone = PaletteDirty = false;
    TickParity = 0;
    SingleUpdate = true;
    ParticlesOn = true;
    Paused = false;
    MessageText.clear();
    MessageTicks = 0;
    UpdateCount = FrameCount = 0;
    FpsStartTicks = 0;
    FrameInterval = 16;
    GamePalette = {};
    BlackPalette = {};
    ResetInputState();
}

void ShowErrorReport(const std::string& message) {
    std::fprintf(stderr, "vorin: %s\n", message.c_str());
    std::fflush(stderr);
    plat::ShowErrorBox("Zelvorin", message);
}

void SetMessageLine(const std::string& text) {
    MessageText = text;
    MessageTicks = MessageShowTicks;
}

void BlendPalette(const TPalette& from, const TPalette& to, int32_t level, TPalette& out) {
    auto mix = [level](uint8_t f, uint8_t t) {
        const int32_t d = static_cast<int32_t>(t) - static_cast<int32_t>(f);
        // Rounded to nearest, ties to even (the default rounding mode).
        const int32_t step = static_cast<int32_t>(std::nearbyint(level * d / 32.0));
        return static_cast<uint8_t>((f + step) & 0xff);
    };
    for (size_t i = 0; i < out.size(); ++i) {
        out[i].Blue = mix(from[i].Blue, to[i].Blue);
        out[i].Green = mix(from[i].Green, to[i].Green);
        out[i].Red = mix(from[i].Red, to[i].Red);
        out[i].Reserved = 0;
    }
}

void FillPalette(TPalette& palette, int32_t first, int32_t last, uint32_t colour) {
    const TRGBQuad c{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                     static_cast<uint8_t>(colour), 0};
    for (int32_t i = first; i <= last; ++i)
        if (i >= 0 && i < 256) palette[i] = c;
}

void ResetScreenPalette(bool startBlack) {
    RestoreDisplay();
    Display.DefaultColors = GamePalette;
    Display.CurrentColors = startBlack ? BlackPalette : GamePalette;
    UploadPalette();
}

void StartFadeIn() {
    FadeStep = 1;
    FadeLevel = 0;
    FadeInDone = false;
}

void FormCreate() {
    if (RequestedSeed >= 0)
        Randomize(static_cast<uint32_t>(RequestedSeed));
    else
        Randomize(
            static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    plat::ShowCursor(false);
    CurrentScreen = 0;
    SingleUpdate = true;
    Paused = false;
    ParticlesOn = true;
    FrameCount = 0;
    FpsStartTicks = 0;
    StageNo = 1;
    ReadConfig(DataPath(ConfigFileName), Settings);
    InitFrontEnd();
    LoadHighScores();
    BuildTrigTables();
    JoystickPresent = JoystickSource(JoySample);
    FillPalette(BlackPalette, 0, 255, 0);
    EnterTitle();
    LoadEnemyTypes();
    LoadSoundEffects();
    InitMusic();
}

void FormDestroy() {
    plat::ShowCursor(true);
    ClearMusic();
}

namespace {

void UpdateScreen() {
    switch (CurrentScreen) {
        case ScreenTitle:
            UpdateTitle();
            break;
        case ScreenSelect:
            UpdateCharacterSelect();
            break;
        case ScreenGame:
            UpdateGameRun();
            break;
        case ScreenConfig:
            UpdateConfig();
            break;
        case ScreenRanking:
            UpdateRanking();
            break;
        default:
            break;
    }
}

void DrawScreen() {
    switch (CurrentScreen) {
        case ScreenTitle:
            DrawTitle();
            break;
        case ScreenSelect:
            DrawCharacterSelect();
            break;
        case ScreenGame:
            DrawGameRun();
            break;
        case ScreenConfig:
            DrawConfig();
            break;
        case ScreenRanking:
            DrawRanking();
            break;
        default:
            break;
    }
}

void EnterScreen(uint8_t screen) {
    switch (screen) {
        case ScreenTitle:
            EnterTitle();
            break;
        case ScreenSelect:
            EnterCharacterSelect();
            break;
        case ScreenGame:
            StartGameRun();
            break;
        case ScreenConfig:
            EnterConfig();
            break;
        case ScreenFinishStage:
            FinishStage();
            break;
        case ScreenRanking:
            EnterRanking();
            break;
        default:
            break;
    }
}

void StepFade() {
    FadeLevel += FadeStep * 4;
    if (FadeLevel > 31) {
        FadeStep = 0;
        FadeLevel = 32;
        FadeInDone = true;
    }
    if (FadeLevel < 1) {
        FadeStep = 0;
        FadeLevel = 0;
        // A fade-out that ends before its fade-in completed still enters the next screen,
        // so the display never stays black.
        FadeInDone = false;
        EnterScreen(NextScreen);
    }
    if (FadeLevel % 2 == 0) {
        TPalette blended;
        BlendPalette(BlackPalette, GamePalette, FadeLevel, blended);
        Display.CurrentColors = blended;
        PaletteDirty = true;
    }
}

}  // namespace

void DXTimer1Timer() {
    TickParity ^= 1;
    const int updates = Paused ? 0 : (SingleUpdate ? 1 : 2);
    for (int i = 0; i < updates; ++i) {
        ++UpdateCount;
        SampleInput();
        UpdateScreen();
    }
    DrawScreen();
    if (MessageTicks > 0) {
        DrawSmallText(0, 220, 0, MessageText);
        --MessageTicks;
    }
    if (Paused) DrawSmallText(145, 120, 1, "PAUSE");
    if (FadeStep != 0) StepFade();
    if (PaletteDirty && TickParity == 0 && CanAnimatePalette()) {
        PaletteDirty = false;
        UploadPalette();
    }
    Present();
    ++FrameCount;
}
