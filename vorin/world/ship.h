#pragma once
// The ship: its life cycle, its two weapon families and the anchor. The per-frame ship
// update and the ship-shot pass are declared with the other passes in world/passes.h.
#include <cstdint>

#include "krdxlib/arith.h"
#include "world/objects.h"

// Anchor states.
constexpr uint8_t AnchorCarried = 0;
constexpr uint8_t AnchorThrown = 1;
constexpr uint8_t AnchorReturning = 2;
constexpr uint8_t AnchorSpinning = 3;
constexpr uint8_t AnchorHolding = 4;

constexpr int32_t AnchorRadius = 48;  // pixels from the ship to the carried anchor
constexpr int32_t HeldShotSlot = 24;  // ship slot that becomes the held anchor's shot

// Where the carried anchor sits: the ship plus 48 pixels along the orbit angle.
void DockPoint(const TPlayer& p, int32_t& x, int32_t& y);

// Ship shot down by a bullet or a deadly body (from the contact pass).
void ShootDownShip(TPlayer& p);
// The end of the fall: one spare ship less and a new life one weapon level down, or game
// over when none is left.
void LoseLife(int32_t index);
// A power-up of colour 0..2: both weapon levels move along their upgrade rows.
void ApplyItemColour(TPlayer& p, int32_t colour);
// New weapon level for a level and an UpgradeTable column; a level off the table stays.
uint8_t UpgradedLevel(uint8_t level, int32_t column);
// Points for the ship; the score stops at the ends of its 32-bit range instead of wrapping.
void AddScore(TPlayer& p, int64_t points);

// One volley of the main shot / the anchor weapon of ship index at a weapon level.
void MainShot(int32_t index, int32_t level);
void AnchorWeapon(int32_t index, int32_t level);
// Launches the carried anchor into the thrown or spinning state.
void ThrowAnchor(TPlayer& p, uint8_t newState);
// The anchor's step of a flying frame, by its state; moving = a direction button is down.
void UpdateAnchor(int32_t index, bool moving);

// A shot changes kind in place: age 0 and the new kind's hit box.
void ChangeShotKind(TWorldObject& o, int32_t kind);
// Sets up ship shot slot: position and fine position, kind, age 0, the kind's hit box, the
// hit group, velocity and param. Other fields keep what they held.
TWorldObject& PlaceShot(int32_t slot, int32_t kind, int32_t x, int32_t y, int32_t vx, int32_t vy,
                        int32_t hitGroup, int32_t param = 0);
