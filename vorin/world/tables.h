#pragma once
// Read-only tables of the world: ship shot kinds, weapon upgrades, anchor trail directions,
// the scroll spread and the stages.
#include <cstdint>

#include "krdxlib/geometry.h"
#include "world/kinds.h"

struct TShotType {
    int32_t Damage;
    uint8_t Pierces;       // 1: the shot survives a hit
    uint8_t IgnoresWalls;  // 1: not removed in a solid map tile
    TBox HitBox;
};

constexpr int32_t ShotTypeCount = KindLastShot - KindFirstShot + 1;
// The record of a shot kind; an all-zero record for any other kind.
const TShotType& ShotType(int32_t kind);

constexpr int32_t UpgradeRows = 29;
constexpr int32_t UpgradeLostLife = 3;  // column for a lost life; 0..2 are item colours
// New weapon level by current level and item colour (or a lost life).
extern const uint8_t UpgradeTable[UpgradeRows][4];

// Anchor trail angle by up*8 + down*4 + left*2 + right.
extern const int32_t MoveDirTable[16];

// Extra pixel per frame phase (column) for a speed's quarter pixels (row).
extern const int32_t ScrollSpreadTable[4][4];

struct TStageInfo {
    uint8_t HasTerrain;    // the stage has a solid tile map
    int32_t BossPosition;  // StageClock value at which the boss fight begins
};
constexpr int32_t StageCount = 7;
// Stages 1..7 at index 1..7 (index 0 unused).
extern const TStageInfo StageTable[StageCount + 1];
// StageTable entry of a stage number; an all-zero entry outside 1..7.
const TStageInfo& StageInfo(int32_t stage);
