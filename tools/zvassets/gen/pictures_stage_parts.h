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
