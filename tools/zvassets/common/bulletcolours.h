#pragma once
// The 32 bullet colours (game palette 48-79), shared by "bullet.bmp" and "font.bmp": eight
// groups of four shades, dark to light. A bullet picture is drawn in group 0; the game adds
// 4 x look to show it in group `look`.
#include <vector>

#include "common/picture.h"

namespace zvtools {

enum BulletGroup {
    kGroupRed = 0,     // look 0
    kGroupBlue = 1,    // look 1
    kGroupGold = 2,    // look 2; the boss gauge (index 57) is its shade 1
    kGroupGreen = 3,   // look 3
    kGroupViolet = 4,  // look 4
    kGroupSteel = 5,   // look 5; the ship's smoke particles fade through it
    kGroupFire = 6,    // look 6; sparks and debris fade through shades 3..1
    kGroupIce = 7,     // look 7; the spark colour 76 and the gauge's lost share 79
};

inline int BulletIndex(int group, int shade) { return group * 4 + shade; }

std::vector<Rgb> BulletPalette();  // 33 entries: the 32 colours and the transparent 32

}  // namespace zvtools
