// The ranking: the five best scores with the pictures of their characters.
#include <cstdio>

#include "render/display.h"
#include "render/text.h"
#include "screens/frontend.h"
#include "screens/menutext.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "zvcommon/scores.h"

void EnterRanking() {
    CurrentScreen = ScreenRanking;
    ResetScreenPalette(true);
    StartFadeIn();
}

// Any button leaves, also during the fade-in.
void UpdateRanking() {
    if (DecidePressed()) {
        FadeStep = -1;
        NextScreen = ScreenTitle;
    }
}

void DrawRanking() {
    DrawFrontEndBackground();
    DrawLargeText(90, 2, 4, "BEST ZELVORIN");
    DrawLargeText(110, 22, 0, "- ARCADE -");
    DrawLargeText(70, 52, 4, "RANK    SCORE");
    for (int32_t i = 0; i < ScoreEntries; ++i) {
        const TScoreEntry& e = ScoreTable[i];
        char line[48];
        std::snprintf(line, sizeof line, "%s %8d", MenuText[MenuIdx::RankName + i], e.Score);
        DrawLargeText(70, 82 + 30 * i, 0, line);
        // A character from a hand-edited file beyond the sheet shows no picture.
        const int64_t top = 40LL * e.Character;
        if (top >= 0 && top < Height(PlayerSheet)) {
            const int32_t t = static_cast<int32_t>(top);
            Draw(Display.BackBuffer, 200, 70 + 30 * i, PlayerSheet, TRect{0, t, 40, t + 40}, true);
        }
    }
}
