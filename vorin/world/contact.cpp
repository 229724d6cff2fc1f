// The contact pass: slots 64..256 against the first ship and the ship shots.
#include <algorithm>
#include <bit>

#include "base/sounds.h"
#include "world/bullets.h"
#include "world/destroy.h"
#include "world/objects.h"
#include "world/passes.h"
#include "world/ship.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/step.h"
#include "world/tables.h"
#include "zvrandom.h"

namespace {
constexpr int32_t AbsorbReach = 16;   // the anchor blocks bullets within this
constexpr int32_t HitReach = 5;       // a bullet within this hits the ship
constexpr int32_t ScratchReach = 16;  // within this but not HitReach: a scratch
constexpr int32_t PickUpReach = 20;   // items within this are picked up
constexpr int32_t BlockPoints = 30;   // absorbed by the anchor or an invulnerable ship
constexpr int32_t ScratchPoints = 10;
constexpr int32_t HitPoints = 10;  // a damaging shot
constexpr int32_t EndOfRowPoints = 5000;
constexpr int32_t MedalPoints = 100;
constexpr int32_t EndOfRowPopUp = 2;    // pop-up picture of the 5000 points
constexpr int32_t HitSparkRange = 128;  // velocity random(128) - 64
constexpr int32_t HitFlash = 3;
constexpr int32_t GravityAnchorLevel = 17;
constexpr TBox HookBox{-16, -16, 16, 16};  // the thrown gravity anchor's reach
constexpr int32_t PushReach = 8;           // the ship's edge points, this far from its centre
constexpr int32_t PushStep = 4;            // pixels per axis per frame at most
constexpr int32_t ProbeReach = 8;          // shot probes against armour
constexpr int32_t MissileGrounded = 256;   // ground missile param bit: runs along the surface

bool Within(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t n) {
    const int64_t dx = int64_t{ax} - bx, dy = int64_t{ay} - by;
    return dx > -n && dx < n && dy > -n && dy < n;
}

void Vanish(TWorldObject& o) {
    o.Kind = EffectKind::Vanish;
    o.Age = 0;
    SetBulletLook(o, 0);
}

// The ship is hit: it falls, and a large explosion with the sound marks the spot.
void HitShip(TPlayer& p) {
    ShootDownShip(p);
    CueSound(Sfx::Explosion);
}

// Absorption, ship hit or vanish, scratch: each step sees what the previous one left.
void BulletAgainstShip(TWorldObject& o, TPlayer& p) {
    if (o.Kind < KindFirstUnabsorbable && BulletLook(o) != LookUnabsorbable &&
        p.AnchorState != AnchorHolding && Within(o.X, o.Y, p.AnchorX, p.AnchorY, AbsorbReach)) {
        Vanish(o);
        AddScore(p, BlockPoints);
    }
    if (Within(o.X, o.Y, p.X, p.Y, HitReach)) {
        if (p.Invulnerable >= 1) {
            Vanish(o);
            AddScore(p, BlockPoints);
            return;
        }
        o.Kind = EffectKind::LargeExplosion;
        o.Age = 0;
        o.Param = 0;
        o.Parent = 0;
        o.VelocityX = o.VelocityY = 0;
        o.FineX = FineOf(o.X);
        o.FineY = FineOf(o.Y);
        HitShip(p);
        return;
    }
    if (Within(o.X, o.Y, p.X, p.Y, ScratchReach)) {
        ScratchCounter += 1;
        AddScore(p, ScratchPoints);
        const int32_t rx = random(5);  // x first
        const int32_t ry = random(5);
        SpawnEffect(o.X, o.Y, 2 * (o.X - p.X) + rx - 2, 2 * (o.Y - p.Y) + ry - 2,
                    ParticleKind::Scratch);
    }
}

void PickUp(TWorldObject& o, TPlayer& p) {
    if (o.Kind == ItemKind::PowerUp) {
        const uint8_t main = p.MainShotLevel, anchor = p.AnchorWeaponLevel;
        ApplyItemColour(p, o.Param);
        if (p.MainShotLevel == main && p.AnchorWeaponLevel == anchor) {
            AddScore(p, EndOfRowPoints);
            o.Kind = EffectKind::ScorePopUp;
            o.Param = EndOfRowPopUp;
            o.Age = 0;
        } else {
            o.Kind = KindFree;
        }
    } else if (o.Kind == ItemKind::Medal) {
        Stats.CoinCount += 1;
        AddScore(p, MedalPoints);
        o.Kind = KindFree;
    }
    CueSound(Sfx::Item);
}

// At most 4 pixels toward the nearer edge; reckoned in 64 bits, as boxes come from data.
int32_t PushBy(int64_t depth) {
    return static_cast<int32_t>(std::min<int64_t>(PushStep, depth));
}

// The ship's edge points are pushed out of a solid body, each test with the ship where the
// previous one left it.
void PushOut(const TWorldObject& o, TPlayer& p) {
    const TBox& b = o.HitBox;
    if (PointInBox(p.X - PushReach, p.Y, b, o.X, o.Y)) {
        p.X += PushBy(int64_t{b.Right} + o.X - p.X + PushReach);
    }
    if (PointInBox(p.X + PushReach, p.Y, b, o.X, o.Y)) {
        p.X -= PushBy(int64_t{p.X} - b.Left - o.X + PushReach);
    }
    if (PointInBox(p.X, p.Y - PushReach, b, o.X, o.Y)) {
        p.Y += PushBy(int64_t{b.Bottom} + o.Y - p.Y + PushReach);
    }
    if (PointInBox(p.X, p.Y + PushReach, b, o.X, o.Y)) {
        p.Y -= PushBy(int64_t{p.Y} - b.Top - o.Y + PushReach);
    }
}

// Steps A1 to A5: the object against the first ship.
void AgainstShip(int32_t s, TWorldObject& o, TPlayer& p) {
    if (o.Kind >= KindFirstBullet && o.Kind <= KindLastBullet) BulletAgainstShip(o, p);
    if (o.Kind >= KindFirstEnemy && o.State == StateActive && o.ShotResponse == ShotsDamage &&
        p.AnchorWeaponLevel == GravityAnchorLevel && p.AnchorState == AnchorThrown &&
        BoxHit(o.HitBox, o.X, o.Y, HookBox, p.AnchorX, p.AnchorY)) {
        p.AnchorState = AnchorHolding;
        p.HeldObject = s;
    }
    if (o.Kind >= KindFirstItem && o.Kind <= KindLastItem &&
        Within(o.X, o.Y, p.X, p.Y, PickUpReach)) {
        PickUp(o, p);
    }
    if (o.Kind >= KindFirstEnemy && o.ContactKind == ContactSolid) PushOut(o, p);
    if (o.Kind >= KindFirstEnemy && o.ContactKind == ContactDeadly && p.Invulnerable < 1 &&
        PointInBox(p.X, p.Y, o.HitBox, o.X, o.Y)) {
        // The rules leave the body hit's spawn open: a large explosion at the ship, as for
        // a bullet hit.
        MakeExplosion(p.X, p.Y, EffectKind::LargeExplosion, 0, 0, false);
        HitShip(p);
    }
}

// A probe point beside the shot, inside the armoured object.
bool Probe(const TWorldObject& o, int32_t x, int32_t y) {
    return PointInBox(x, y, o.HitBox, o.X, o.Y);
}

// A ship shot in use at the start of the pass, with its box on the screen. Only this pass
// changes shots while it runs (it removes them or turns bombs into blasts), and it keeps
// these entries in step; nothing it calls places or moves a shot.
struct TShotEntry {
    int32_t Slot, Kind, Group;
    int64_t Left, Top, Right, Bottom;
};

// Which shots may overlap a box, as a mask over the entries: a shot is filed under every
// 32-pixel column and row its box spans (beyond the screen the outermost ones take all),
// and a box can only overlap shots filed under one of its columns and one of its rows.
// A shot whose box grows is filed again; a filing left over only costs an exact test.
class TShotBins {
  public:
    void Add(int32_t i, const TShotEntry& e) {
        const uint64_t bit = uint64_t{1} << i;
        if (e.Left >= e.Right || e.Top >= e.Bottom) {
            Anywhere |= bit;  // an inverted box: left to the exact test with every target
            return;
        }
        for (int32_t c = Bin(e.Left); c <= Bin(e.Right - 1); ++c) Columns[c] |= bit;
        for (int32_t r = Bin(e.Top); r <= Bin(e.Bottom - 1); ++r) Rows[r] |= bit;
    }

