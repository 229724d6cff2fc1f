#include "pictures_portraits.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/draw.h"

namespace zvtools {
namespace {

// select.bmp's ramps (see frontpal::Select).
constexpr uint8_t kEdge = 1;
const Ramp kGlow{2, 6}, kSkin{8, 8}, kBlue{16, 8}, kRed{24, 8}, kGreen{32, 8}, kSuit{40, 8},
    kHair{48, 8}, kBack{56, 8};
constexpr int kW = 128, kH = 192;
constexpr double kHeadY = 56;  // centre of the face; the weapon list starts at row 86
constexpr double kEyeY = 61;

enum Mat : uint8_t { kMSkin = 1, kMNeck, kMHair, kMHairDark, kMSuit, kMSuitDark, kMAccent, kMGold, kMGlass, kMFur, kMCount };

// Cel tones of a material: ramp steps of the lit edge, the body and the side away from the
// light (bottom right), and how wide that shadow band is.
struct Tone {
    Ramp R;
    int Light, Mid, Shade, ShadowW;
};

Ramp Accent(int c) { return c == 0 ? kBlue : c == 1 ? kRed : kGreen; }
Ramp HairRamp(int c) { return c == 0 ? kBlue : c == 1 ? kRed : kHair; }
bool IsHair(int m) { return m == kMHair || m == kMHairDark; }

void Backdrop(Picture& p, int c, int x0, int y0) {
    const Ramp a = Accent(c);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double fade = std::clamp(1.0 - y / 120.0, 0.0, 1.0);  // decoration fades out
            uint8_t v = DitherRamp(kBack, 0.62 - y / 192.0 * 0.62, x, y);
            const double dx = x - 64, dy = y - kHeadY, r = std::sqrt(dx * dx + dy * dy);
            if (c == 0) {  // a flight display: grid and a target reticle behind the head
                if ((x % 16 == 0 || y % 16 == 0) && Bayer(x, y) < fade * 0.8) v = a.Step(2);
                if (std::fabs(r - 52) < 0.8 || (std::fabs(r - 58) < 0.6 && (static_cast<int>(std::atan2(dy, dx) * 8) % 2)))
                    v = a.Step(y < 100 ? 4 : 2);
            } else if (c == 1) {  // hazard stripes and a burst of rays
                if ((x + y) % 24 < 7 && Bayer(x, y) < fade) v = a.Step(1);
                const double ang = std::atan2(dy, dx);
                if (r > 40 && std::fmod(ang + 7.0, 0.39) < 0.05 && Bayer(x, y) < fade) v = a.Step(3);
            } else {  // a soft halo with sparkles
                const double halo = std::exp(-std::pow((r - 48) / 5, 2)) * fade;
                if (halo > 0.2) v = DitherRamp(a, 0.05 + halo * 0.35, x, y);
                if (Hash01(x, y, 9 + c) > 0.992 && y < 110) v = a.Step(6);
            }
            p.Set(x0 + x, y0 + y, v);
        }
}

void Shapes(Shaper& s, int c) {
    // Hair behind the head: a bob (Nia), a swept spiky mane (Breska), long hair (Mirra).
    if (c == 0) {
        s.Ellipse(0, 52, 30, 32, kMHair);
        s.Poly({{-30, 52}, {-32, 84}, {-24, 90}, {-18, 70}}, kMHair);
        s.Poly({{30, 52}, {32, 84}, {24, 90}, {18, 70}}, kMHair);
    } else if (c == 1) {
        s.Poly({{-30, 48}, {-34, 22}, {-20, 24}, {-16, 6}, {-2, 18}, {8, 2}, {16, 18}, {34, 8}, {30, 26}, {44, 30},
                {38, 44}, {40, 66}, {48, 96}, {34, 86}, {34, 102}, {20, 86}, {-26, 84}, {-36, 70}},
               kMHair);
    } else {
        s.Poly({{-30, 46}, {-18, 24}, {0, 20}, {18, 24}, {30, 46}, {36, 100}, {42, 152}, {22, 146}, {-22, 146}, {-42, 152},
                {-36, 100}},
               kMHair);
    }
    // Shoulders, neck and collar.
    const uint8_t body = c == 1 ? kMAccent : kMSuit;
    s.Poly({{-62, 192}, {-58, 128}, {-34, 104}, {34, 104}, {58, 128}, {62, 192}}, body);
    s.Rect(-8, 78, 8, 110, kMNeck);
    if (c == 0) {
        s.Poly({{-58, 130}, {-34, 104}, {-22, 106}, {-44, 140}}, kMAccent);  // shoulder panels
        s.Poly({{58, 130}, {34, 104}, {22, 106}, {44, 140}}, kMAccent);
        s.Poly({{-15, 96}, {-13, 112}, {0, 118}, {13, 112}, {15, 96}, {8, 104}, {-8, 104}}, kMAccent);  // collar
        s.Rect(-1, 116, 1, 192, kMGold);                                                        // zip
        s.Rect(-46, 150, -30, 160, kMAccent);                                                   // patch
        s.Rect(28, 146, 44, 150, kMGold);
    } else if (c == 1) {
        s.Poly({{-12, 104}, {0, 160}, {12, 104}}, kMSuitDark);  // shirt under the jacket
        s.Poly({{-34, 104}, {-14, 94}, {0, 110}, {14, 94}, {34, 104}, {30, 118}, {10, 120}, {0, 128}, {-10, 120},
                {-30, 118}},
               kMFur);
        s.Bar({-4, 118}, {2, 140}, 1, kMGold);  // dog tag chain and tag
        s.Rect(0, 140, 5, 148, kMGold);
        s.Rect(-54, 150, -40, 192, kMSuitDark);  // sleeve seam
    } else {
        s.Poly({{-15, 96}, {-14, 112}, {0, 116}, {14, 112}, {15, 96}, {8, 104}, {-8, 104}}, kMAccent);
        for (int k = -1; k <= 1; k += 2) {  // harness straps with buckles
            s.Poly({{k * 30.0, 106}, {k * 20.0, 106}, {k * 14.0, 192}, {k * 24.0, 192}}, kMAccent);
            s.Rect(k * 22.0 - 4, 138, k * 22.0 + 4, 145, kMGold);
        }
    }
    // Face, ears and chin.
    s.Ellipse(-23, 60, 4, 7, kMSkin);
    s.Ellipse(23, 60, 4, 7, kMSkin);
    s.Ellipse(0, kHeadY, 22, 26, kMSkin);
    s.Poly({{-21, 60}, {-13, 80}, {0, 88}, {13, 80}, {21, 60}}, kMSkin);
    // Fringe: zigzag bangs (Nia), swept aside (Breska), parted (Mirra).
    if (c == 0)
        s.Poly({{-27, 64}, {-26, 38}, {-14, 25}, {4, 23}, {20, 29}, {28, 44}, {27, 64}, {22, 50}, {18, 56}, {12, 43},
                {6, 52}, {-2, 41}, {-8, 52}, {-14, 42}, {-20, 56}},
               kMHair);
    if (c == 1)
        s.Poly({{-27, 58}, {-30, 30}, {-10, 18}, {18, 20}, {36, 34}, {28, 40}, {33, 54}, {20, 42}, {12, 52}, {6, 38},
                {-6, 46}, {-12, 38}, {-18, 52}},
               kMHair);
    if (c == 2) {
        s.Poly({{-27, 70}, {-26, 40}, {-12, 27}, {0, 30}, {12, 27}, {26, 40}, {27, 70}, {20, 48}, {8, 38}, {0, 35},
                {-8, 38}, {-20, 48}},
               kMHair);
        for (int k = -1; k <= 1; k += 2)  // side locks falling over the shoulders
            s.Poly({{k * 24.0, 56}, {k * 30.0, 58}, {k * 38.0, 120}, {k * 34.0, 150}, {k * 26.0, 126}, {k * 22.0, 80}}, kMHair);
    }
    // Strands: darker lines through the hair.
    for (int k = 0; k < 7; ++k) {
        const double x = -21 + 7 * k;
        s.Bar({x, 30 + (k % 2) * 3.0}, {x + (k < 3 ? -3.0 : 3.0), c == 2 ? 40.0 : 46.0}, 0.9, kMHairDark);
    }
    if (c == 0) {  // headset: band, ear cup, microphone
        s.Bar({-26, 54}, {-22, 34}, 2.5, kMSuitDark);
        s.Bar({-22, 34}, {-10, 25}, 2.5, kMSuitDark);
        s.Ellipse(-26, 60, 6, 10, kMSuitDark);
        s.Bar({-25, 68}, {-11, 82}, 1.6, kMSuitDark);
        s.Ellipse(-10, 82, 2.6, 2.2, kMSuitDark);
        s.Ellipse(-27, 58, 2, 3, kMGlass);
    }
    if (c == 2) {  // goggles pushed up on the forehead
        s.Rect(-28, 31, 28, 35, kMSuitDark);
        for (int k = -1; k <= 1; k += 2) {
            s.Ellipse(k * 10.5, 33, 8.5, 6.5, kMGold);
            s.Ellipse(k * 10.5, 33, 6.5, 4.5, kMGlass);
        }
    }
}

void Render(Picture& p, int c, int x0, int y0, const Picture& ids) {
    const Ramp a = Accent(c), h = HairRamp(c);
    std::vector<Tone> t(kMCount);
    t[kMSkin] = {kSkin, 6, 5, 3, 7};
    t[kMNeck] = {kSkin, 4, 3, 2, 4};
    t[kMHair] = {h, 6, 4, 2, 5};
    t[kMHairDark] = {h, 3, 2, 1, 1};
    t[kMSuit] = {kSuit, 5, 3, 2, 8};
    t[kMSuitDark] = {kSuit, 3, 1, 0, 3};
    t[kMAccent] = {a, 6, 4, 2, 6};
    t[kMGold] = {kGlow, 5, 3, 1, 2};
    t[kMGlass] = {a, 7, 5, 3, 2};
    t[kMFur] = {kHair, 7, 6, 4, 4};
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int m = ids.At(x, y);
            if (!m) continue;
            const Tone& tn = t[m];
            auto same = [&](int i, int j) { return ids.Get(i, j, 0) == m; };
            int step = tn.Mid;
            bool shade = !same(x + tn.ShadowW, y + tn.ShadowW / 2) || !same(x, y + tn.ShadowW / 2 + 1);
            if (m == kMSkin)  // the fringe and the headset cast shadows on the face
                for (int k = 1; k <= 3; ++k) shade |= IsHair(ids.Get(x - 1, y - k)) || ids.Get(x - 2, y - k) == kMSuitDark;
            if (m == kMNeck) shade = ids.Get(x, y - 8) == kMSkin || x > kW / 2 + 3 || shade;
            if (shade) step = tn.Shade;
            else if (!same(x - 1, y) || !same(x, y - 1)) step = tn.Light;
            if (m == kMFur && Bayer(x, y) > 0.6) step -= 2;  // tufts
            if ((m == kMSuit || m == kMAccent || m == kMSuitDark) && y > 130) step -= (y - 130) / 22;  // darker under the text
            if (m == kMHair && !shade && y < 56) {  // a ring of sheen across the crown
                const double r = std::hypot(x - 64.0, y - 58.0);
                if (std::fabs(r - 25) < 1.6 && (x / 2) % 3 != 0) step = 7;
            }
            // A thin dark line where one part meets another (not skin to neck).
            const int below = ids.Get(x, y + 1, 0), right = ids.Get(x + 1, y, 0);
            auto seam = [&](int o) { return o && o != m && !(m == kMSkin && o == kMNeck) && !(IsHair(m) && IsHair(o)); };
            if (seam(below) || seam(right)) step = std::min(step, 1);
            p.Set(x0 + x, y0 + y, tn.R.Step(step));
        }
    // Outline against the backdrop, and a rim of the pilot's colour on the side facing the glow.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (!ids.At(x, y) && (ids.Get(x - 1, y) || ids.Get(x + 1, y) || ids.Get(x, y - 1) || ids.Get(x, y + 1)))
                p.Set(x0 + x, y0 + y, kEdge);
    for (int y = 0; y < 130; ++y)
        for (int x = 1; x < kW; ++x)
            if (ids.At(x, y) && !ids.At(x - 1, y) && (x < 64)) p.Set(x0 + x, y0 + y, a.Step(6));
}

