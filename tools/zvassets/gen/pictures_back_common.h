#pragma once
// Pieces shared by the stage background pictures.
#include "common/picture.h"

namespace zvtools {
// The drifting giant of kind 111, a 160 by 170 picture at (x0, y0) in the stage's colours:
// a hanging loading platform (stage 1), an airship (stage 2) or a ring station (stage 5).
void DrawGiant(Picture& p, int x0, int y0, int stage);
}  // namespace zvtools
