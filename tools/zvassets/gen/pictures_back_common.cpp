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
    if (stage == 5) {  // a ring station
        s.Ellipse(0, 0, 74, 74, 1);
        s.Ellipse(0, 0, 56, 56, 0);
        for (int k = 0; k < 6; ++k) {
            const double a = k * 3.14159 / 3;
            s.Bar({std::cos(a) * 14, std::sin(a) * 14}, {std::cos(a) * 58, std::sin(a) * 58}, 5, 2);
        }
        s.Ellipse(0, 0, 16, 16, 3);
    } else if (stage == 2) {  // an airship: envelope, fins and gondola
        s.Poly({{46, -20}, {74, -44}, {78, -44}, {70, -10}}, 2);
        s.Poly({{46, 20}, {74, 44}, {78, 44}, {70, 10}}, 2);
        s.Ellipse(-4, 0, 70, 30, 1);
        for (int k = 0; k < 5; ++k) {  // ribs of the envelope
            const double x = -50 + 25 * k, h = 30 * std::sqrt(1 - (x + 4) * (x + 4) / 4900.0) - 1;
            s.Rect(x, -h, x + 2, h, 4);
        }
        s.Rect(-30, 30, 24, 44, 2);
        s.Rect(-26, 33, 20, 38, 3);
        s.Rect(-40, 44, 34, 48, 4);
        for (int k = 0; k < 3; ++k) s.Ellipse(-22 + 20 * k, 54, 6, 4, 3);
    } else {  // a loading platform hanging from its gantry chains
        s.Rect(-6, -85, 6, -50, 4);
        s.Bar({-4, -50}, {-60, -4}, 3, 4);
        s.Bar({4, -50}, {60, -4}, 3, 4);
        s.Poly({{-74, -4}, {74, -4}, {66, 16}, {-66, 16}}, 1);
        s.Rect(-56, -36, -12, -4, 2);                              // containers
        s.Rect(14, -28, 58, -4, 2);
        s.Rect(-8, -20, 10, -4, 4);
        s.Poly({{-66, 16}, {66, 16}, {40, 34}, {-40, 34}}, 4);
        for (int k = 0; k < 3; ++k) s.Ellipse(-30 + 30 * k, 38, 8, 5, 3);  // lift jets
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
        const int wy = stage == 5 ? static_cast<int>(85 + std::sin(k * 0.2244) * 65)
                       : stage == 2 ? 121 : 90 + (k % 2 ? 0 : 6);
        if (p.Get(x0 + wx, y0 + wy) != stagepal::kKey && p.Get(x0 + wx, y0 + wy) != stagepal::kEdge)
            p.Set(x0 + wx, y0 + wy, lights.At(k % 3 ? 0.95 : 0.7));
    }
}

}  // namespace zvtools
