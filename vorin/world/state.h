#pragma once
// The stage, scroll, register and statistics variables of a play, the map block and the
// enemy kind table, and the play settings chosen in the menus.
#include <cstdint>

#include "zvcommon/enemytypes.h"
#include "zvcommon/stagemap.h"

// Stage phases.
constexpr uint8_t PhaseStage = 0;
constexpr uint8_t PhaseBossApproach = 1;
constexpr uint8_t PhaseBossFight = 2;
constexpr uint8_t PhaseCleared = 3;

// ClockHold values.
constexpr uint8_t ClockRuns = 0;
constexpr uint8_t ClockHeld = 1;
constexpr uint8_t ClockReleaseAtWrap = 2;

// Game modes.
constexpr uint8_t ModeArcade = 0;
constexpr uint8_t ModePractice = 1;
constexpr uint8_t ModeOnlyBoss = 2;
constexpr uint8_t ModeBalloonCrush = 3;

extern int32_t StageNo;     // stage being played, 1..7
extern int32_t StageClock;  // frames since the stage started (since the boss fell in phase 3)
extern uint8_t ClockHold;   // ClockRuns, ClockHeld, ClockReleaseAtWrap
extern uint8_t StagePhase;  // PhaseStage .. PhaseCleared
extern int32_t ScrollX;     // background scroll, pixels
extern int32_t ScrollY;     // kept in 0..512 on terrain stages
extern uint8_t HasTerrain;  // the stage has a solid tile map
extern int32_t BossSlot;    // object slot of the current boss

// The register block, reset together at every stage start (PathHead is in world/objects.h).
extern int32_t WorldRegA;     // boss phase / first chain slot; death action 5
extern int32_t WorldRegB;     // first body slot / second chain slot; death action 6
extern int32_t PhaseStart;    // age of the trailing boss when its phase began
extern int32_t BossWords[4];  // the register block's remaining boss words
extern int32_t LoopStart;     // ScrollX the loop jumps back to
extern int32_t LoopLength;    // NoLoop: no loop
extern int32_t ScrollSpeedX;  // 1/16 pixel per frame, counted in quarter pixels
extern int32_t ScrollSpeedY;

// Statistics of the stage being played or last played.
struct TPlayStats {
    int32_t PlayFrames = 0;
    int32_t ScratchFrames = 0;
    int32_t MaxScratches = 0;
    int32_t MaxMultiplier = 0;  // 1 after a stage start
    int32_t MultiplierSum = 0;
    int32_t SpawnCount = 0;
    int32_t ShootDownCount = 0;
    int32_t CoinCount = 0;
};
extern TPlayStats Stats;
extern int32_t ScratchCounter;  // scratches in the current frame update

extern TStageMap StageMap;    // terrain, tile attributes and Timeline of the stage
extern int32_t TimelineNext;  // index of the next timeline record to fire

extern TEnemyType EnemyTypes[EnemyTypeCount];  // from einit.dat, read once at start-up
// The record of a kind; an all-zero record for kinds outside 0..255.
const TEnemyType& TypeOf(int32_t kind);

// Play settings chosen in the menus.
extern uint8_t GameMode;          // ModeArcade, ModePractice, ModeOnlyBoss
extern uint8_t ClassSettings[4];  // per bullet class: 0 X (not fired), 1 N, 2 P (unabsorbable)
extern int32_t HellDensity;       // 0 X1, 1 X2, 2 X3-A, 3 X3-B
extern int32_t HellSpeed;         // 0 X1, 1 X0.5, 2 X1.5, 3 X2
extern int32_t ShootBackType;     // 0 OFF, 1 TYPE-M, 2 TYPE-S, 3 TYPE-I
extern bool TestInvulnerable;     // --invulnerable: the ship's invulnerability never runs out

// The background test at a screen point: solid map there (always false without terrain).
bool BackgroundSolid(int32_t x, int32_t y);

// Every table and variable of the world back to its program-start value, EnemyTypes and
// the play settings included (tests).
void ResetWorld();
