#pragma once
// The terrain tiles of stage 1 (the top 256 by 256 pixels of "back1.bmp"): tile t lies at
// x = (t mod 16) * 16, y = (t div 16) * 16. Stage sources name tiles by these numbers.
#include <cstdint>

namespace zvtools::tiles {

constexpr uint8_t kEmpty = 0;         // all key colour
constexpr uint8_t kPlate = 1;         // armour-plated block, seamless on every side
constexpr uint8_t kGirder = 2;        // steel girder platform, seamless left to right
constexpr uint8_t kFloorTop = 3;      // plate block with a lit top edge (ground surface)
constexpr uint8_t kCeilingLow = 4;    // plate block with a dark lower edge (ceiling surface)
constexpr uint8_t kFaceLeft = 5;      // plate block with a left face
constexpr uint8_t kFaceRight = 6;     // plate block with a right face
constexpr uint8_t kCornerTL = 7;      // outer corners of a block
constexpr uint8_t kCornerTR = 8;
constexpr uint8_t kCornerBL = 9;
constexpr uint8_t kCornerBR = 10;
constexpr uint8_t kVent = 11;         // block variants, seamless like kPlate
constexpr uint8_t kLamp = 12;
constexpr uint8_t kHazard = 13;
constexpr uint8_t kRock = 14;
constexpr uint8_t kDarkPlate = 15;
// 16..31: rock: 16 rock, 17 rock with a mossy top, 18 rock with a dripping underside,
// 19..31 rock variants. 32..47: decoration without walls: 32 pipe across, 33 pipe down,
// 34 pipe cross, 35 girder upright, 36 ladder, 37 window, 38 lamp post, 39 chain,
// 40..47 more pipes and struts. Every other tile number holds a variant of the plate block.

}  // namespace zvtools::tiles
