// What the front-end screens share: the background, the start-up availability of the menu
// entries and the reset for tests. Their fields of the dump are in frontend_dump.cpp.
#include "screens/frontend.h"

#include "render/display.h"
#include "screens/config_screen.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/hooks.h"

void DrawFrontEndBackground() {
    Draw(Display.BackBuffer, 0, 0, StageEnemySheet, TRect{0, 0, 320, 240}, false);
}

void InitFrontEnd() {
    PracticeAvailable = true;
    OnlyBossAvailable = false;
    CustomAvailable = false;
}

void ResetFrontEnd() {
    ResetTitleState();
    ResetSelectState();
    ResetConfigState();
}