// An anime eye centred at (ex, ey) in portrait coordinates; side -1 is the eye on the left.
void Eye(Picture& p, int x0, int y0, int c, int ex, int ey, int side) {
    const Ramp iris = c == 1 ? kGlow : Accent(c);  // Breska's eyes are amber
    auto lid = [&](int dx) {
        double y = ey - 4 + 2.0 * (dx / 6.0) * (dx / 6.0);
        if (c == 1) y += 1.2 + (dx * -side > 0 ? 0.8 : 0.0);  // narrowed, lower at the inner corner
        return static_cast<int>(std::lround(y));
    };
    auto floorY = [&](int dx) { return ey + 3 - static_cast<int>(std::lround(1.5 * (dx / 6.0) * (dx / 6.0))); };
    for (int dx = -5; dx <= 5; ++dx)
        for (int y = lid(dx) + 1; y <= floorY(dx); ++y) p.Set(x0 + ex + dx, y0 + y, kSuit.Step(7));
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const double ix = dx / 3.6, iy = dy / 4.6;
            if (ix * ix + iy * iy > 1) continue;
            const int x = ex + dx, y = ey + dy;
            if (y <= lid(dx) || y > floorY(dx)) continue;
            int step = dy < -1 ? 1 : dy < 2 ? 3 : 5;
            if ((dx * dx) / 2.2 + (dy * dy) / 5.0 <= 1.0) step = -1;  // pupil
            p.Set(x0 + x, y0 + y, step < 0 ? kEdge : iris.Step(iris.N == 6 ? step * 5 / 7 : step));
        }
    p.Set(x0 + ex - 2, y0 + ey - 2, kSuit.Step(7));  // catch lights
    p.Set(x0 + ex - 1, y0 + ey - 2, kSuit.Step(7));
    p.Set(x0 + ex - 2, y0 + ey - 1, kSuit.Step(7));
    p.Set(x0 + ex + 2, y0 + ey + 2, kSuit.Step(6));
    for (int dx = -6; dx <= 6; ++dx) {  // heavy upper lid and lashes, lighter lower lid
        p.Set(x0 + ex + dx, y0 + lid(dx), kEdge);
        if (std::abs(dx) < 6) p.Set(x0 + ex + dx, y0 + lid(dx) - 1, kEdge);
    }
    p.Set(x0 + ex + side * 7, y0 + lid(side * 6) - 1, kEdge);
    p.Set(x0 + ex + side * 8, y0 + lid(side * 6) - 2, kEdge);
    for (int dx = -3; dx <= 3; ++dx) p.Set(x0 + ex + dx, y0 + floorY(dx) + 1, kSkin.Step(3));
}

