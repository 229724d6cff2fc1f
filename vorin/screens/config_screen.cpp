// The configuration screen: entry, update and drawing.
#include "screens/config_screen.h"

#include <cstdio>
#include <string>

#include "base/paths.h"
#include "render/display.h"
#include "render/text.h"
#include "screens/frontend.h"
#include "screens/menutext.h"
#include "shell/dump.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "zvcommon/config.h"

int32_t ConfigPage = 0;
int32_t ConfigCursor = 0;
int32_t ButtonAssign[JoyButtonCount] = {};

void ResetConfigState() {
    ConfigPage = ConfigCursor = 0;
    for (int32_t& a : ButtonAssign) a = AssignNone;
}

void DecodeButtonMasks(const TSettings& s, int32_t (&assign)[JoyButtonCount]) {
    for (int32_t k = 0; k < JoyButtonCount; ++k) {
        const int32_t bit = 1 << k;
        assign[k] = AssignNone;
        if (s.ButtonA & bit) assign[k] = AssignA;
        if (s.ButtonB & bit) assign[k] = assign[k] == AssignNone ? AssignB : AssignRapid;
        if (s.ButtonC & bit) assign[k] = AssignC;
    }
}

void EncodeButtonMasks(const int32_t (&assign)[JoyButtonCount], TSettings& s) {
    s.ButtonA = s.ButtonB = s.ButtonC = 0;
    for (int32_t k = 0; k < JoyButtonCount; ++k) {
        const int32_t bit = 1 << k;
        const int32_t a = assign[k];
        if (a == AssignA || a == AssignRapid) s.ButtonA |= bit;
        if (a == AssignB || a == AssignRapid) s.ButtonB |= bit;
        if (a == AssignC) s.ButtonC |= bit;
    }
}

void EnterConfig() {
    CurrentScreen = ScreenConfig;
    ResetScreenPalette(true);
    StartFadeIn();
    ConfigPage = ConfigMain;
    ConfigCursor = 0;
}