    uint64_t Near(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
        if (left >= right || top >= bottom) return ~uint64_t{0};
        uint64_t columns = 0, rows = 0;
        for (int32_t c = Bin(left); c <= Bin(right - 1); ++c) columns |= Columns[c];
        for (int32_t r = Bin(top); r <= Bin(bottom - 1); ++r) rows |= Rows[r];
        return (columns & rows) | Anywhere;
    }

  private:
    static constexpr int32_t Count = 16;  // 32 pixels each from -64
    static int32_t Bin(int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>((v >> 5) + 2, 0, Count - 1));
    }
    uint64_t Columns[Count] = {};
    uint64_t Rows[Count] = {};
    uint64_t Anywhere = 0;
};

// The shot entries of the pass with their masks: bit i stands for entry i.
static_assert(LastShotSlot - FirstShotSlot + 1 <= 64, "the shot masks hold one bit a shot slot");
struct TShotTable {
    TShotEntry Entries[LastShotSlot - FirstShotSlot + 1];
    int32_t Count = 0;
    uint64_t Live = 0;         // not yet removed
    uint64_t ArmourKinds = 0;  // bound shots and ground missiles
    TShotBins Bins;
};

void SetShotBox(TShotEntry& e, const TWorldObject& shot) {
    const TBox& b = shot.HitBox;
    e.Left = int64_t{b.Left} + shot.X;
    e.Top = int64_t{b.Top} + shot.Y;
    e.Right = int64_t{b.Right} + shot.X;
    e.Bottom = int64_t{b.Bottom} + shot.Y;
}

