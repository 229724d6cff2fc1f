// The title screen's entry and update: the pages of the main menu and the play settings
// they choose.
#include "screens/title.h"

#include <cstdio>

#include "audio/audio.h"
#include "audio/effects.h"
#include "audio/music.h"
#include "screens/menutext.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/state.h"

int32_t TitlePage = 0;
int32_t MenuCursor = 0;
int32_t DifficultyCursor = 0;
int32_t CustomColumn = 0;
int32_t HellCursor = 0;
int32_t StageCursor = 0;
int32_t MenuItemLocked[7] = {};
bool PracticeAvailable = false;
bool OnlyBossAvailable = false;
bool CustomAvailable = false;

bool StageSelectable(int32_t entry) {
    return entry == 0 || entry == 1 || entry == 4;
}

void ResetTitleState() {
    TitlePage = MenuCursor = DifficultyCursor = CustomColumn = HellCursor = StageCursor = 0;
    for (int32_t& l : MenuItemLocked) l = 0;
    PracticeAvailable = OnlyBossAvailable = CustomAvailable = false;
}

void EnterTitle() {
    CurrentScreen = ScreenTitle;
    TitlePage = PagePressButton;
    ResetScreenPalette(true);
    StartFadeIn();
    StopSong();  // shows in the dump's Song as 0
    MenuItemLocked[MenuArcade] = 0;
    MenuItemLocked[MenuPractice] = PracticeAvailable ? 0 : 1;
    MenuItemLocked[MenuOnlyBoss] = OnlyBossAvailable ? 0 : 1;
    MenuItemLocked[MenuBalloonCrush] = 1;
    MenuItemLocked[MenuReplay] = 1;
    MenuItemLocked[MenuRanking] = 0;
    MenuItemLocked[MenuConfiguration] = 0;
}

namespace {

// Up and down edges move a cursor within 0..last, with the "select" sound.
void StepCursor(int32_t& cursor, int32_t last) {
    if (Pressed(BtnUp) && cursor > 0) {
        --cursor;
        PlayEffect(Sfx::Select);
    }
    if (Pressed(BtnDown) && cursor < last) {
        ++cursor;
        PlayEffect(Sfx::Select);
    }
}

void LeaveTo(uint8_t screen) {
    FadeStep = -1;
    NextScreen = screen;
    PlayEffect(Sfx::Decide);
}

void UpdateMainMenu() {
    StepCursor(MenuCursor, MenuEntryCount - 1);
    if (!DecidePressed() || MenuItemLocked[MenuCursor] != 0) return;
    switch (MenuCursor) {
        case MenuArcade:
            PlayEffect(Sfx::Decide);
            GameMode = ModeArcade;
            TitlePage = PageDifficulty;
            break;
        case MenuPractice:
            PlayEffect(Sfx::Decide);
            GameMode = ModePractice;
            TitlePage = PageStageSelect;
            break;
        case MenuOnlyBoss:
            PlayEffect(Sfx::Decide);
            GameMode = ModeOnlyBoss;
            TitlePage = PageDifficulty;
            break;
        case MenuRanking:
            LeaveTo(ScreenRanking);
            break;
        case MenuConfiguration:
            LeaveTo(ScreenConfig);
            break;
        default:
            break;  // BALLOON CRUSH and REPLAY are always locked
    }
}

void UpdateDifficulty() {
    StepCursor(DifficultyCursor, CustomAvailable ? DifficultyCustom : DifficultyCustom - 1);
    if (DifficultyCursor == DifficultyCustom) {
        if (Pressed(BtnLeft)) {
            uint8_t& v = ClassSettings[CustomColumn];
            v = static_cast<uint8_t>((v + 1) % ClassValueCount);
        }
        if (Pressed(BtnRight)) CustomColumn = (CustomColumn + 1) % CustomColumns;
    }
    if (DecidePressed()) {
        TitlePage = PageHells;
        if (DifficultyCursor != DifficultyCustom)
            for (int32_t k = 0; k < ClassCount; ++k)
                ClassSettings[k] = DifficultyPresets[DifficultyCursor].Classes[k];
        PlayEffect(Sfx::Decide);
    }
}

int32_t* HellValue(int32_t line) {
    switch (line) {
        case 0:
            return &HellDensity;
        case 1:
            return &HellSpeed;
        case 2:
            return &ShootBackType;
        default:
            return nullptr;
    }
}

void UpdateHells() {
    StepCursor(HellCursor, HellLineCount - 1);
    if (int32_t* v = HellValue(HellCursor)) {
        if (Pressed(BtnLeft) && *v > 0) --*v;
        if (Pressed(BtnRight) && *v < HellValueCount - 1) ++*v;
    } else if (DecidePressed()) {
        LeaveTo(ScreenSelect);
    }
}

void UpdateStageSelect() {
    StepCursor(StageCursor, StageEntryCount - 1);
    if (DecidePressed() && StageSelectable(StageCursor)) {
        TitlePage = PageDifficulty;
        PlayEffect(Sfx::Decide);
    }
}

}  // namespace

void UpdateTitle() {
    if (FadeLevel != 32) return;
    switch (TitlePage) {
        case PagePressButton:
            if (DecidePressed()) TitlePage = PageMainMenu;
            break;
        case PageMainMenu:
            UpdateMainMenu();
            break;
        case PageDifficulty:
            UpdateDifficulty();
            break;
        case PageHells:
            UpdateHells();
            break;
        case PageStageSelect:
            UpdateStageSelect();
            break;
        default:
            break;
    }
}

std::array<std::string, 9> LastPlayValues(const TPlayStats& s, int32_t score) {
    auto fmt = [](const char* f, auto v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, f, v);
        return std::string(buf);
    };
    std::array<std::string, 9> v;
    v[0] = fmt("%8d PTS.", score);
    v[1] = fmt("%7.2f SEC.", s.PlayFrames / 60.0);
    v[2] = fmt("%7.2f SEC.", s.ScratchFrames / 60.0);
    if (s.PlayFrames > 0)
        v[3] = fmt("%6.2f%%", static_cast<double>(s.ScratchFrames) / s.PlayFrames * 100.0);
    v[4] = fmt("%7d", s.MaxScratches);
    if (s.SpawnCount > 0)
        v[5] = fmt("%6.2f%%", static_cast<double>(s.ShootDownCount) / s.SpawnCount * 100.0);
    v[6] = fmt("m%2d", s.MaxMultiplier);
    if (s.ShootDownCount > 0)
        v[7] = fmt("m%5.2f", static_cast<double>(s.MultiplierSum) / s.ShootDownCount);
    v[8] = fmt("%7d", s.CoinCount);
    return v;
}
