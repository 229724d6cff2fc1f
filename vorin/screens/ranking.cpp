// The ranking: the five best scores with the pictures of their characters.
#include "screens/ranking.h"

#include <cstdio>

#include "render/display.h"
#include "render/text.h"
#include "screens/frontend.h"
#include "screens/menutext.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "zvcommon/scores.h"

int32_t RankingPictureTop(int32_t character, int32_t sheetHeight) {
    const int64_t top = int64_t{RankingPictureSize} * character;
    return top >= 0 && top < sheetHeight ? static_cast<int32_t>(top) : -1;
}

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
        const int32_t y = RankingFirstLineY + RankingLineStep * i;
        DrawLargeText(70, y, 0, line);
        // A character from a hand-edited file beyond the sheet shows no picture.
        const int32_t t = RankingPictureTop(e.Character, Height(PlayerSheet));
        if (t >= 0)
            Draw(Display.BackBuffer, RankingPictureX, y - RankingPictureRise, PlayerSheet,
                 TRect{0, t, RankingPictureSize, t + RankingPictureSize}, true);
    }
}
