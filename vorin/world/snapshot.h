#pragma once
// A snapshot of a play: every variable the frame update reads and writes, copied out and
// back in whole. Saving and restoring are plain copies of fixed-size blocks (no allocation),
// cheap enough to run thousands of times a second (a look-ahead tries a move, then goes back).
//
// Left out because a play never writes them: the enemy kind table, the stage map (loaded
// once per stage, so a snapshot is restored only within the stage it was taken in), the
// trigonometric tables, the play settings and the configuration. Left out because the world
// never reads them back: the sounds and song started, the message line, the palette (the
// layer above rebuilds it from SceneColourKind when a restore changes that) and the
// high-score table. The buttons are not play state: each update's command brings them, the
// previous update's included.
#include <cstdint>

#include "world/objects.h"
#include "world/state.h"

struct TPlaySnapshot {
    // The entity tables.
    TPlayer Players[PlayerCount];
    TWorldObject Objects[ObjectCount];
    TEffect Effects[EffectCount];
    TPathPoint PathRing[PathRingSize];
    int32_t PathHead;

    // Stage and scroll.
    int32_t StageNo;
    int32_t StageClock;
    uint8_t ClockHold;
    uint8_t StagePhase;
    uint8_t HasTerrain;
    int32_t ScrollX, ScrollY;
    int32_t BossSlot;
    int32_t SceneColourKind;

    // The register block.
    int32_t WorldRegA, WorldRegB;
    int32_t PhaseStart;
    int32_t BossWords[4];
    int32_t LoopStart, LoopLength;
    int32_t ScrollSpeedX, ScrollSpeedY;

    // Statistics and the timeline position.
    TPlayStats Stats;
    int32_t ScratchCounter;
    int32_t TimelineNext;

    // The random generator.
    uint32_t RandSeed;
};

// The play as it stands into s.
void SavePlay(TPlaySnapshot& s);
// The play back to what s holds.
void RestorePlay(const TPlaySnapshot& s);
