#include "pictures_back_common.h"

#include <algorithm>
#include <cmath>

#include "common/draw.h"
#include "pictures_palettes.h"
#include "pictures_stage_parts.h"

namespace zvtools {
namespace {

using stagepal::R;
constexpr double kPi = 3.14159265358979;
constexpr int kW = 160, kH = 170;

// Light from the top left on a surface with normal (nx, ny, nz); 0..1.
double Lit(double nx, double ny, double nz) { return std::max(0.0, -0.5 * nx - 0.6 * ny + 0.62 * nz); }

// Stage 1: a cargo block hanging from a gantry trolley by two cables, with lift jets.
void LoadingPlatform(Picture& p, int x0, int y0) {
    const Ramp metal = R(1), hazard = R(5), red = R(6), lamps = R(7), dark = R(3);
    Shaper s(kW, kH, 80, 85);
    s.Rect(-36, -85, 36, -70, 4);                               // trolley on the gantry rail
    for (int k = -1; k <= 1; k += 2) {
        s.Ellipse(k * 26, -78, 6, 6, 2);                        // pulleys
        s.Bar({k * 26.0, -72}, {k * 50.0, -28}, 2.2, 4);        // cables
    }
    s.Poly({{-74, -28}, {74, -28}, {78, -20}, {78, 30}, {66, 42}, {-66, 42}, {-78, 30}, {-78, -20}}, 1);
    s.Rect(-78, -24, 78, -18, 3);                               // hazard band
    s.Rect(-60, -14, -8, 22, 5);                                // containers
    s.Rect(8, -14, 60, 22, 5);
    s.Rect(-4, -16, 4, 26, 4);
    s.Poly({{-66, 42}, {66, 42}, {44, 58}, {-44, 58}}, 4);      // underside
    for (int k = 0; k < 3; ++k) s.Ellipse(-30 + 30 * k, 61, 8, 4, 6);  // lift jets
    std::vector<Material> m(7);
    m[1] = {metal, 0.55, 0.22, 0.3};
    m[2] = {metal, 0.7, 0.2, 0.0, true};
    m[3] = {hazard, 0.7, 0.15, 0.1};
    m[4] = {metal, 0.3, 0.18, 0.2};
    m[5] = {red, 0.5, 0.22, 0.25};
    m[6] = {stagepal::kGlow, 0.8, 0.0, 0.0, true};
    RenderMaterials(p, x0, y0, s.Ids, m, stagepal::kKey, stagepal::kEdge);
    Plating(p, x0, y0, s.Ids, 1, 19, 8, 111);
    HazardStripes(p, x0, y0, s.Ids, 3, 4);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int id = s.Ids.At(x, y), lx = x - 80, ly = y - 85;
            if (id == 5 && (lx + 80) % 5 == 0) ShadeStep(p, x0 + x, y0 + y, -2);  // container ribs
            if (id == 5 && (ly == -6 || ly == 14) && (lx % 3)) ShadeStep(p, x0 + x, y0 + y, 2);
            if (id == 1 && ly == 32 && (lx + 200) % 10 < 2) p.Set(x0 + x, y0 + y, lamps.At(0.95));  // lamps
            if (id == 1 && ly == 32 && (lx + 200) % 10 == 2) p.Set(x0 + x, y0 + y, lamps.At(0.5));
            if (id == 4 && ly > 42 && (lx + 200) % 6 == 0) ShadeStep(p, x0 + x, y0 + y, -2);
        }
    // Jet exhaust flickers downward below the jets.
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 12; ++j)
            for (int i = -4 + j / 4; i <= 4 - j / 4; ++i)
                if (Bayer(i + 8, j) < 1.0 - j / 12.0) p.Set(x0 + 80 - 30 + 30 * k + i, y0 + 85 + 65 + j, stagepal::kGlow.Step(5 - j / 3));
    (void)dark;
}

