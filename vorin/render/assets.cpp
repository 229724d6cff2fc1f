#include "render/assets.h"

#include <algorithm>
#include <string>

#include "base/paths.h"
#include "krdxlib/bitmap.h"
#include "krdxlib/bmpfile.h"
#include "platform/platform.h"
#include "render/display.h"
#include "shell/shell.h"
#include "world/bosses.h"
#include "world/objects.h"
#include "world/state.h"

std::array<TBulletCell, BulletCellCount> BulletCells{};
bool BulletCellsBuilt = false;
int32_t EnemyFlashOffset = 0;
int32_t StageEnemyFlashOffset = 0;

namespace {

constexpr uint8_t FlashBase = 184;  // the grey-to-white ramp

// The glow of each chain boss, dark to light (blue, green, red as the palette holds them):
// 194 burns cyan, 195 red.
constexpr TRGBQuad SceneColours[2][SceneColourCount] = {
    // clang-format off
    {{60, 40, 0, 0}, {140, 110, 0, 0}, {210, 170, 20, 0}, {255, 220, 90, 0},
     {255, 245, 180, 0}, {255, 255, 255, 0}},
    {{0, 0, 90, 0}, {10, 20, 170, 0}, {30, 50, 235, 0}, {90, 120, 255, 0},
     {180, 200, 255, 0}, {255, 255, 255, 0}},
    // clang-format on
};

TBitmap Load(const char* name) {
    const std::string path = DataPath(name);
    try {
        return LoadBitmapFile(path);
    } catch (const EBitmapError& e) {
        throw EInOutError(e.what());
    }
}

// Loads a bitmap: its colours first..last into the game palette at `offset`, its pixels into
// the surface shifted by `offset`.
void LoadSheet(const std::string& name, TSurface& sheet, int32_t first, int32_t last,
               int32_t offset, bool rowMirror) {
    const TBitmap bmp = Load(name.c_str());
    if (static_cast<int32_t>(bmp.Colors.size()) <= last)
        throw EInOutError(DataPath(name) + ": colour table has " +
                          std::to_string(bmp.Colors.size()) + " entries, " +
                          std::to_string(last + 1) + " needed");
    CopyBitmapPalette(bmp, first, last, offset, GamePalette);
    if (rowMirror)
        BitmapToSurfaceRowMirror(bmp, sheet, offset);
    else
        BitmapToSurface(bmp, sheet, offset);
}

void BuildBulletCells() {
    for (int32_t i = 0; i < BulletCellCount; ++i) {
        const int32_t x0 = (i % 16) * 16, y0 = (i / 16) * 16;
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 16; ++x)
                BulletCells[i][y * 16 + x] = PixelAt(BulletSheet, x0 + x, y0 + y);
    }
    BulletCellsBuilt = true;
}

void LoadFrontEndSheets() {
    LoadSheet("zvlogo.bmp", BackSheet, 0, 15, 96, false);
    SetColorKey(BackSheet, PixelAt(BackSheet, 0, 0));
    LoadSheet("select.bmp", EnemySheet, 0, 63, 144, false);
    SetColorKey(EnemySheet, PixelAt(EnemySheet, 128, 192));
    LoadSheet("cloth.bmp", StageEnemySheet, 0, 31, 208, false);  // key stays index 0
}

void LoadPlaySheets() {
    const std::string n = std::to_string(StageNo);
    LoadSheet("back" + n + ".bmp", BackSheet, 0, 63, 80, false);
    const int32_t keyY = StageNo == 2 ? 150 : StageNo == 5 ? 60 : 0;
    SetColorKey(BackSheet, PixelAt(BackSheet, 0, keyY));

    LoadSheet("enemy.bmp", EnemySheet, 0, 31, 144, true);
    SetColorKey(EnemySheet, PixelAt(EnemySheet, 0, 0));
    EnemyFlashOffset = BuildHitFlashHalf(EnemySheet);

    LoadSheet("enemy" + n + ".bmp", StageEnemySheet, 0, 63, 192, true);
    SetColorKey(StageEnemySheet, PixelAt(StageEnemySheet, 0, 0));
    StageEnemyFlashOffset = BuildHitFlashHalf(StageEnemySheet);

    // Red and grey ramps for explosions and hit flashes.
    for (int32_t i = 0; i < 8; ++i) {
        const uint8_t v = static_cast<uint8_t>(255 - 8 * i);
        GamePalette[183 - i] = {0, 0, v, 0};
        GamePalette[191 - i] = {v, v, v, 0};
    }
    ApplySceneColours();
}

}  // namespace