void Face(Picture& p, int c, int x0, int y0) {
    const int cx = 64, ey = static_cast<int>(kEyeY);
    const Ramp h = HairRamp(c);
    for (int side = -1; side <= 1; side += 2) {
        Eye(p, x0, y0, c, cx + side * 11, ey, side);
        // Brows: arched (Nia), angled down to the nose (Breska), soft (Mirra).
        for (int k = 0; k <= 9; ++k) {
            const int bx = cx + side * (5 + k);
            int by = ey - 9 - (c == 1 ? (k * 4) / 9 - 1 : c == 0 ? (k > 2 && k < 8 ? 1 : 0) : (k > 3 && k < 7 ? 1 : 0));
            p.Set(x0 + bx, y0 + by, h.Step(1));
            if (c != 2 || (k > 1 && k < 8)) p.Set(x0 + bx, y0 + by + 1, h.Step(c == 2 ? 2 : 1));
        }
        if (c != 1)  // blush
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 5; ++dx)
                    if ((dx + dy) % 2 == 0) p.Set(x0 + cx + side * (12 + dx - 2), y0 + ey + 7 + dy, kRed.Step(6));
    }
    // Nose: a shadow on the side away from the light and a lit tip.
    p.Set(x0 + cx + 2, y0 + ey + 8, kSkin.Step(3));
    p.Set(x0 + cx + 2, y0 + ey + 9, kSkin.Step(3));
    p.Set(x0 + cx + 1, y0 + ey + 10, kSkin.Step(3));
    p.Set(x0 + cx, y0 + ey + 10, kSkin.Step(4));
    p.Set(x0 + cx - 1, y0 + ey + 9, kSkin.Step(7));
    // Mouth: a grin (Nia), a smirk (Breska), a calm line (Mirra).
    const int my = ey + 16;
    for (int dx = -5; dx <= 5; ++dx) {
        int y = my;
        if (c == 0) y = my - static_cast<int>(std::lround(1.6 * (dx / 5.0) * (dx / 5.0)));
        if (c == 1) y = my - (dx > 1 ? (dx - 1) / 2 : 0);
        if (c == 2 && std::abs(dx) > 3) continue;
        p.Set(x0 + cx + dx, y0 + y, std::abs(dx) < 4 ? kSkin.Step(1) : kSkin.Step(2));
    }
    if (c == 0)
        for (int dx = -3; dx <= 3; ++dx) p.Set(x0 + cx + dx, y0 + my + 1, kSuit.Step(7));  // teeth
    for (int dx = -2; dx <= 2; ++dx) p.Set(x0 + cx + dx, y0 + my + 3, kSkin.Step(4));  // lower lip
    if (c == 1)  // a scar across the cheek
        for (int k = 0; k < 10; ++k) {
            p.Set(x0 + cx + 7 + k, y0 + ey + 5 + k / 2, kSkin.Step(2));
            p.Set(x0 + cx + 7 + k, y0 + ey + 4 + k / 2, kSkin.Step(7));
        }
}

}  // namespace

void DrawPortrait(Picture& p, int c, int x0, int y0) {
    Backdrop(p, c, x0, y0);
    Shaper s(kW, kH, 64, 0);
    Shapes(s, c);
    Render(p, c, x0, y0, s.Ids);
    Face(p, c, x0, y0);
}

}  // namespace zvtools
