// The ship's life cycle and its per-frame update: scripted entry, death fall and exit
// flights, buttons and charging, speed modes, movement, walls and steering.
#include "world/ship.h"

#include <algorithm>
#include <cstdint>

#include "base/sounds.h"
#include "world/passes.h"
#include "world/spawn.h"
#include "world/state.h"
#include "world/step.h"
#include "world/tables.h"
#include "zvrandom.h"

namespace {
constexpr int32_t StartX = 80;  // origin of the entry flight; y = 80 + 80 * index
constexpr int32_t StartY = 80;
constexpr int32_t StartYStep = 80;
constexpr int32_t RestartInvulnerable = 600;

constexpr int32_t EntryFrames = 45;  // the entry flight ends at this state frame
constexpr int32_t EntryCurve = 9;    // x = origin x - (f - 45)^2 div 9
constexpr int32_t FallEndY = 400;    // the fall ends below this y
constexpr int32_t FallSprite = 7;
constexpr int32_t LeaveDelay = 20;  // x = origin x - 20 + (f - 20)^2 div 20
constexpr int32_t LeaveCapX = 360;

constexpr int32_t SparkleSpread = 64;  // sparkles within +-32 pixels of the ship
constexpr int32_t SparkleVelocityX = -32;

constexpr int32_t FireBurst = 24;       // fire frames given by a press of A or B
constexpr int32_t FullCharge = 30;      // a release after more charge throws or spins
constexpr int32_t ChargedSoundAt = 31;  // the charge sound plays at this charge
constexpr int32_t SpeedReleased = 0;    // speed modes
constexpr int32_t SpeedFiring = 1;
constexpr int32_t SpeedBothButtons = 2;
constexpr int32_t SpeedCharged = 3;

constexpr int32_t MinX = 8, MaxX = 312, MinY = 8, MaxY = 232;  // the ship's clamp
constexpr int32_t WallReach = 8;   // tests this far from the ship's centre
constexpr int32_t WallSpread = 2;  // and this far to either side
constexpr int32_t TileMask = 15;   // tiles are 16 pixels
constexpr int32_t TileMiddle = 8;
constexpr int64_t MoveLimit = 1 << 24;  // a moved coordinate stays within +-this

// 1, 2, 1, 2... every four frames: the ship's flame animation.
int32_t FlameSprite(int32_t f) {
    return 1 + ((f & 4) / 4);
}

// The buttons of the update's command: down now, held (down now and before), pressed, released.
bool Down(int32_t button) {
    return PlayCommand.Buttons[button];
}

bool Held(int32_t button) {
    return PlayCommand.Buttons[button] && PlayCommand.Previous[button];
}

bool Pressed(int32_t button) {
    return PlayCommand.Buttons[button] && !PlayCommand.Previous[button];
}

bool Released(int32_t button) {
    return !PlayCommand.Buttons[button] && PlayCommand.Previous[button];
}

void PutAnchorAtDock(TPlayer& p) {
    DockPoint(p, p.AnchorX, p.AnchorY);
}

// Button A (charge A, throw) or B (charge B, spin). Charging only advances while the anchor
// is carried and the other button is up.
void ChargeButton(TPlayer& p, int32_t button, int32_t other, int32_t& charge, uint8_t launch) {
    if (Down(button)) {
        if (Held(button)) {
            if (p.AnchorState == AnchorCarried && !Down(other)) charge += 1;
            if (charge == ChargedSoundAt) CueSound(Sfx::Sign);
        }
        if (Pressed(button)) p.FireFrames = FireBurst;
    } else {
        if (Released(button) && charge > FullCharge) ThrowAnchor(p, launch);
        charge = 0;
    }
}

int32_t SpeedModeOf(const TPlayer& p) {
    if (Down(BtnA) && Down(BtnB)) return SpeedBothButtons;
    if (p.FireFrames < 1) {
        return (p.ChargeA > FullCharge || p.ChargeB > FullCharge) ? SpeedCharged : SpeedReleased;
    }
    return SpeedFiring;
}

// A coordinate moved by dir (-1, 0, 1) times the speed. The speeds come from the
// configuration file unchecked, so the step is made in 64 bits and the result kept where
// the wall tests and the clamp still work: a huge speed ends at the field's edge.
int32_t Moved(int32_t v, int32_t dir, int32_t speed) {
    const int64_t moved = int64_t{v} + int64_t{dir} * speed;
    return static_cast<int32_t>(std::clamp<int64_t>(moved, -MoveLimit, MoveLimit));
}

// The coordinate moved to the middle of its tile, the tiles shifted by the scroll.
int32_t TileCentre(int32_t v, int32_t scroll) {
    const int32_t shift = scroll & TileMask;
    return ((v + shift) & ~TileMask) - shift + TileMiddle;
}

// Walls stop the ship: a wall above or below (not both) puts it on the middle of its tile
// row, a wall left or right on the middle of its tile column; then the screen clamp.
void StopAtWalls(TPlayer& p) {
    const bool top = BackgroundSolid(p.X + WallSpread, p.Y - WallReach) ||
                     BackgroundSolid(p.X - WallSpread, p.Y - WallReach);
    const bool bottom = BackgroundSolid(p.X + WallSpread, p.Y + WallReach) ||
                        BackgroundSolid(p.X - WallSpread, p.Y + WallReach);
    if (top != bottom) p.Y = TileCentre(p.Y, ScrollY);
    if (BackgroundSolid(p.X - WallReach, p.Y + WallSpread) ||
        BackgroundSolid(p.X - WallReach, p.Y - WallSpread)) {
        p.X = TileCentre(p.X, ScrollX);
    }
    if (BackgroundSolid(p.X + WallReach, p.Y + WallSpread) ||
        BackgroundSolid(p.X + WallReach, p.Y - WallSpread)) {
        p.X = TileCentre(p.X, ScrollX);
    }
    p.X = std::clamp(p.X, MinX, MaxX);
    p.Y = std::clamp(p.Y, MinY, MaxY);
}

// Steps 4 to 13 of a flying frame.
void Fly(TPlayer& p, int32_t index) {
    ChargeButton(p, BtnA, BtnB, p.ChargeA, AnchorThrown);
    ChargeButton(p, BtnB, BtnA, p.ChargeB, AnchorSpinning);
    if (Down(BtnA) && Down(BtnB)) {
        p.ChargeA = p.ChargeB = 0;
        p.FireFrames = 1;  // continuous fire
    }
    p.SpeedMode = static_cast<uint8_t>(SpeedModeOf(p));
    if (p.MainCooldown == 0 && p.FireFrames > 0) MainShot(index, p.MainShotLevel);

    if (Pressed(BtnC)) {
        if (p.AnchorState == AnchorHolding) {
            p.AnchorState = AnchorReturning;  // let go
        } else {
            p.AnchorLock = static_cast<uint8_t>(1 - p.AnchorLock);
        }
        CueBeep();
    }

    const int32_t s = p.MoveSpeeds[p.SpeedMode];
    const bool up = Down(BtnUp), down = Down(BtnDown);
    const bool left = Down(BtnLeft), right = Down(BtnRight);
    const bool moving = up || down || left || right;
    p.Y = Moved(p.Y, down - up, s);
    p.X = Moved(p.X, right - left, s);
    StopAtWalls(p);

    if (moving) {
        const int32_t dir = MoveDirTable[up * 8 + down * 4 + left * 2 + right];
        p.OrbitAngle = TurnAngle(p.OrbitAngle, dir, p.OrbitTurnSpeed);
    }
    UpdateAnchor(index, moving);
    p.SpriteFrame = FlameSprite(p.StateFrames);
}

}  // namespace

