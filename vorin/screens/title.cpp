// The title screen, for now a test card: every font style, the small fonts and the
// colour ranges of the loaded sheets, so a glance shows that text and palette are right.
#include "render/display.h"
#include "render/text.h"
#include "shell/screens.h"
#include "shell/shell.h"

void EnterTitle() {
    CurrentScreen = ScreenTitle;
    ResetScreenPalette(true);
    FadeStep = 1;
    FadeLevel = 0;
    FadeInDone = false;
}

void UpdateTitle() {}

namespace {
// The darkest colour of the palette, for the card's background.
uint8_t DarkestEntry() {
    int best = 0, bestSum = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const TRGBQuad& c = GamePalette[i];
        const int sum = c.Red + c.Green + c.Blue;
        if (sum < bestSum) {
            best = i;
            bestSum = sum;
        }
    }
    return static_cast<uint8_t>(best);
}
}  // namespace

void DrawTitle() {
    TSurface& b = Display.BackBuffer;
    Fill(b, DarkestEntry());
    DrawLargeText(120, 4, 4, "ZELVORIN");
    static const char* const kLines[5] = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789 !?.,:-+/()",
                                          "STYLE 2 SELECTED", "STYLE 3 abcdefgmno",
                                          "STYLE 4 HEADING"};
    for (int32_t s = 0; s < 5; ++s) DrawLargeText(8, 24 + s * 18, s, kLines[s]);
    DrawSmallText(8, 120, 0, "SMALL 0: THE QUICK BROWN FOX 0123456789 acdfgh");
    DrawSmallText(8, 130, 1, "SMALL 1: JUMPS OVER THE LAZY DOG !?.:-/ e");
    // One bar per palette entry, 16 rows of 16, so every loaded range shows.
    for (int32_t i = 0; i < 256; ++i)
        FillRect(b, Bounds(8 + (i % 32) * 9, 144 + (i / 32) * 8, 8, 7), static_cast<uint8_t>(i));
    DrawSmallText(8, 212, 0, "TEST CARD");
}
