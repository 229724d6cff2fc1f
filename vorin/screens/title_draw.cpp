// The title screen's drawing: logo, pages and the last-play statistics.
#include <string>

#include "render/display.h"
#include "render/text.h"
#include "screens/frontend.h"
#include "screens/menutext.h"
#include "screens/title.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

constexpr const char* VersionText = "BETA1.03.02";
// The credit line; "c" is the copyright symbol of the large font.
constexpr const char* CreditText = "c2025 ZELVORIN PROJECT";

const TRect LogoRect{0, 0, 280, 136};

// A menu list: entry i at (130 + 5i, 160 + 10i), the cursor line 20 pixels further left.
void DrawListEntry(int32_t i, int32_t style, const std::string& text) {
    DrawLargeText(130 + 5 * i, 160 + 10 * i, style, text);
}
void DrawListCursor(int32_t c, const std::string& text) {
    DrawLargeText(110 + 5 * c, 160 + 10 * c, 2, "e " + text);
}

void DrawLastPlay() {
    struct Line {
        int32_t y;
        const char* label;
        int32_t valueX;
    };
    static constexpr Line Lines[9] = {
        {40, "SCORE", 160},           {70, "TIME ELAPSED", 200},   {90, "TIME SCRATCHING", 200},
        {110, "SCRATCH %", 210},      {130, "MAX SCRATCHES", 200}, {160, "SHOOT DOWN", 210},
        {180, "MAX MULTIPLIER", 210}, {200, "AVERAGE", 210},       {220, "COINS", 200},
    };
    DrawLargeText(130, 10, 4, "LAST PLAY");
    const auto values = LastPlayValues(Stats, Players[0].Score);
    for (int32_t i = 0; i < 9; ++i) {
        DrawLargeText(10, Lines[i].y, 4, Lines[i].label);
        if (!values[i].empty()) DrawLargeText(Lines[i].valueX, Lines[i].y, 0, values[i]);
    }
}

void DrawMainMenu() {
    DrawLargeText(10, 190, 4, "MAIN MENU");
    for (int32_t i = 0; i < MenuEntryCount; ++i)
        DrawListEntry(i, MenuItemLocked[i], MenuText[MenuIdx::MainMenu + i]);
    DrawListCursor(MenuCursor, MenuText[MenuIdx::MainMenu + MenuCursor]);
}

std::string ClassLetter(uint8_t value) {
    return value < ClassValueCount ? MenuText[MenuIdx::ClassLetter + value] : "?";
}

void DrawDifficulty() {
    DrawLargeText(10, 190, 4, "DIFFICULTY");
    for (int32_t i = 0; i < DifficultyCount; ++i)
        DrawListEntry(i, i == DifficultyCustom && !CustomAvailable ? 1 : 0,
                      MenuText[MenuIdx::Difficulty + i]);
    const bool onCustom = DifficultyCursor == DifficultyCustom;
    if (onCustom) {
        for (int32_t i = 0; i < DifficultyCustom; ++i) {
            std::string letters;
            for (int32_t k = 0; k < CustomColumns; ++k)
                letters += ClassLetter(DifficultyPresets[i].Classes[k]);
            DrawSmallText(240 + 5 * i, 165 + 10 * i, 0, letters);
        }
        for (int32_t k = 0; k < CustomColumns; ++k)
            DrawSmallText(270 + 6 * k, 225, k == CustomColumn ? 1 : 0,
                          ClassLetter(ClassSettings[k]));
    }
    DrawListCursor(DifficultyCursor, MenuText[MenuIdx::Difficulty + DifficultyCursor]);
    if (onCustom) DrawSmallText(200, 234, 0, "gVALUE hCURSOR");
}

void DrawHells() {
    DrawLargeText(0, 24, 4, "WHAT HELLS DO YOU WANT TO FALL?");
    static constexpr int32_t ValueBase[3] = {MenuIdx::Density, MenuIdx::Speed, MenuIdx::ShootBack};
    for (int32_t i = 0; i < HellLineCount; ++i) {
        DrawLargeText(70, 64 + 30 * i, 0, MenuText[MenuIdx::HellLine + i]);
        if (i == HellLineOkay) continue;
        for (int32_t j = 0; j < HellValueCount; ++j)
            DrawSmallText(70 + 48 * j, 81 + 30 * i, 0, MenuText[ValueBase[i] + j]);
    }
    DrawLargeText(50, 64 + 30 * HellCursor, 2,
                  "e " + std::string(MenuText[MenuIdx::HellLine + HellCursor]));
    const int32_t values[3] = {HellDensity, HellSpeed, ShootBackType};
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t v = values[i];
        if (v >= 0 && v < HellValueCount)
            DrawSmallText(70 + 48 * v, 81 + 30 * i, 1, MenuText[ValueBase[i] + v]);
    }
}

void DrawStageSelect() {
    DrawLargeText(10, 190, 4, "STAGE SELECT");
    for (int32_t i = 0; i < StageEntryCount; ++i)
        DrawListEntry(i, StageSelectable(i) ? 0 : 1, "STAGE " + std::to_string(i + 1));
    DrawListCursor(StageCursor, "STAGE " + std::to_string(StageCursor + 1));
}

}  // namespace

void DrawTitle() {
    DrawFrontEndBackground();
    if (TitlePage == PagePressButton && (CurButtons[BtnLeft] || CurButtons[BtnRight])) {
        DrawLastPlay();
        return;
    }
    if (TitlePage == PagePressButton || TitlePage == PageMainMenu || TitlePage == PageDifficulty ||
        TitlePage == PageStageSelect) {
        Draw(Display.BackBuffer, 20, 20, BackSheet, LogoRect, true);
        DrawSmallText(240, 155, 0, VersionText);
    }
    switch (TitlePage) {
        case PagePressButton:
            DrawLargeText(80, 180, 0, "PRESS ANY BUTTON");
            DrawLargeText(70, 220, 0, CreditText);
            break;
        case PageMainMenu:
            DrawMainMenu();
            break;
        case PageDifficulty:
            DrawDifficulty();
            break;
        case PageHells:
            DrawHells();
            break;
        case PageStageSelect:
            DrawStageSelect();
            break;
        default:
            break;
    }
}
