#include "pictures_back_common.h"

#include <cmath>

#include "common/draw.h"
#include "pictures_palettes.h"

namespace zvtools {

void DrawGiant(Picture& p, int x0, int y0, int stage) {
    using stagepal::R;
    const Ramp hull = stage == 1 ? R(1) : stage == 2 ? R(6) : R(6);
    const Ramp accent = stage == 1 ? R(6) : stage == 2 ? R(7) : R(2);
    const Ramp lights = stage == 1 ? R(7) : stage == 2 ? R(7) : R(3);
    Shaper s(160, 170, 80, 85);
    if (stage == 5) {
        s.Ellipse(0, 0, 74, 74, 1);
        s.Ellipse(0, 0, 56, 56, 0);
        for (int k = 0; k < 6; ++k) {
            const double a = k * 3.14159 / 3;
            s.Bar({std::cos(a) * 14, std::sin(a) * 14}, {std::cos(a) * 58, std::sin(a) * 58}, 5, 2);
        }
        s.Ellipse(0, 0, 16, 16, 3);
    } else {
        s.Poly({{-78, -8}, {-40, -30}, {50, -30}, {78, -6}, {70, 24}, {-70, 24}}, 1);  // hull
        s.Rect(-50, -52, 10, -28, 2);                                                   // bridge
        s.Rect(-30, -66, -18, -50, 2);                                                  // mast
        s.Rect(20, -40, 60, -28, 2);
        s.Poly({{-70, 24}, {70, 24}, {56, 46}, {-56, 46}}, 4);                          // keel
        for (int k = 0; k < 4; ++k) s.Ellipse(-48 + 32 * k, 54, 9, 9, 3);               // engines
    }
    std::vector<Material> m(5);
    m[1] = {hull, 0.45, 0.22, 0.35};
    m[2] = {hull, 0.6, 0.22, 0.2};
    m[3] = {accent, 0.55, 0.2, 0.0, true};
    m[4] = {hull, 0.3, 0.18, 0.2};
    RenderMaterials(p, x0, y0, s.Ids, m, stagepal::kKey, stagepal::kEdge);
    // Rows of lit windows.
    for (int k = 0; k < 28; ++k) {
        const int wx = stage == 5 ? static_cast<int>(80 + std::cos(k * 0.2244) * 65) : 18 + k * 5;
        const int wy = stage == 5 ? static_cast<int>(85 + std::sin(k * 0.2244) * 65) : 85 + (k % 2 ? 0 : 8);
        if (p.Get(x0 + wx, y0 + wy) != stagepal::kKey && p.Get(x0 + wx, y0 + wy) != stagepal::kEdge)
            p.Set(x0 + wx, y0 + wy, lights.At(k % 3 ? 0.95 : 0.7));
    }
}

}  // namespace zvtools
