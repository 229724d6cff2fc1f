// The anchor: carried at the dock point, thrown, returning, spinning round the ship, or
// holding an enemy hooked by the gravity anchor.
#include "world/ship.h"

#include <cmath>

#include "world/spawn.h"
#include "world/tables.h"

namespace {
constexpr int32_t FlightStep = 8;    // pixels a frame, thrown and returning
constexpr int32_t SpinStep = 32;     // angle steps a frame: a full turn in 32 frames
constexpr int32_t SpinFrames = 128;  // the spin ends after this many frames
constexpr int32_t DockMargin = 8;    // the returning anchor docks within this of the dock point

// The thrown anchor turns back beyond these.
constexpr int32_t FlightMinX = 8, FlightMaxX = 312, FlightMinY = 8, FlightMaxY = 232;
// The holding anchor lets go beyond these.
constexpr int32_t HoldMinX = -15, HoldMaxX = 335, HoldMinY = -15, HoldMaxY = 255;

constexpr int32_t TrailFirst = 16, TrailLast = 31;    // anchor trail slots
constexpr int32_t PlasmaFirst = 10, PlasmaLast = 31;  // plasma anchor slots
constexpr int32_t PlasmaLevelFirst = 25, PlasmaLevelLast = 27;

// The weapon trail of a thrown (plasma: may be plasma) or spinning anchor.
void DropTrail(const TPlayer& p, int32_t index, bool plasma) {
    const int32_t base = index * ShotSlotsPerShip;
    const int32_t level = p.AnchorWeaponLevel;
    if (plasma && level >= PlasmaLevelFirst && level <= PlasmaLevelLast) {
        if ((p.AnchorFrames & 3) != 1) return;
        const auto [slot, free] = FindFreeSlot(base + PlasmaFirst, base + PlasmaLast);
        if (free) {
            const int32_t kind = ShotKind::PlasmaSmall + level - PlasmaLevelFirst;
            PlaceShot(slot, kind, p.AnchorX, p.AnchorY, 0, 0, base, p.AnchorHeading);
        }
        return;
    }
    const auto [slot, free] = FindFreeSlot(base + TrailFirst, base + TrailLast);
    if (free) PlaceShot(slot, ShotKind::Trail, p.AnchorX, p.AnchorY, 0, 0, slot);
}

void Thrown(TPlayer& p, int32_t index) {
    p.AnchorFrames += 1;
    p.AnchorDistance += FlightStep;
    p.AnchorX = p.LaunchX + PolarX(p.AnchorDistance, p.AnchorHeading);
    p.AnchorY = p.LaunchY + PolarY(p.AnchorDistance, p.AnchorHeading);
    if (p.AnchorX < FlightMinX || p.AnchorX > FlightMaxX || p.AnchorY < FlightMinY ||
        p.AnchorY > FlightMaxY) {
        p.AnchorState = AnchorReturning;
    }
    DropTrail(p, index, true);
}

void Returning(TPlayer& p) {
    int32_t dockX = 0, dockY = 0;
    DockPoint(p, dockX, dockY);
    p.AnchorX += PolarX(FlightStep, GetAngle(p.AnchorX, p.AnchorY, dockX, dockY));
    p.AnchorY += PolarY(FlightStep, GetAngle(p.AnchorX, p.AnchorY, dockX, dockY));
    if (dockX - DockMargin < p.AnchorX && p.AnchorX < dockX + DockMargin &&
        dockY - DockMargin < p.AnchorY && p.AnchorY < dockY + DockMargin) {
        p.AnchorState = AnchorCarried;
        p.AnchorHeading = p.SavedHeading;
    }
}

void Spinning(TPlayer& p, int32_t index) {
    p.AnchorFrames += 1;
    p.AnchorHeading = (p.AnchorHeading + SpinStep) & AngleMask;
    p.AnchorX = p.X + PolarX(p.AnchorDistance, p.AnchorHeading);
    p.AnchorY = p.Y + PolarY(p.AnchorDistance, p.AnchorHeading);
    if (p.AnchorFrames > SpinFrames) p.AnchorState = AnchorReturning;
    DropTrail(p, index, false);
}

// The anchor stays on the hooked enemy, which it does not move; its shot in slot 24 never
// expires. A gone enemy (or a held slot off the table) lets it go.
void Holding(TPlayer& p, int32_t index) {
    const int32_t held = p.HeldObject;
    const bool gone = held < 0 || held >= ObjectCount || Objects[held].Kind < KindFirstEnemy;
    if (gone || p.AnchorX < HoldMinX || p.AnchorX > HoldMaxX || p.AnchorY < HoldMinY ||
        p.AnchorY > HoldMaxY) {
        p.AnchorState = AnchorReturning;
        return;
    }
    p.AnchorX = Objects[held].X;
    p.AnchorY = Objects[held].Y;
    const int32_t base = index * ShotSlotsPerShip;
    TWorldObject& s = Objects[base + HeldShotSlot];
    const int32_t age = s.Age;
    PlaceShot(base + HeldShotSlot, ShotKind::HeldAnchor, p.AnchorX, p.AnchorY, 0, 0, base, s.Param);
    s.Age = age & 3;
}

}  // namespace

void ThrowAnchor(TPlayer& p, uint8_t newState) {
    p.SavedHeading = p.AnchorHeading;
    p.AnchorHeading = GetAngle(p.X, p.Y, p.AnchorX, p.AnchorY);
    const double dx = p.AnchorX - p.X, dy = p.AnchorY - p.Y;
    p.AnchorDistance = RoundEven(std::sqrt(dx * dx + dy * dy));
    p.LaunchX = p.X;
    p.LaunchY = p.Y;
    p.AnchorFrames = 0;
    p.Multiplier = 2;
    p.AnchorState = newState;
}

void UpdateAnchor(int32_t index, bool moving) {
    TPlayer& p = Players[index];
    switch (p.AnchorState) {
        case AnchorCarried:
            DockPoint(p, p.AnchorX, p.AnchorY);
            if (moving && p.AnchorLock == 0) {
                p.AnchorHeading = TurnAngle(p.AnchorHeading, p.OrbitAngle, p.HeadingTurnSpeed);
            }
            if (p.AnchorCooldown == 0 && p.FireFrames > 0) AnchorWeapon(index, p.AnchorWeaponLevel);
            break;
        case AnchorThrown:
            Thrown(p, index);
            break;
        case AnchorReturning:
            Returning(p);
            break;
        case AnchorSpinning:
            Spinning(p, index);
            break;
        case AnchorHolding:
            Holding(p, index);
            break;
        default:
            break;
    }
}
