// Character select: entry, update and the hand-over to the play.
#include "screens/select.h"

#include <cmath>

#include "audio/effects.h"
#include "audio/music.h"
#include "screens/menutext.h"
#include "screens/title.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/play.h"
#include "world/state.h"

int32_t SelectSlide = 0;
bool SelectDecided = false;
int32_t SelectCountdown = 0;

const int32_t PanelTable[CharacterCount][PanelValueCount] = {
    {0, 1, 10, 3, 4, 13},
    {0, 8, 2, 12, 7, 5},
    {0, 6, 11, 3, 9, 14},
};

int32_t PortraitX(int32_t slide) {
    return -static_cast<int32_t>(std::nearbyint(static_cast<double>(slide) * slide / 2.0));
}

void ResetSelectState() {
    SelectSlide = 0;
    SelectDecided = false;
    SelectCountdown = 0;
}

namespace {

void SetCharacter(TPlayer& p, int32_t character) {
    p.Character = character;
    for (int32_t k = 0; k < PanelValueCount; ++k) p.PanelValues[k] = PanelTable[character][k];
}

}  // namespace

void EnterCharacterSelect() {
    CurrentScreen = ScreenSelect;
    PlaySong(Song::Select);
    ResetScreenPalette(true);
    StartFadeIn();
    for (int32_t p = 0; p < PlayerCount; ++p) SetCharacter(Players[p], p);
    ResetSelectState();
}

void UpdateCharacterSelect() {
    TPlayer& ship = Players[0];
    if (!SelectDecided) {
        if (Pressed(BtnUp) && ship.Character > 0) {
            PlayEffect(Sfx::Select);
            SetCharacter(ship, ship.Character - 1);
            SelectSlide = SlideUpdates;
        }
        if (Pressed(BtnDown) && ship.Character < CharacterCount - 1) {
            PlayEffect(Sfx::Select);
            SetCharacter(ship, ship.Character + 1);
            SelectSlide = SlideUpdates;
        }
        if (DecidePressed()) {
            PlayEffect(Sfx::Decide);
            SelectDecided = true;
        }
    }
    if (SelectSlide > 0) --SelectSlide;
    if (SelectDecided) ++SelectCountdown;
    if (SelectCountdown == DecidedUpdates) {
        SetUpPlay(GameMode, StageCursor + 1);
        FadeStep = -1;
        NextScreen = ScreenGame;
    }
}
