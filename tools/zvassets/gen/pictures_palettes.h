#pragma once
// Colour tables of the generated pictures. Every table is built of ramps of eight shades,
// dark to light, aligned to multiples of eight, so the game's hit flash (which keeps the low
// three bits of an index) keeps each sprite's shading.
#include <vector>

#include "common/draw.h"
#include "common/picture.h"

namespace zvtools {

// player.bmp (game palette 0-47).
namespace playerpal {
constexpr uint8_t kKey = 0, kEdge = 1, kBrown = 2, kWhite = 7;
const Ramp kFire{2, 6};      // 2..7; the ship hit sparks are 3..6
const Ramp kSteel{8, 8};
const Ramp kBlue{16, 8};     // Nia Corwell
const Ramp kCyan{24, 8};     // energy; the invulnerability sparkle is 28..31
const Ramp kRed{32, 8};      // Breska Valorn
const Ramp kGreen{40, 8};    // Mirra Kestevo
std::vector<Rgb> Colors();
}  // namespace playerpal

// enemy.bmp (game palette 144-175).
namespace enemypal {
constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kGlow{2, 6};
const Ramp kHull{8, 8};
const Ramp kRed{16, 8};
const Ramp kGlass{24, 8};
std::vector<Rgb> Colors();
}  // namespace enemypal

// Stage pictures: "back" n ".bmp" (80-143) and "enemy" n ".bmp" (192-255). Ramp 0 holds the
// key, the outline and a six-step glow; ramps 1 to 7 are the stage's own.
namespace stagepal {
constexpr uint8_t kKey = 0, kEdge = 1;
const Ramp kGlow{2, 6};
inline Ramp R(int i) { return Ramp{8 * i, 8}; }
std::vector<Rgb> Back(int stage);
std::vector<Rgb> Enemy(int stage);
}  // namespace stagepal

// Front-end pictures.
namespace frontpal {
std::vector<Rgb> Logo();    // 16 colours
std::vector<Rgb> Select();  // 64
std::vector<Rgb> Cloth();   // 32
}  // namespace frontpal

}  // namespace zvtools
