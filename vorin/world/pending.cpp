// Stand-ins until the world lands: a game run is an empty screen that returns to the title.
#include "render/display.h"
#include "shell/hooks.h"
#include "shell/screens.h"
#include "shell/shell.h"

int32_t StageNo = 1;

void LoadEnemyTypes() {}
void SetMainShotLevel7() {}
void DumpWorld(JsonOut&) {}
void DumpWorldOnce(JsonOut&) {}

void StartGameRun() {
    CurrentScreen = ScreenGame;
    ResetScreenPalette(true);
    FadeStep = 1;
    FadeLevel = 0;
    FadeInDone = false;
}
void UpdateGameRun() {}
void FinishStage() { EnterTitle(); }