// Stage 2: an airship: a lit envelope with ribs and fins, a gondola and engine pods.
void Airship(Picture& p, int x0, int y0) {
    const Ramp hull = R(6), sun = R(7), cloud = R(3);
    Shaper s(kW, kH, 80, 85);
    s.Poly({{46, -20}, {70, -50}, {78, -50}, {74, -12}}, 2);   // fins
    s.Poly({{46, 20}, {70, 50}, {78, 50}, {74, 12}}, 2);
    s.Rect(48, -2, 79, 2, 2);
    s.Ellipse(-4, 0, 72, 32, 1);
    s.Poly({{-34, 30}, {22, 30}, {18, 46}, {-30, 46}}, 3);      // gondola
    s.Rect(-40, 46, 30, 49, 4);
    for (int k = -1; k <= 1; k += 2) s.Ellipse(-6 + k * 40, 30, 9, 5, 3);  // engine pods
    std::vector<Material> m(5);
    m[1] = {hull, 0.55, 0.0, 0.0, true};
    m[2] = {hull, 0.55, 0.2, 0.3};
    m[3] = {hull, 0.35, 0.2, 0.2};
    m[4] = {hull, 0.2, 0.1, 0.1};
    RenderMaterials(p, x0, y0, s.Ids, m, stagepal::kKey, stagepal::kEdge);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int id = s.Ids.At(x, y);
            const double lx = x - 80.5 + 4, ly = y - 85.5;
            if (id == 1) {
                const double u = lx / 72;  // ribs follow the envelope's curve
                const double ribs = std::fmod(std::asin(std::clamp(u, -1.0, 1.0)) / kPi * 14 + 20, 1.0);
                if (ribs < 0.12) ShadeStep(p, x0 + x, y0 + y, -1);
                if (std::fabs(ly) < 1.0 && std::fabs(lx) < 64) ShadeStep(p, x0 + x, y0 + y, -1);  // seam
                if (std::hypot((lx + 34) / 13.0, ly / 13.0) < 1.0 && std::hypot((lx + 34) / 13.0, ly / 13.0) > 0.7)
                    p.Set(x0 + x, y0 + y, sun.At(0.8));  // roundel
                if (std::hypot(lx + 34, ly) < 4) p.Set(x0 + x, y0 + y, sun.At(0.5));
            }
            if (id == 2 && (x + y) % 8 < 3) p.Set(x0 + x, y0 + y, sun.At(0.6));  // fin stripes
            if (id == 3 && y - 85 == 37 && x % 5 < 3 && x > 50 && x < 100) p.Set(x0 + x, y0 + y, sun.At(0.95));
        }
    // Propeller discs behind the pods.
    for (int k = -1; k <= 1; k += 2)
        for (int j = -8; j <= 8; ++j)
            if ((j + 16) % 3) p.Set(x0 + 80 - 6 + k * 40 - 10, y0 + 85 + 30 + j, cloud.At(0.8 - std::fabs(j) / 20.0));
}

// Stage 5: a ring station: a lit torus of windows on spokes round a glowing core.
void RingStation(Picture& p, int x0, int y0) {
    const Ramp violet = R(1), magenta = R(2), cyan = R(3), white = R(4), gold = R(5), dark = R(6);
    const double cx = 80, cy = 85;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, r = std::hypot(dx, dy);
            const double ang = std::atan2(dy, dx);
            int v = -1;
            // Corona round the core: dithered rings of cyan.
            if (r < 30 && r > 15 && Bayer(x, y) < (30 - r) / 22) v = cyan.At(0.3 + (30 - r) / 30);
            // Spokes.
            for (int k = 0; k < 6; ++k) {
                const double a = k * kPi / 3 + kPi / 6;
                const double along = dx * std::cos(a) + dy * std::sin(a), across = -dx * std::sin(a) + dy * std::cos(a);
                if (along > 14 && along < 60 && std::fabs(across) < 3.2) {
                    const double n = across / 3.2;
                    v = DitherRamp(dark, 0.35 + 0.6 * Lit(-std::sin(a) * n, std::cos(a) * n, std::sqrt(1 - n * n)), x, y);
                    if (std::fmod(along, 8) < 1.2) v = dark.Step(1);
                }
            }
            // The ring: a torus lit from the top left.
            if (r > 56 && r < 75) {
                const double u = (r - 65.5) / 9.5, nz = std::sqrt(std::max(0.0, 1 - u * u));
                const double l = Lit(u * dx / r, u * dy / r, nz);
                v = DitherRamp(violet, 0.08 + 0.85 * l, x, y);
                const int seg = static_cast<int>(std::floor((ang + kPi) / (2 * kPi) * 48));
                if (std::fmod((ang + kPi) / (2 * kPi) * 48, 1.0) < 0.08) v = dark.Step(1);  // segment seams
                if (std::fabs(r - 65.5) < 1.0 && seg % 2 == 0)                                 // window rows
                    v = (Hash01(seg, 0, 5) > 0.3 ? (Hash01(seg, 1, 5) > 0.6 ? gold : cyan) : dark).At(0.9);
                if (std::fabs(r - 61) < 0.6 && seg % 4 == 1) v = white.At(0.8);
            }
            if ((r >= 75 && r < 76.5) || (r > 55 && r <= 56)) v = stagepal::kEdge;
            // Docking arms at the four diagonals of the ring.
            for (int k = 0; k < 2; ++k) {
                const double a = k * kPi;
                const double along = dx * std::cos(a) + dy * std::sin(a), across = -dx * std::sin(a) + dy * std::cos(a);
                if (along > 74 && along < 80 && std::fabs(across) < 6) v = dark.At(0.5 + (across < 0 ? 0.3 : 0));
                if (along > 77 && along < 80 && std::fabs(across) < 2) v = magenta.At(0.95);
            }
            if (v >= 0) p.Set(x0 + x, y0 + y, static_cast<uint8_t>(v));
        }
    ShadeEllipse(p, x0 + cx, y0 + cy, 13, 13, magenta, 1.1);  // the core
    ShadeEllipse(p, x0 + cx - 3, y0 + cy - 3, 4, 4, white, 1.2);
}

}  // namespace

void DrawGiant(Picture& p, int x0, int y0, int stage) {
    if (stage == 1) LoadingPlatform(p, x0, y0);
    else if (stage == 2) Airship(p, x0, y0);
    else RingStation(p, x0, y0);
}

}  // namespace zvtools
