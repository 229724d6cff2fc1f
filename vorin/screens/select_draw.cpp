// Character select's drawing: the three ships, the sliding portrait and the weapon panels.
#include <cstdint>

#include "render/display.h"
#include "render/text.h"
#include "screens/frontend.h"
#include "screens/menutext.h"
#include "screens/select.h"
#include "shell/screens.h"
#include "world/objects.h"

namespace {

// One item of a weapon panel: a small-font text, or (text null) a copy from EnemySheet.
struct TPanelItem {
    int32_t X, Y;
    int32_t Style;     // small font style of a text
    const char* Text;  // null for a copy
    TRect Source;      // EnemySheet rectangle of a copy
};

constexpr TPanelItem T(int32_t x, int32_t y, int32_t style, const char* text) {
    return {x, y, style, text, {}};
}
constexpr TPanelItem C(int32_t x, int32_t y, int32_t l, int32_t t, int32_t r, int32_t b) {
    return {x, y, 0, nullptr, {l, t, r, b}};
}

constexpr int32_t PanelItemMax = 12;
struct TPanel {
    int32_t Count;
    TPanelItem Items[PanelItemMax];
};

// The weapon panel of each character, drawn in this order.
constexpr TPanel Panels[CharacterCount] = {
    {12,
     {T(3, 110, 1, "MAIN SHOT"), T(20, 120, 0, "aWIDE SHOT"), T(20, 140, 0, "cGROUND MISSILE"),
      T(20, 160, 0, "dLASER"), C(16, 126, 141, 288, 193, 300), C(3, 146, 128, 288, 193, 300),
      C(16, 166, 141, 288, 193, 300), C(3, 130, 128, 300, 146, 320), C(3, 150, 128, 300, 146, 320),
      T(3, 180, 1, "ANCHOR WEAPON"), T(20, 190, 0, "NO POWER-UP"), C(3, 196, 128, 288, 139, 300)}},
    {12,
     {T(3, 110, 1, "MAIN SHOT"), T(20, 120, 0, "acdUP TO LEVEL 2"), C(3, 126, 128, 288, 175, 300),
      T(3, 140, 1, "ANCHOR WEAPON"), T(20, 150, 0, "aBOMB"), T(20, 170, 0, "cDRILL MISSILE"),
      T(20, 190, 0, "dGRAVITY ANCHOR"), C(16, 156, 141, 288, 157, 300),
      C(3, 176, 128, 288, 157, 300), C(16, 196, 141, 288, 157, 300), C(3, 160, 128, 300, 146, 320),
      C(3, 180, 128, 300, 146, 320)}},
    {12,
     {T(3, 110, 1, "MAIN SHOT"), T(20, 120, 0, "NO POWER-UP"), C(3, 126, 128, 288, 139, 300),
      T(3, 140, 1, "ANCHOR WEAPON"), T(20, 150, 0, "aFLAMETHROWER"), T(20, 170, 0, "cBOUND SHOT"),
      T(20, 190, 0, "dPLASMA ANCHOR"), C(16, 156, 141, 288, 193, 300),
      C(3, 176, 128, 288, 193, 300), C(16, 196, 141, 288, 193, 300), C(3, 160, 128, 300, 193, 320),
      C(3, 180, 128, 300, 193, 320)}},
};

constexpr int32_t PortraitW = 128, PortraitH = 192;
const TRect FrameRect{128, 192, 216, 240};    // the selection frame
const TRect DecidedRect{128, 336, 256, 384};  // shown once the choice is confirmed

void DrawPanel(int32_t c) {
    const TPanel& panel = Panels[c];
    for (int32_t i = 0; i < panel.Count; ++i) {
        const TPanelItem& it = panel.Items[i];
        if (it.Text)
            DrawSmallText(it.X, it.Y, it.Style, it.Text);
        else
            Draw(Display.BackBuffer, it.X, it.Y, EnemySheet, it.Source, true);
    }
}

}  // namespace

void DrawCharacterSelect() {
    TSurface& b = Display.BackBuffer;
    DrawFrontEndBackground();
    DrawLargeText(80, 0, 4, "CHARACTER SELECT");
    for (int32_t i = 0; i < CharacterCount; ++i) {
        Draw(b, 128, 64 + 48 * i, PlayerSheet, TRect{0, 40 * i, 40, 40 * i + 40}, true);
        Draw(b, 160, 68 + 48 * i, PlayerSheet, TRect{0, 120 + 64 * i, 32, 152 + 64 * i}, true);
    }
    int32_t c = Players[0].Character;
    if (c < 0 || c >= CharacterCount) c = 0;
    const int32_t px = (c % 2) * PortraitW, py = (c / 2) * PortraitH;
    Draw(b, PortraitX(SelectSlide), 24, EnemySheet, TRect{px, py, px + PortraitW, py + PortraitH},
         false);
    Draw(b, 120, 60 + 48 * c, EnemySheet, FrameRect, true);
    if (SelectDecided) Draw(b, 0, 96, EnemySheet, DecidedRect, true);
    DrawLargeText(0, 220, 2, MenuText[MenuIdx::Character + c]);
    if (SelectSlide == 0) DrawPanel(c);
}
