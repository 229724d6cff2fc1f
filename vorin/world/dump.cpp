#include "world/dump.h"

#include "base/json.h"
#include "world/objects.h"
#include "world/state.h"
#include "zvcommon/scores.h"

namespace {
// The first ship's record by field name.
void DumpShip(JsonOut& j, const TPlayer& p) {
    j.Key("Ship").BeginObject();
    j.Field("x", p.X).Field("y", p.Y).Field("originX", p.OriginX).Field("originY", p.OriginY);
    j.Field("state", p.ShipState).Field("stateFrames", p.StateFrames);
    j.Field("invulnerable", p.Invulnerable).Field("speedMode", p.SpeedMode);
    j.Field("spriteFrame", p.SpriteFrame).Field("character", p.Character);
    j.Field("anchorX", p.AnchorX).Field("anchorY", p.AnchorY);
    j.Field("anchorState", p.AnchorState).Field("anchorHeading", p.AnchorHeading);
    j.Field("anchorDistance", p.AnchorDistance).Field("orbitAngle", p.OrbitAngle);
    j.Field("anchorLock", p.AnchorLock).Field("heldObject", p.HeldObject);
    j.Field("launchX", p.LaunchX).Field("launchY", p.LaunchY);
    j.Field("anchorFrames", p.AnchorFrames).Field("savedHeading", p.SavedHeading);
    j.Field("mainLevel", p.MainShotLevel).Field("anchorLevel", p.AnchorWeaponLevel);
    j.Field("fireFrames", p.FireFrames).Field("chargeA", p.ChargeA).Field("chargeB", p.ChargeB);
    j.Field("mainCooldown", p.MainCooldown).Field("anchorCooldown", p.AnchorCooldown);
    j.Field("multiplier", p.Multiplier).Field("score", p.Score).Field("lives", p.Lives);
    j.Field("volleys", p.Volleys);
    j.EndObject();
}
// One object slot by field name; an enemy bullet adds its record's fields under the names
// the bullet uses them by.
void DumpObject(JsonOut& j, int32_t slot, const TWorldObject& o) {
    j.BeginObject();
    j.Field("slot", slot).Field("kind", o.Kind).Field("x", o.X).Field("y", o.Y);
    j.Field("state", o.State).Field("hp", o.HitPoints).Field("param", o.Param);
    j.Field("age", o.Age).Field("frame", o.Frame).Field("flash", o.Flash);
    j.Field("parent", o.Parent).Field("aim", o.Aim);
    j.Field("vx", o.VelocityX).Field("vy", o.VelocityY);
    j.Field("fx", o.FineX).Field("fy", o.FineY).Field("layer", o.Layer);
    if (o.Kind >= KindFirstBullet && o.Kind <= KindLastBullet) {
        j.Field("angle", o.Aim).Field("speed", o.Frame).Field("distance", o.HitPoints);
        j.Field("originX", o.VelocityX).Field("originY", o.VelocityY);
        j.Field("look", BulletLook(o)).Field("mode", o.ExtraA).Field("modeValue", o.ExtraB);
    }
    j.EndObject();
}
}  // namespace

void DumpWorld(JsonOut& j) {
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
    j.Field("BossSlot", BossSlot).Field("WorldRegA", WorldRegA).Field("WorldRegB", WorldRegB);
    j.Field("PathHead", PathHead).Field("PhaseStart", PhaseStart);
    j.Field("TimelineNext", TimelineNext);
    j.Field("Scratches", ScratchCounter);
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
    DumpShip(j, Players[0]);
    j.Key("Objects").BeginArray();
    for (int32_t s = 0; s < ObjectCount; ++s) {
        if (Objects[s].Kind != KindFree) DumpObject(j, s, Objects[s]);
    }
    j.EndArray();
}

void DumpWorldOnce(JsonOut& j) {
    j.Key("ScoreTable").BeginArray();
    for (const TScoreEntry& e : ScoreTable) j.BeginArray().Int(e.Score).Int(e.Character).EndArray();
    j.EndArray();
}
