#pragma once
// Drawing pieces shared by the stage enemy sheets: a material set in a stage's colours and
// the larger enemies every stage sheet carries.
#include <vector>

#include "common/draw.h"

namespace zvtools {

// Material ids used by the stage enemy pictures.
enum StageMat : uint8_t {
    kSHull = 1, kSHullDark, kSSteel, kSRed, kSIron, kSGlass, kSYellow, kSLight, kSGlow, kSAccent2,
    kSMatCount
};
// Materials for the stage's enemy palette: hull and accent ramps chosen by stage.
std::vector<Material> StageMaterials(int stage);
void RenderStage(Picture& p, const Shaper& s, int x0, int y0, int stage);

// Moves the pixel at (x, y) d shades lighter (d > 0) or darker within its ramp of eight;
// the key, the outline and the glow ramp stay as they are.
void ShadeStep(Picture& p, int x, int y, int d);
// Armour plating over every pixel of material `mat` in ids (drawn at (x0, y0)): seams every
// seamW columns and seamH rows with a lit lip, rivets along the seams and a few specks of wear.
void Plating(Picture& p, int x0, int y0, const Picture& ids, uint8_t mat, int seamW, int seamH, int seed);
// Diagonal hazard stripes over the pixels of material `mat`: every other band darkened.
void HazardStripes(Picture& p, int x0, int y0, const Picture& ids, uint8_t mat, int band);

// The heavy carrier of kind 89 (160 by 72) at (x0, y0).
void DrawCarrier(Picture& p, int x0, int y0, int stage);
// The armoured transport of kind 112 (64 by 48).
void DrawTransport(Picture& p, int x0, int y0, int stage);
// The fast craft of kind 198: its head in 16 headings (32 by 32 each, from (0, 352)) and
// the ball of its trailing body (kind 125, 32 by 32 at (0, 320)).
void DrawOlmard(Picture& p, int stage);
void DrawOlmardBody(Picture& p, int stage);
// The floating mine of kind 126 (16 by 16).
void DrawMine(Picture& p, int x0, int y0, int stage);

}  // namespace zvtools
