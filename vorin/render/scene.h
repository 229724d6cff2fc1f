#pragma once
// The game scene: the play field drawn into the back buffer from the world tables once a
// tick - background, objects in five layers, tile map, ship shots, the ship, and one locked
// pixel pass for particles, medals and enemy bullets. DrawGameRun (shell/screens.h) runs it.
#include <cstdint>

#include "base/graphics.h"

struct TWorldObject;

// Layers, drawn from the back (4) to the front (0).
constexpr int32_t BackLayer = 4;
constexpr int32_t FrontLayer = 0;

// The steps of one frame, in the order DrawGameRun calls them.
void DrawStageBackground();
void DrawObjectLayer(int32_t layer);
void DrawTileMap();
void DrawShipShots();
void DrawShip();
// Particles, medals and enemy bullets into the locked back buffer.
void DrawPixelPass(const TSurfaceDesc& p);

// A dying object blinks: hidden while bit 3 of its age is set.
bool ObjectShown(const TWorldObject& o);
// Draws one object of the layer passes by its kind; kinds without a picture draw nothing.
void DrawWorldObject(TWorldObject& o);
// Draws one ship shot by its kind.
void DrawShipShot(const TWorldObject& o);

// Cell of BulletCells for an enemy bullet or vanishing flash; -1 for none.
int32_t BulletCellOf(int32_t kind, int32_t age, int32_t aim);
// Value added to every pixel of a bullet's cell for its look.
uint8_t BulletColourOffset(uint32_t look, int32_t age);
// Copies a 16x16 cell centred on (x, y), skipping transparent pixels and pixels off screen.
void DrawBulletCell(const TSurfaceDesc& p, int32_t cell, int32_t x, int32_t y, uint8_t offset);

// Links of the anchor chain for a distance in whole pixels (rounded).
int32_t ChainLinkCount(int32_t dist);
