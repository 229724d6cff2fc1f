#pragma once
// The sheets of each screen and the game palette built from their colour ranges.
#include <array>
#include <cstdint>

constexpr int32_t BulletCellCount = 96;
using TBulletCell = std::array<uint8_t, 16 * 16>;

extern std::array<TBulletCell, BulletCellCount> BulletCells;  // 16x16 cells of bullet.bmp, +48
extern bool BulletCellsBuilt;                                 // BulletCells are built once per run
extern int32_t EnemyFlashOffset;       // row where EnemySheet's hit-flash copy begins
extern int32_t StageEnemyFlashOffset;  // the same for StageEnemySheet

constexpr uint8_t BulletTransparent = 80;  // bullet.bmp index 32 after the offset

struct TSurface;
// Turns the lower half of a double-height sheet into the grey-white flash copy of the upper
// half; returns the half height.
int32_t BuildHitFlashHalf(TSurface& sheet);

// The chain bosses' colours: six entries over the stage enemy sheet's glow (game palette
// 194..199), by boss kind; the restore handler writes them after the stage pictures while
// SceneColourKind (world/bosses.h) names a chain boss.
constexpr int32_t SceneColourFirst = 194;
constexpr int32_t SceneColourCount = 6;
// Writes the colours of SceneColourKind into GamePalette (nothing for other kinds).
void ApplySceneColours();
// ApplySceneColours, then the display's colour tables take the new palette.
void ReloadSceneColours();

// The window's icon: the player's ship, the first frame of player.bmp cut to its bounding box
// (the picture the desktop icons are drawn from). Nothing without a window.
void SetShipWindowIcon();