// B1 (bound shots) and B2 (ground missiles) against armour above kind 80.
void AgainstArmour(const TWorldObject& o, TWorldObject& shot) {
    if (shot.Kind == ShotKind::Bound) {
        if ((shot.VelocityX < 0 && Probe(o, shot.X - ProbeReach, shot.Y)) ||
            (shot.VelocityX > 0 && Probe(o, shot.X + ProbeReach, shot.Y))) {
            shot.VelocityX = -shot.VelocityX;
            shot.Param -= 1;
        }
        if ((shot.VelocityY < 0 && Probe(o, shot.X, shot.Y - ProbeReach)) ||
            (shot.VelocityY > 0 && Probe(o, shot.X, shot.Y + ProbeReach))) {
            shot.VelocityY = -shot.VelocityY;
            shot.Param -= 1;
        }
    } else if ((shot.VelocityY < 0 && Probe(o, shot.X, shot.Y - ProbeReach)) ||
               (shot.VelocityY > 0 && Probe(o, shot.X, shot.Y + ProbeReach))) {
        shot.Param |= MissileGrounded;
    }
}

// What the object is to the shots; it changes only when the object is destroyed.
struct TTargetView {
    bool Armour;    // above kind 80 with shots stopped: bound shots and missiles meet it
    bool Hittable;  // an enemy, active, that shots damage or are stopped by
    int64_t Left, Top, Right, Bottom;
};

TTargetView ViewOf(const TWorldObject& o) {
    const bool responds = o.ShotResponse == ShotsDamage || o.ShotResponse == ShotsStopped;
    const TBox& b = o.HitBox;
    return {o.Kind > KindFirstEnemy && o.ShotResponse == ShotsStopped,
            o.Kind >= KindFirstEnemy && responds && o.State == StateActive,
            int64_t{b.Left} + o.X,
            int64_t{b.Top} + o.Y,
            int64_t{b.Right} + o.X,
            int64_t{b.Bottom} + o.Y};
}

