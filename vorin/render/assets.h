#pragma once
// The sheets of each screen and the game palette built from their colour ranges.
#include <array>
#include <cstdint>

constexpr int32_t BulletCellCount = 96;
using TBulletCell = std::array<uint8_t, 16 * 16>;

extern std::array<TBulletCell, BulletCellCount> BulletCells;  // 16x16 cells of bullet.bmp, +48
extern bool BulletCellsBuilt;        // BulletCells are built once per run
extern int32_t EnemyFlashOffset;     // row where EnemySheet's hit-flash copy begins
extern int32_t StageEnemyFlashOffset;  // the same for StageEnemySheet

constexpr uint8_t BulletTransparent = 80;  // bullet.bmp index 32 after the offset

struct TSurface;
// Turns the lower half of a double-height sheet into the grey-white flash copy of the upper
// half; returns the half height.
int32_t BuildHitFlashHalf(TSurface& sheet);
