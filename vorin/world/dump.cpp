// The world's part of the --dump output.
#include "shell/dump.h"
#include "shell/hooks.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"
#include "zvcommon/scores.h"

void DumpWorld(JsonOut& j) {
    if (CurrentScreen != ScreenGame) return;
    j.Field("StageNo", StageNo);
    j.Field("StageClock", StageClock);
    j.Field("StagePhase", StagePhase);
    j.Field("ClockHold", ClockHold);
    j.Field("ScrollX", ScrollX);
    j.Field("ScrollY", ScrollY);
    j.Field("ScrollSpeedX", ScrollSpeedX);
    j.Field("ScrollSpeedY", ScrollSpeedY);
    j.Field("LoopStart", LoopStart);
    j.Field("LoopLength", LoopLength);
    j.Field("HasTerrain", HasTerrain);
    j.Field("TimelineNext", TimelineNext);
    j.Key("Stats").BeginObject();
    j.Field("PlayFrames", Stats.PlayFrames);
    j.Field("ScratchFrames", Stats.ScratchFrames);
    j.Field("MaxScratches", Stats.MaxScratches);
    j.Field("MaxMultiplier", Stats.MaxMultiplier);
    j.Field("MultiplierSum", Stats.MultiplierSum);
    j.Field("SpawnCount", Stats.SpawnCount);
    j.Field("ShootDownCount", Stats.ShootDownCount);
    j.Field("CoinCount", Stats.CoinCount);
    j.EndObject();
    // The first ship as the scene draws it: x, y, anchor x, anchor y, score, lives.
    const TPlayer& ship = Players[0];
    j.Key("Ship").BeginArray().Int(ship.X).Int(ship.Y).Int(ship.AnchorX).Int(ship.AnchorY);
    j.Int(ship.Score).Int(ship.Lives).EndArray();
    j.Key("Objects").BeginArray();
    for (int32_t s = 0; s < ObjectCount; ++s) {
        const TWorldObject& o = Objects[s];
        if (o.Kind == KindFree) continue;
        j.BeginArray().Int(s).Int(o.Kind).Int(o.X).Int(o.Y).Int(o.State).Int(o.HitPoints);
        j.EndArray();
    }
    j.EndArray();
}

void DumpWorldOnce(JsonOut& j) {
    j.Key("ScoreTable").BeginArray();
    for (const TScoreEntry& e : ScoreTable) j.BeginArray().Int(e.Score).Int(e.Character).EndArray();
    j.EndArray();
}
