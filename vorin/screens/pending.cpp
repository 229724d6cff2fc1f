// Stand-ins until the front end lands: each screen is its heading on black.
#include "render/display.h"
#include "render/text.h"
#include "shell/hooks.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace {
void EnterPlain(uint8_t screen) {
    CurrentScreen = screen;
    ResetScreenPalette(true);
    FadeStep = 1;
    FadeLevel = 0;
    FadeInDone = false;
}
}  // namespace

void InitFrontEnd() {}
void DumpFrontEnd(JsonOut&) {}

void EnterCharacterSelect() { EnterPlain(ScreenSelect); }
void UpdateCharacterSelect() {}
void DrawCharacterSelect() {
    Fill(Display.BackBuffer, 0);
    DrawLargeText(60, 20, 4, "CHARACTER SELECT");
}

void EnterConfig() { EnterPlain(ScreenConfig); }
void UpdateConfig() {}
void DrawConfig() {
    Fill(Display.BackBuffer, 0);
    DrawLargeText(60, 20, 4, "CONFIGURATION");
}

void EnterRanking() { EnterPlain(ScreenRanking); }
void UpdateRanking() {}
void DrawRanking() {
    Fill(Display.BackBuffer, 0);
    DrawLargeText(110, 20, 4, "RANKING");
}
