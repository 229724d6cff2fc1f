// Start-up flags, the shared background and the front end's fields of the dump.
#include "screens/frontend.h"

#include "render/display.h"
#include "screens/config_screen.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/dump.h"
#include "shell/hooks.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

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

void DumpFrontEnd(JsonOut& j) {
    switch (CurrentScreen) {
        case ScreenTitle: {
            j.Field("TitlePage", TitlePage).Field("MenuCursor", MenuCursor);
            j.Field("DifficultyCursor", DifficultyCursor).Field("CustomColumn", CustomColumn);
            j.Field("HellCursor", HellCursor).Field("StageCursor", StageCursor);
            j.IntArray("MenuItemLocked", MenuItemLocked);
            j.Field("GameMode", GameMode);
            j.IntArray("ClassSettings", ClassSettings);
            j.Field("HellDensity", HellDensity).Field("HellSpeed", HellSpeed);
            j.Field("ShootBackType", ShootBackType);
            // What the "LAST PLAY" page shows ("" for a value it leaves out).
            j.Key("LastPlay").BeginArray();
            for (const std::string& v : LastPlayValues(Stats, Players[0].Score)) j.Str(v);
            j.EndArray();
            break;
        }
        case ScreenGame:
            // The settings the play's bullets follow.
            j.Field("Difficulty", DifficultyCursor);
            j.IntArray("ClassSettings", ClassSettings);
            j.Field("Density", HellDensity).Field("SpeedHell", HellSpeed);
            j.Field("ShootBackType", ShootBackType);
            break;
        case ScreenSelect:
            j.Field("SelectSlide", SelectSlide).FieldBool("SelectDecided", SelectDecided);
            j.Field("SelectCountdown", SelectCountdown);
            j.Field("Character", Players[0].Character);
            j.IntArray("PanelValues", Players[0].PanelValues);
            break;
        case ScreenConfig: {
            j.Field("ConfigPage", ConfigPage).Field("ConfigCursor", ConfigCursor);
            j.IntArray("ButtonAssign", ButtonAssign);
            DumpSettings(j);
            break;
        }
        default:
            break;
    }
}
