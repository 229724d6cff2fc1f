#include "world/play.h"

#include <string>

#include "base/paths.h"
#include "base/sounds.h"
#include "world/bosses.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/state.h"
#include "world/step.h"
#include "world/tables.h"
#include "zvcommon/config.h"

namespace {
// Weapon levels a play starts with, by character: main shot, anchor weapon.
struct TStartLevels {
    uint8_t Main, Anchor;
};
constexpr TStartLevels StartLevels[3] = {{4, 28}, {0, 14}, {3, 18}};
constexpr int32_t StartLives = 2;
constexpr int32_t StartGaugeMax = 50;
constexpr int32_t OnlyBossLead = 180;  // ONLY BOSS starts this many frames before the boss
constexpr int32_t StartScrollSpeed = 8;

std::string StageFileName(int32_t stage) {
    return "Stage" + std::to_string(stage) + ".map";
}

// The song each stage starts with; 0 leaves the music as it is.
int32_t StageSong(int32_t stage) {
    switch (stage) {
        case 1:
            return Song::Stage1;
        case 2:
            return Song::Stage2;
        case 5:
            return Song::Stage5;
        default:
            return 0;
    }
}
}  // namespace

void SetUpPlay(uint8_t mode, int32_t chosenStage) {
    TestInvulnerable = false;  // a play from the menus is never a test play
    StageNo = (mode == ModePractice) ? chosenStage : 1;
    for (TPlayer& p : Players) {
        p.MoveSpeeds[0] = Settings.SpeedOff;
        p.MoveSpeeds[1] = Settings.SpeedManual;
        p.MoveSpeeds[2] = Settings.SpeedAuto;
        p.MoveSpeeds[3] = Settings.SpeedCharge;
        p.HeadingTurnSpeed = Settings.AnchorJiten;
        p.OrbitTurnSpeed = Settings.AnchorKouten;
        p.Score = 0;
        p.Lives = StartLives;
        p.Gauge = 0;
        p.GaugeMax = StartGaugeMax;
        const TStartLevels& l =
            StartLevels[(p.Character >= 0 && p.Character < 3) ? p.Character : 0];
        p.MainShotLevel = l.Main;
        p.AnchorWeaponLevel = l.Anchor;
    }
}

const TPlayReport& BeginStage() {
    ClearPlayReport();
    StagePhase = PhaseStage;
    ScrollX = 0;
    ScrollY = 0;
    ScrollSpeedX = StartScrollSpeed;
    ScrollSpeedY = 0;
    LoopStart = 0;
    LoopLength = NoLoop;
    ClockHold = ClockRuns;
    WorldRegA = WorldRegB = PathHead = PhaseStart = 0;
    for (int32_t& w : BossWords) w = 0;
    SceneColourKind = 0;

    LoadStageMapFile(DataPath(StageFileName(StageNo)), StageMap);
    const TStageInfo& info = StageInfo(StageNo);
    if (!info.HasTerrain) {
        for (uint8_t& b : StageMap.TileMap) b = 0;
    }
    if (GameMode == ModeOnlyBoss) {
        StagePhase = PhaseBossApproach;
        PrepareStage(info.BossPosition - OnlyBossLead);
    } else {
        PrepareStage(0);
    }
    return PlayReport;
}

void PrepareStage(int32_t startPosition) {
    for (TEffect& e : Effects) e.Kind = 0;
    for (int32_t s = 0; s <= LastWorldSlot; ++s) Objects[s].Kind = KindFree;

    Stats = TPlayStats{};
    Stats.MaxMultiplier = 1;
    TimelineNext = 0;
    HasTerrain = StageInfo(StageNo).HasTerrain;

    StageClock = -1;
    do {
        StageClock += 1;
        TimelineStep(true);
        ScrollStep();
    } while (StageClock < startPosition);

    for (int32_t i = 0; i < PlayerCount; ++i) NewLife(i);

    const int32_t song = StageSong(StageNo);
    if (song != 0) CueSong(song);
}

bool AdvanceStage() {
    StageNo += 1;
    if (StageNo == 3) StageNo = 5;
    // A ship that reached game over while the stage faded out ends the play here: its own
    // fade could not start, so the caller records its score now (and only now).
    const bool gameOver = Players[0].ShipState == ShipGameOver;
    return StageNo <= 5 && GameMode != ModePractice && !gameOver;
}

void LoadEnemyTypes() {
    ReadEnemyTypes(DataPath(EnemyTypeFileName), EnemyTypes);
}

void SetMainShotLevel7() {
    Players[0].MainShotLevel = 7;
}