namespace {

void StepCursor(int32_t first) {
    if (Pressed(BtnUp) && ConfigCursor > first) --ConfigCursor;
    if (Pressed(BtnDown) && ConfigCursor < ConfigLastLine) ++ConfigCursor;
}

void UpdateMain() {
    StepCursor(0);
    if (!DecidePressed()) return;
    switch (ConfigCursor) {
        case LinePlayerSetting:
            ConfigPage = ConfigPlayer;
            ConfigCursor = LineKouten;
            break;
        case LineButtonMapping:
            DecodeButtonMasks(Settings, ButtonAssign);
            ConfigPage = ConfigMapping;
            ConfigCursor = 0;
            break;
        case LineSave:
            SetMessageLine(WriteConfig(DataPath(ConfigFileName), Settings)
                               ? "CONFIG SAVED."
                               : "CONFIG SAVE FAILURE.");
            break;
        case LineExit:
            FadeStep = -1;
            NextScreen = ScreenTitle;
            break;
        default:
            break;  // the dimmed lines
    }
}

void UpdateMapping() {
    StepCursor(0);
    if (ConfigCursor < JoyButtonCount) {
        int32_t& a = ButtonAssign[ConfigCursor];
        if (Pressed(BtnLeft)) a = (a + AssignCount - 1) % AssignCount;
        if (Pressed(BtnRight)) a = (a + 1) % AssignCount;
    } else if (DecidePressed()) {
        EncodeButtonMasks(ButtonAssign, Settings);
        ConfigPage = ConfigMain;
        ConfigCursor = LineButtonMapping;
    }
}

// Turn speeds: halved (unsigned) above 1, doubled below the maximum.
void TurnSpeedDown(int32_t& v) {
    if (v > 1) v = static_cast<int32_t>(static_cast<uint32_t>(v) / 2);
}
void TurnSpeedUp(int32_t& v) {
    if (v < TurnSpeedMax) v = static_cast<int32_t>(static_cast<uint32_t>(v) * 2);
}

int32_t* MoveSpeed(int32_t line) {
    switch (line) {
        case LineSpeedOff:
            return &Settings.SpeedOff;
        case LineSpeedOff + 1:
            return &Settings.SpeedManual;
        case LineSpeedOff + 2:
            return &Settings.SpeedAuto;
        case LineSpeedOff + 3:
            return &Settings.SpeedCharge;
        default:
            return nullptr;
    }
}

void UpdatePlayer() {
    // The same edges apply again while the cursor is on the heading, so it is skipped in
    // the direction of the move. A few rounds always leave it.
    for (int32_t round = 0; round < 4; ++round) {
        StepCursor(LineKouten);
        if (ConfigCursor != LineSpeedHeading) break;
    }
    const bool left = Pressed(BtnLeft), right = Pressed(BtnRight);
    if (ConfigCursor == LineKouten) {
        if (left) TurnSpeedDown(Settings.AnchorKouten);
        if (right) TurnSpeedUp(Settings.AnchorKouten);
    } else if (ConfigCursor == LineJiten) {
        if (left) TurnSpeedDown(Settings.AnchorJiten);
        if (right) TurnSpeedUp(Settings.AnchorJiten);
    } else if (int32_t* v = MoveSpeed(ConfigCursor)) {
        if (left && *v > 1) --*v;
        if (right && *v < MoveSpeedMax) ++*v;
    } else if (ConfigCursor == ConfigLastLine && DecidePressed()) {
        ConfigPage = ConfigMain;
        ConfigCursor = LinePlayerSetting;
    }
}

std::string Format(const char* label, int32_t v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%4d", label, v);
    return buf;
}

void DrawMain() {
    static constexpr const char* Dimmed[5] = {"INTERVAL", "DDRAW FLIP", "FRAME SKIP", "PARTICLE",
                                              "1PLAYER MODE"};
    static constexpr const char* Open[4] = {"PLAYER SETTING e", "BUTTON MAPPING e",
                                            "SAVE CONFIGURATION", "EXIT e"};
    for (int32_t i = 0; i < 5; ++i) DrawLargeText(30, 30 + 20 * i, 1, Dimmed[i]);
    for (int32_t i = 0; i < 4; ++i) DrawLargeText(30, 130 + 20 * i, 0, Open[i]);
}

void DrawMapping() {
    for (int32_t i = 0; i < JoyButtonCount; ++i) {
        const int32_t a = ButtonAssign[i];
        const char* name = a >= 0 && a < AssignCount ? MenuText[MenuIdx::Assignment + a] : "";
        char buf[48];
        std::snprintf(buf, sizeof buf, "BUTTON %d   %s", i + 1, name);
        DrawLargeText(30, 30 + 20 * i, 0, buf);
    }
    DrawLargeText(30, 190, 0, "OKAY e");
}

void DrawPlayer() {
    const TSettings& s = Settings;
    DrawLargeText(20, 30, 4, "RADIAN SPEEDS");
    DrawLargeText(30, 50, 0, Format("POSITION       ", s.AnchorKouten));
    DrawLargeText(30, 70, 0, Format("DIRECION       ", s.AnchorJiten));
    DrawLargeText(20, 90, 4, "MOVE SPEEDS");
    DrawLargeText(30, 110, 0, Format("SHOT OFF       ", s.SpeedOff));
    DrawLargeText(30, 130, 0, Format("RAPID(MANUAL)  ", s.SpeedManual));
    DrawLargeText(30, 150, 0, Format("RAPID(AUTOFIRE)", s.SpeedAuto));
    DrawLargeText(30, 170, 0, Format("ANCHOR CHARGING", s.SpeedCharge));
    DrawLargeText(30, 190, 0, "OKAY e");
}

}  // namespace

void UpdateConfig() {
    if (FadeLevel != 32) return;
    switch (ConfigPage) {
        case ConfigMain:
            UpdateMain();
            break;
        case ConfigMapping:
            UpdateMapping();
            break;
        case ConfigPlayer:
            UpdatePlayer();
            break;
        default:
            break;
    }
}

void DrawConfig() {
    DrawFrontEndBackground();
    DrawLargeText(70, 0, 4, "GAME CONFIGURATION");
    switch (ConfigPage) {
        case ConfigMain:
            DrawMain();
            break;
        case ConfigMapping:
            DrawMapping();
            break;
        case ConfigPlayer:
            DrawPlayer();
            break;
        default:
            break;
    }
    DrawLargeText(10, 30 + 20 * ConfigCursor, 2, "e");
}
