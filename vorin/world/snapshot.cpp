#include "world/snapshot.h"

#include <cstring>
#include <type_traits>

#include "world/bosses.h"
#include "zvrandom.h"

static_assert(std::is_trivially_copyable_v<TPlaySnapshot>, "a snapshot is copied as bytes");

namespace {
template <class T, size_t N>
void CopyTable(T (&to)[N], const T (&from)[N]) {
    std::memcpy(static_cast<void*>(to), static_cast<const void*>(from), sizeof to);
}
}  // namespace

void SavePlay(TPlaySnapshot& s) {
    CopyTable(s.Players, Players);
    CopyTable(s.Objects, Objects);
    CopyTable(s.Effects, Effects);
    CopyTable(s.PathRing, PathRing);
    s.PathHead = PathHead;

    s.StageNo = StageNo;
    s.StageClock = StageClock;
    s.ClockHold = ClockHold;
    s.StagePhase = StagePhase;
    s.HasTerrain = HasTerrain;
    s.ScrollX = ScrollX;
    s.ScrollY = ScrollY;
    s.BossSlot = BossSlot;
    s.SceneColourKind = SceneColourKind;

    s.WorldRegA = WorldRegA;
    s.WorldRegB = WorldRegB;
    s.PhaseStart = PhaseStart;
    CopyTable(s.BossWords, BossWords);
    s.LoopStart = LoopStart;
    s.LoopLength = LoopLength;
    s.ScrollSpeedX = ScrollSpeedX;
    s.ScrollSpeedY = ScrollSpeedY;

    s.Stats = Stats;
    s.ScratchCounter = ScratchCounter;
    s.TimelineNext = TimelineNext;
    s.RandSeed = RandSeed;
}

void RestorePlay(const TPlaySnapshot& s) {
    CopyTable(Players, s.Players);
    CopyTable(Objects, s.Objects);
    CopyTable(Effects, s.Effects);
    CopyTable(PathRing, s.PathRing);
    PathHead = s.PathHead;

    StageNo = s.StageNo;
    StageClock = s.StageClock;
    ClockHold = s.ClockHold;
    StagePhase = s.StagePhase;
    HasTerrain = s.HasTerrain;
    ScrollX = s.ScrollX;
    ScrollY = s.ScrollY;
    BossSlot = s.BossSlot;
    SceneColourKind = s.SceneColourKind;

    WorldRegA = s.WorldRegA;
    WorldRegB = s.WorldRegB;
    PhaseStart = s.PhaseStart;
    CopyTable(BossWords, s.BossWords);
    LoopStart = s.LoopStart;
    LoopLength = s.LoopLength;
    ScrollSpeedX = s.ScrollSpeedX;
    ScrollSpeedY = s.ScrollSpeedY;

    Stats = s.Stats;
    ScratchCounter = s.ScratchCounter;
    TimelineNext = s.TimelineNext;
    RandSeed = s.RandSeed;
}