void DockPoint(const TPlayer& p, int32_t& x, int32_t& y) {
    x = p.X + PolarX(AnchorRadius, p.OrbitAngle);
    y = p.Y + PolarY(AnchorRadius, p.OrbitAngle);
}

uint8_t UpgradedLevel(uint8_t level, int32_t column) {
    if (level >= UpgradeRows || column < 0 || column > UpgradeLostLife) return level;
    return UpgradeTable[level][column];
}

void NewLife(int32_t index) {
    TPlayer& p = Players[index];
    p.Volleys = 0;
    p.ShipState = ShipEntering;
    p.StateFrames = 0;
    p.OriginX = StartX;
    p.OriginY = StartY + StartYStep * index;
    p.Multiplier = 1;
    p.HeldObject = -1;
    p.AnchorHeading = 0;
    p.AnchorX = p.X;
    p.AnchorY = p.Y;
    p.OrbitAngle = 0;
    p.AnchorState = AnchorCarried;
    p.AnchorLock = 0;
    p.FireFrames = 0;
    p.MainCooldown = p.AnchorCooldown = 0;
    p.ChargeA = p.ChargeB = 0;
    p.Invulnerable = RestartInvulnerable;
    CancelBullets(false);
}

void ShootDownShip(TPlayer& p) {
    p.ShipState = ShipShotDown;
    p.StateFrames = 0;
    p.OriginX = p.X;
    p.OriginY = p.Y;
}

