// The frame update of a game run and the steps it shares with the stage start.
#include "base/sounds.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/play.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/step.h"
#include "world/tables.h"
#include "zvrandom.h"

namespace {
// Random arrivals on stages below 5: all at the right edge, y = 20 + random(200).
constexpr int32_t ArrivalX = 319;
constexpr int32_t ArrivalTopY = 20;
constexpr int32_t ArrivalSpanY = 200;
constexpr int32_t ArrivalChance = 32;  // 1 in 32 per frame: kinds 80..83
constexpr int32_t ArrivalFighterKinds = 4;
constexpr int32_t ArrivalBigKind = EnemyKind::RotorGunship;  // when StageClock mod 1800 = 600
constexpr int32_t ArrivalBigPeriod = 1800;
constexpr int32_t ArrivalBigAt = 600;
constexpr int32_t NoArrivalStage = 5;

constexpr int32_t ApproachLead = 600;  // phase 1 begins this many frames before the boss
constexpr int32_t BossSongLead = 100;  // the boss song starts this many frames before
constexpr int32_t LeaveAt = 780;       // phase 3: the ship starts leaving
constexpr int32_t FinishAfter = 900;   // phase 3: the stage fades out
constexpr int32_t ScrollWrapY = 512;

void RandomArrivals() {
    if (random(ArrivalChance) == 0) {
        const int32_t y = ArrivalTopY + random(ArrivalSpanY);
        SpawnObject(ArrivalX, y, KindFirstEnemy + random(ArrivalFighterKinds), 0);
    }
    if (random(256 - 64 * StageNo) == 0) {
        SpawnObject(ArrivalX, ArrivalTopY + random(ArrivalSpanY), EnemyKind::HoppingGunship, 0);
    }
    if (StageClock % ArrivalBigPeriod == ArrivalBigAt) {
        SpawnObject(ArrivalX, ArrivalTopY + random(ArrivalSpanY), ArrivalBigKind, 0);
    }
}
}  // namespace

int32_t ScrollStepFor(int32_t speed, int32_t clock) {
    const int32_t whole = speed / 16;
    const int32_t q = (speed / 4) % 4;
    const int32_t phase = clock & 3;
    if (speed >= 0) return whole + ScrollSpreadTable[q][phase];
    return whole - ScrollSpreadTable[-q][phase];
}

void TimelineStep(bool fastForward) {
    // Without a sentinel (all 1024 records used) the step stops after the last record.
    while (TimelineNext < TimelineCapacity &&
           StageMap.Timeline[TimelineNext].Position <= StageClock) {
        const TTimelineEvent& ev = StageMap.Timeline[TimelineNext];
        switch (ev.Code) {
            case CodeTerrain:
                HasTerrain = ev.A != 0;
                break;
            case CodeScroll:
                ScrollX = ev.A;
                ScrollY = ev.B;
                break;
            case CodeScrollSpeed:
                ScrollSpeedX = ev.A;
                ScrollSpeedY = ev.B;
                break;
            case CodeLoop:
                LoopStart = ev.A;
                LoopLength = ev.B;
                break;
            default:
                if (!fastForward) SpawnObject(ev.A, ev.B, ev.Code, ev.Param);
                break;
        }
        TimelineNext += 1;
    }
}

void ScrollStep() {
    const int32_t stepX = ScrollStepFor(ScrollSpeedX, StageClock);
    const int32_t stepY = ScrollStepFor(ScrollSpeedY, StageClock);
    ScrollX += stepX;
    ScrollY += stepY;
    if (HasTerrain) {
        // Compared in 64 bits: a loop of NoLoop length never wraps.
        if (static_cast<int64_t>(ScrollX) >= static_cast<int64_t>(LoopStart) + LoopLength) {
            ScrollX = LoopStart;
            if (ClockHold == ClockReleaseAtWrap) ClockHold = ClockRuns;
        }
        if (ScrollY > ScrollWrapY) {
            ScrollY -= ScrollWrapY;
        } else if (ScrollY < 0) {
            ScrollY += ScrollWrapY;
        }
    }
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind <= 0) continue;
        const TEnemyType& t = TypeOf(o.Kind);
        if (!t.ScrollsWithMap) continue;
        if (t.FinePosition) {
            o.FineX -= 16 * stepX;
            o.FineY -= 16 * stepY;
        } else {
            o.X -= stepX;
            o.Y -= stepY;
        }
    }
}

void StagePhaseStep() {
    const int32_t bossPosition = StageInfo(StageNo).BossPosition;
    switch (StagePhase) {
        case PhaseStage:
            if (StageNo < NoArrivalStage) RandomArrivals();
            TimelineStep(false);
            if (bossPosition == StageClock + ApproachLead) StagePhase = PhaseBossApproach;
            break;
        case PhaseBossApproach:
            TimelineStep(false);
            if (bossPosition == StageClock + BossSongLead) CueSong(Song::Boss);
            if (bossPosition == StageClock) StagePhase = PhaseBossFight;
            break;
        case PhaseBossFight:
            break;  // the boss ends this phase when it dies
        case PhaseCleared:
            // A ship in game over stays down: its fade to the title is already running.
            if (StageClock == LeaveAt && Players[0].ShipState != ShipGameOver) {
                TPlayer& p = Players[0];
                p.OriginX = p.X;
                p.OriginY = p.Y;
                p.ShipState = ShipLeaving;
                p.StateFrames = 0;
            }
            if (StageClock > FinishAfter) CueStageOver();
            break;
        default:
            break;
    }
}

const TPlayReport& StepPlay(const TPlayCommand& command) {
    const TEffectSpawns effectSpawns;
    PlayCommand = command;
    ClearPlayReport();
    if (ClockHold == ClockRuns) StageClock += 1;
    Stats.PlayFrames += 1;
    ScratchCounter = 0;

    ContactPass();
    if (ScratchCounter > 0) {
        Stats.ScratchFrames += 1;
        if (ScratchCounter > Stats.MaxScratches) Stats.MaxScratches = ScratchCounter;
    }
    ShipUpdate(0);
    if (Players[0].ShipState == ShipGameOver) CueGameOver(Players[0].Score);
    ShipShotPass();
    UpdateEffects();
    ItemPass();
    BehaviourPass();
    BulletPass();
    StagePhaseStep();
    ScrollStep();
    return PlayReport;
}