int32_t BuildHitFlashHalf(TSurface& sheet) {
    const int32_t half = Height(sheet) / 2;
    const uint8_t key = PixelAt(sheet, 0, 0);
    TSurfaceDesc d;
    if (!Lock(sheet, nullptr, &d)) return half;
    for (int32_t y = 0; y < half; ++y) {
        const uint8_t* in = d.Pixels + static_cast<size_t>(y) * d.Pitch;
        uint8_t* out = d.Pixels + static_cast<size_t>(y + half) * d.Pitch;
        for (int32_t x = 0; x < d.Width; ++x) {
            const uint8_t v = in[x];
            out[x] = v == key ? v : static_cast<uint8_t>(FlashBase + v % 8);
        }
    }
    Unlock(sheet);
    return half;
}

void DXDraw1RestoreSurface() {
    LoadSheet("player.bmp", PlayerSheet, 0, 47, 0, false);
    SetColorKey(PlayerSheet, PixelAt(PlayerSheet, 0, 0));
    LoadSheet("bullet.bmp", BulletSheet, 0, 31, 48, false);
    SetColorKey(BulletSheet, PixelAt(BulletSheet, 0, 0));
    {
        // The font has no colours of its own: its pixels fall in the bullet colours.
        const TBitmap font = Load("font.bmp");
        BitmapToSurface(font, FontSheet, 48);
        SetColorKey(FontSheet, PixelAt(FontSheet, 0, 0));
    }
    if (!BulletCellsBuilt) BuildBulletCells();

    switch (CurrentScreen) {
        case ScreenTitle:
        case ScreenSelect:
        // Configuration and ranking draw from the front-end sheets too, so a display
        // rebuild on them keeps their pictures.
        case ScreenConfig:
        case ScreenRanking:
            LoadFrontEndSheets();
            break;
        case ScreenGame:
            LoadPlaySheets();
            break;
        default:
            break;
    }
    Display.CurrentColors = GamePalette;
}

void ApplySceneColours() {
    if (SceneColourKind != BossKind::ChainFighter && SceneColourKind != BossKind::RedChains) return;
    const TRGBQuad* c = SceneColours[SceneColourKind - BossKind::ChainFighter];
    for (int32_t i = 0; i < SceneColourCount; ++i) GamePalette[SceneColourFirst + i] = c[i];
}

void ReloadSceneColours() {
    ApplySceneColours();
    Display.DefaultColors = GamePalette;
    // During a fade the fade's next step blends toward the new palette by itself.
    if (FadeStep == 0) Display.CurrentColors = GamePalette;
    PaletteDirty = true;
}

void SetShipWindowIcon() {
    if (!plat::HasDisplay()) return;
    constexpr int32_t Cell = 40;  // the first character's first frame: (0, 0)-(40, 40)
    const TBitmap bmp = Load("player.bmp");
    if (bmp.Width < Cell || bmp.Height < Cell) return;
    const uint8_t key = bmp.At(0, 0);  // the sheet's colour key, as the game draws it
    int32_t l = Cell, t = Cell, r = -1, b = -1;
    for (int32_t y = 0; y < Cell; ++y)
        for (int32_t x = 0; x < Cell; ++x)
            if (bmp.At(x, y) != key)
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
    if (r < 0) return;
    plat::SetWindowIcon(&bmp.Indices[static_cast<size_t>(t) * bmp.Width + l], r - l + 1, b - t + 1,
                        bmp.Width, reinterpret_cast<const uint8_t*>(bmp.Colors.data()),
                        static_cast<int>(bmp.Colors.size()), key);
}
