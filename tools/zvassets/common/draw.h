#pragma once
// Drawing helpers for the procedural pictures: flat and shaded shapes in colour ramps, the
// dark outline of sprites, ordered dithering, and cell copies. Light comes from the top left.
#include <cstdint>
#include <vector>

#include "common/picture.h"
#include "common/pixelart.h"

namespace zvtools {

// N consecutive palette indices from dark (First) to light.
struct Ramp {
    int First = 0;
    int N = 8;
    // Level 0..1 to an index; clamped.
    uint8_t At(double level) const;
    uint8_t Dark() const { return static_cast<uint8_t>(First); }
    uint8_t Light() const { return static_cast<uint8_t>(First + N - 1); }
    uint8_t Step(int i) const { return static_cast<uint8_t>(First + (i < 0 ? 0 : i >= N ? N - 1 : i)); }
};

struct Pt {
    double X = 0, Y = 0;
};

// Appends an n-step ramp from dark through mid to light to a colour table.
void AppendRamp(std::vector<Rgb>& pal, Rgb dark, Rgb mid, Rgb light, int n = 8);
// A first-pass picture for a rectangle: a shaded, outlined box inset by 2 pixels.
void PlaceholderBox(Picture& p, int l, int t, int r, int b, const Ramp& ramp, uint8_t key,
                    uint8_t outline);

// Rotates p about the origin by angle (1024 steps a turn, 256 = down) and moves it to (cx, cy).
Pt Turn(Pt p, int angle, double cx, double cy);
std::vector<Pt> Turn(const std::vector<Pt>& pts, int angle, double cx, double cy);

// 4x4 ordered dither threshold for (x, y), in 0..1.
double Bayer(int x, int y);
// Chooses between two indices by dithering the fraction t (0: a, 1: b).
uint8_t Dither(int x, int y, double t, uint8_t a, uint8_t b);
// Level 0..1 to a ramp index with ordered dithering between neighbouring shades.
uint8_t DitherRamp(const Ramp& r, double level, int x, int y);
// A stable pseudo-random value in 0..1 for integer coordinates and a seed.
double Hash01(int x, int y, int seed);

void FillRect(Picture& p, int x, int y, int w, int h, uint8_t v);
void FillPoly(Picture& p, const std::vector<Pt>& pts, uint8_t v);
void FillEllipse(Picture& p, double cx, double cy, double rx, double ry, uint8_t v);
void Line(Picture& p, int x0, int y0, int x1, int y1, uint8_t v);
// Shaded solid shapes: a base level with a brighter rim toward the light and a darker rim
// away from it, and a top-to-bottom gradient.
void ShadePoly(Picture& p, const std::vector<Pt>& pts, const Ramp& r, double base = 0.55,
               double rim = 0.3);
void ShadeRect(Picture& p, int x, int y, int w, int h, const Ramp& r, double base = 0.55,
               double rim = 0.3);
// A lit ball or lozenge: spherical shading with a specular spot.
void ShadeEllipse(Picture& p, double cx, double cy, double rx, double ry, const Ramp& r,
                  double gain = 1.0);
// Dark outline: every key pixel of the box touching a drawn pixel (4 neighbours) that is
// not itself outline becomes outline.
void Outline(Picture& p, int x, int y, int w, int h, uint8_t key, uint8_t outline);
// Copies pixel art into p at (x, y); kPixelNone pixels are skipped; values are added to
// offset. mirror flips left-right.
void Blit(Picture& p, const PixelSprite& s, int x, int y, int offset = 0, bool mirror = false);
// Copies a w by h block of src at (sx, sy) to dst at (dx, dy), skipping key pixels.
void Copy(Picture& dst, int dx, int dy, const Picture& src, int sx, int sy, int w, int h,
          int key = -1);
// Rotated copy (nearest neighbour) of a w x h block centred in src about its centre, into
// dst centred at (cx, cy), turned by angle (1024 steps a turn).
void CopyTurned(Picture& dst, double cx, double cy, const Picture& src, int sx, int sy, int w,
                int h, int angle, uint8_t key);

}  // namespace zvtools

namespace zvtools {
// Smooth value noise in 0..1 with features about `scale` pixels apart.
double Noise(double x, double y, double scale, int seed);
}  // namespace zvtools

namespace zvtools {
// Cel shading of a material map: ids (0 = nothing) are painted with flat shapes first, then
// rendered with each material's ramp: a base level, a top-to-bottom gradient over the whole
// map, a lit rim where the pixel above or to the left belongs to another material and a dark
// rim below and to the right. Optional outline around everything.
struct Material {
    Ramp R;
    double Base = 0.55;
    double Rim = 0.22;
    double Gradient = 0.25;
    bool Sphere = false;  // shaded as a ball over its own bounding box
};
void RenderMaterials(Picture& dst, int x0, int y0, const Picture& ids,
                     const std::vector<Material>& mats, int key, int edge);
}  // namespace zvtools

namespace zvtools {
// Paints material ids with shapes given in local coordinates (x forward, y down), turned by
// Angle (1024 steps a turn) and placed with the local origin at (Cx, Cy) of the map.
struct Shaper {
    Picture Ids;
    double Cx = 0, Cy = 0;
    int Angle = 0;
    double Scale = 1.0;
    bool FlipY = false;

    Shaper(int w, int h, double cx, double cy, int angle = 0)
        : Ids(w, h, 0), Cx(cx), Cy(cy), Angle(angle) {}
    void Poly(const std::vector<Pt>& pts, uint8_t id);
    void Rect(double x0, double y0, double x1, double y1, uint8_t id);
    void Ellipse(double x, double y, double rx, double ry, uint8_t id);
    // A thick segment from a to b.
    void Bar(Pt a, Pt b, double width, uint8_t id);
};
}  // namespace zvtools