// The entries that can matter to the object as it now is: those it may overlap while
// shots can hit it, and the bound shots and missiles while it is armour.
uint64_t Candidates(const TTargetView& v, const TShotTable& t) {
    uint64_t c = 0;
    if (v.Hittable) c |= t.Bins.Near(v.Left, v.Top, v.Right, v.Bottom);
    if (v.Armour) c |= t.ArmourKinds;
    return c & t.Live;
}

// Steps B1 to B3: the object against the ship shots in use. The shots are met in slot
// order; those outside the candidates would have been passed over.
void AgainstShots(int32_t s, TWorldObject& o, TShotTable& t) {
    TTargetView v = ViewOf(o);
    bool hitThisFrame = false;
    int32_t lastGroup = 0;  // group of the last shot that damaged the object this frame
    uint64_t todo = Candidates(v, t);
    while (todo != 0) {
        if (!v.Armour && !v.Hittable) return;
        const int32_t i = std::countr_zero(todo);
        const uint64_t bit = uint64_t{1} << i;
        todo &= todo - 1;
        TShotEntry& e = t.Entries[i];
        if (e.Kind == KindFree) continue;  // removed earlier in this pass
        if (v.Armour && (e.Kind == ShotKind::Bound || e.Kind == ShotKind::GroundMissile)) {
            AgainstArmour(o, Objects[e.Slot]);
            continue;
        }
        if (!v.Hittable || (hitThisFrame && e.Group == lastGroup) || e.Left >= v.Right ||
            e.Right <= v.Left || e.Top >= v.Bottom || e.Bottom <= v.Top) {
            continue;
        }
        TWorldObject& shot = Objects[e.Slot];
        if (o.ShotResponse == ShotsDamage) {
            hitThisFrame = true;
            lastGroup = e.Group;
            o.HitPoints -= ShotType(e.Kind).Damage;
            AddScore(Players[e.Slot / ShotSlotsPerShip], HitPoints);
            const int32_t vx = random(HitSparkRange) - HitSparkRange / 2;  // x first
            const int32_t vy = random(HitSparkRange) - HitSparkRange / 2;
            SpawnEffect(shot.X, shot.Y, vx, vy, ParticleKind::HitSpark);
            o.Flash = HitFlash;
        }
        if (o.HitPoints < 1) {
            Destroy(s, e.Slot);
            v = ViewOf(o);
            todo = Candidates(v, t) & ~(bit | (bit - 1));  // the entries after this one
        }
        if (e.Kind == ShotKind::Bomb) {
            ChangeShotKind(shot, ShotKind::Blast);
            shot.VelocityX = shot.VelocityY = 0;
            e.Kind = shot.Kind;
            SetShotBox(e, shot);
            t.Bins.Add(i, e);
        } else if (ShotType(e.Kind).Pierces == 0) {
            shot.Kind = e.Kind = KindFree;
            t.Live &= ~bit;
        }
    }
}
}  // namespace

void ContactPass() {
    const TEffectSpawns effectSpawns;
    TShotTable t;
    for (int32_t b = FirstShotSlot; b <= LastShotSlot; ++b) {
        const TWorldObject& shot = Objects[b];
        if (shot.Kind == KindFree) continue;
        const int32_t i = t.Count++;
        TShotEntry& e = t.Entries[i];
        e.Slot = b;
        e.Kind = shot.Kind;
        e.Group = shot.Parent;
        SetShotBox(e, shot);
        t.Live |= uint64_t{1} << i;
        if (e.Kind == ShotKind::Bound || e.Kind == ShotKind::GroundMissile) {
            t.ArmourKinds |= uint64_t{1} << i;
        }
        t.Bins.Add(i, e);
    }
    TPlayer& p = Players[0];
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind == KindFree) continue;
        // A ship in game over is out of play: nothing touches it any more.
        if (p.ShipState != ShipGameOver) AgainstShip(s, o, p);
        if (o.Kind >= KindFirstEnemy && t.Count > 0) AgainstShots(s, o, t);
    }
}