void LoseLife(int32_t index) {
    TPlayer& p = Players[index];
    p.Lives -= 1;
    if (p.Lives < 0) {
        p.ShipState = ShipGameOver;
        p.Lives = 0;
        return;
    }
    NewLife(index);
    p.MainShotLevel = UpgradedLevel(p.MainShotLevel, UpgradeLostLife);
    p.AnchorWeaponLevel = UpgradedLevel(p.AnchorWeaponLevel, UpgradeLostLife);
}

void AddScore(TPlayer& p, int64_t points) {
    const int64_t score = int64_t{p.Score} + points;
    p.Score = static_cast<int32_t>(std::clamp<int64_t>(score, INT32_MIN, INT32_MAX));
}

void ApplyItemColour(TPlayer& p, int32_t colour) {
    p.MainShotLevel = UpgradedLevel(p.MainShotLevel, colour);
    p.AnchorWeaponLevel = UpgradedLevel(p.AnchorWeaponLevel, colour);
}

void ShipUpdate(int32_t index) {
    TPlayer& p = Players[index];
    p.StateFrames += 1;
    if (TestInvulnerable && p.Invulnerable < 1) p.Invulnerable = 1;
    if (p.Invulnerable > 0) {
        if (!TestInvulnerable) p.Invulnerable -= 1;
        const int32_t dy = random(SparkleSpread) - SparkleSpread / 2;  // y first
        const int32_t dx = random(SparkleSpread) - SparkleSpread / 2;
        SpawnEffect(p.X + dx, p.Y + dy, SparkleVelocityX, 0, ParticleKind::Sparkle);
    }
    const int32_t f = p.StateFrames;
    switch (p.ShipState) {
        case ShipEntering:
            p.X = p.OriginX - (f - EntryFrames) * (f - EntryFrames) / EntryCurve;
            p.Y = p.OriginY - f / 4;
            PutAnchorAtDock(p);
            p.SpriteFrame = FlameSprite(f);
            if (f == EntryFrames) p.ShipState = ShipFlying;
            break;
        case ShipFlying:
            Fly(p, index);
            break;
        case ShipShotDown:
            p.X = p.OriginX - f;
            p.Y = p.OriginY + RoundEven(static_cast<double>(f) * f / 16.0 - 4.0 * f);
            PutAnchorAtDock(p);
            p.SpriteFrame = FallSprite;
            if (p.Y > FallEndY) LoseLife(index);
            break;
        case ShipLeaving:
            p.X = p.OriginX - LeaveDelay + (f - LeaveDelay) * (f - LeaveDelay) / LeaveDelay;
            p.Y = p.OriginY - f / 4;
            PutAnchorAtDock(p);
            p.SpriteFrame = FlameSprite(f);
            if (p.X > LeaveCapX) p.X = LeaveCapX;
            break;
        default:
            break;  // game over
    }
    p.FireFrames -= 1;
    if (p.MainCooldown > 0) p.MainCooldown -= 1;
    if (p.AnchorCooldown > 0) p.AnchorCooldown -= 1;
}
