#pragma once
// The ship shots, sparks and weapon effects of player.bmp.
#include "common/picture.h"
#include "common/pixelart.h"

namespace zvtools {
void DrawShipShots(Picture& p, const PixelArt& art);
}
