#include "world/state.h"

#include <cstring>

#include "world/bosses.h"
#include "world/objects.h"
#include "world/step.h"

int32_t StageNo = 1;
int32_t StageClock = 0;
uint8_t ClockHold = ClockRuns;
uint8_t StagePhase = PhaseStage;
int32_t ScrollX = 0;
int32_t ScrollY = 0;
uint8_t HasTerrain = 0;
int32_t BossSlot = 0;

int32_t WorldRegA = 0;
int32_t WorldRegB = 0;
int32_t PhaseStart = 0;
int32_t BossWords[4] = {};
int32_t LoopStart = 0;
int32_t LoopLength = 0;
int32_t ScrollSpeedX = 0;
int32_t ScrollSpeedY = 0;

TPlayStats Stats;
int32_t ScratchCounter = 0;

TStageMap StageMap;
int32_t TimelineNext = 0;

TEnemyType EnemyTypes[EnemyTypeCount];

uint8_t GameMode = ModeArcade;
bool TestInvulnerable = false;
uint8_t ClassSettings[4] = {1, 1, 1, 1};
int32_t HellDensity = 0;
int32_t HellSpeed = 0;
int32_t ShootBackType = 0;

const TEnemyType& TypeOf(int32_t kind) {
    static const TEnemyType none{};
    if (kind < 0 || kind >= EnemyTypeCount) return none;
    return EnemyTypes[kind];
}

bool BackgroundSolid(int32_t x, int32_t y) {
    if (HasTerrain == 0) return false;
    return MapSolidAt(StageMap, static_cast<int32_t>(static_cast<uint32_t>(x) + ScrollX),
                      static_cast<int32_t>(static_cast<uint32_t>(y) + ScrollY));
}

void ResetWorld() {
    for (TPlayer& p : Players) p = TPlayer{};
    for (TWorldObject& o : Objects) o = TWorldObject{};
    for (TEffect& e : Effects) e = TEffect{};
    for (TPathPoint& p : PathRing) p = TPathPoint{};
    PathHead = 0;
    StageNo = 1;
    StageClock = 0;
    ClockHold = ClockRuns;
    StagePhase = PhaseStage;
    ScrollX = ScrollY = 0;
    HasTerrain = 0;
    BossSlot = 0;
    WorldRegA = WorldRegB = PhaseStart = 0;
    for (int32_t& w : BossWords) w = 0;
    SceneColourKind = 0;
    LoopStart = LoopLength = ScrollSpeedX = ScrollSpeedY = 0;
    Stats = TPlayStats{};
    ScratchCounter = 0;
    std::memset(static_cast<void*>(&StageMap), 0, sizeof StageMap);
    TimelineNext = 0;
    std::memset(static_cast<void*>(EnemyTypes), 0, sizeof EnemyTypes);
    GameMode = ModeArcade;
    for (uint8_t& c : ClassSettings) c = 1;
    TestInvulnerable = false;
    HellDensity = HellSpeed = ShootBackType = 0;
    PlayCommand = TPlayCommand{};
    ClearPlayReport();
}
