#pragma once
// The three pilots' portraits of the character select screen.
#include "common/picture.h"

namespace zvtools {
// Pilot c (0 Nia Corwell, 1 Breska Valorn, 2 Mirra Kestevo), 128 by 192 at (x0, y0), opaque,
// in the select.bmp colours. The screen writes the weapon list over the lower half, so the
// face sits in the top half and the lower half stays dark.
void DrawPortrait(Picture& p, int c, int x0, int y0);
}  // namespace zvtools
