#include "common/draw.h"

#include <algorithm>
#include <cmath>

namespace zvtools {
namespace {
constexpr double kTurn = 6.283185307179586 / 1024.0;

// Scanline coverage of a polygon: calls fn(x, y) for every pixel whose centre is inside.
template <typename Fn>
void ScanPoly(const std::vector<Pt>& pts, int w, int h, Fn fn) {
    if (pts.size() < 3) return;
    double minY = pts[0].Y, maxY = pts[0].Y;
    for (const Pt& q : pts) {
        minY = std::min(minY, q.Y);
        maxY = std::max(maxY, q.Y);
    }
    int y0 = std::max(0, static_cast<int>(std::floor(minY))), y1 = std::min(h - 1, static_cast<int>(std::ceil(maxY)));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            if ((a.Y <= cy && b.Y > cy) || (b.Y <= cy && a.Y > cy))
                xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / (b.Y - a.Y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            int xa = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5)));
            int xb = std::min(w - 1, static_cast<int>(std::floor(xs[i + 1] - 0.5)));
            for (int x = xa; x <= xb; ++x) fn(x, y);
        }
    }
}

// Shades the pixels marked in a mask (bounding box bx, by, bw, bh).
void ShadeMask(Picture& p, const std::vector<uint8_t>& m, int bx, int by, int bw, int bh,
               const Ramp& r, double base, double rim) {
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < bw && y < bh && m[static_cast<size_t>(y) * bw + x];
    };
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            if (!in(x, y)) continue;
            double l = base + 0.15 - 0.3 * (bh > 1 ? static_cast<double>(y) / (bh - 1) : 0.5);
            if (!in(x - 1, y) || !in(x, y - 1)) l += rim;
            else if (!in(x - 2, y - 1) || !in(x - 1, y - 2)) l += rim * 0.45;
            if (!in(x + 1, y) || !in(x, y + 1)) l -= rim;
            p.Set(bx + x, by + y, r.At(l));
        }
}
}  // namespace

void AppendRamp(std::vector<Rgb>& pal, Rgb dark, Rgb mid, Rgb light, int n) {
    for (int i = 0; i < n; ++i) {
        double t = n > 1 ? static_cast<double>(i) / (n - 1) * 2.0 : 0.0;
        Rgb a = t <= 1.0 ? dark : mid, b = t <= 1.0 ? mid : light;
        double f = t <= 1.0 ? t : t - 1.0;
        auto mix = [&](uint8_t u, uint8_t v) {
            return static_cast<uint8_t>(std::lround(u + (v - u) * f));
        };
        pal.push_back({mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)});
    }
}

void PlaceholderBox(Picture& p, int l, int t, int r, int b, const Ramp& ramp, uint8_t key,
                    uint8_t outline) {
    const int w = r - l, h = b - t;
    if (w < 3 || h < 3) {
        FillRect(p, l, t, w, h, ramp.At(0.7));
        return;
    }
    const int in = w > 6 && h > 6 ? 2 : 1;
    ShadeRect(p, l + in, t + in, w - 2 * in, h - 2 * in, ramp);
    Outline(p, l, t, w, h, key, outline);
}

uint8_t Ramp::At(double level) const {
    int i = static_cast<int>(std::lround(level * (N - 1)));
    return Step(i);
}

Pt Turn(Pt p, int angle, double cx, double cy) {
    const double a = angle * kTurn, c = std::cos(a), s = std::sin(a);
    return {cx + p.X * c - p.Y * s, cy + p.X * s + p.Y * c};
}

std::vector<Pt> Turn(const std::vector<Pt>& pts, int angle, double cx, double cy) {
    std::vector<Pt> out;
    out.reserve(pts.size());
    for (const Pt& q : pts) out.push_back(Turn(q, angle, cx, cy));
    return out;
}

double Bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

uint8_t Dither(int x, int y, double t, uint8_t a, uint8_t b) { return t > Bayer(x, y) ? b : a; }

uint8_t DitherRamp(const Ramp& r, double level, int x, int y) {
    double f = std::clamp(level, 0.0, 1.0) * (r.N - 1);
    int i = static_cast<int>(std::floor(f));
    return r.Step(f - i > Bayer(x, y) ? i + 1 : i);
}

double Hash01(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / 16777216.0;
}

void FillRect(Picture& p, int x, int y, int w, int h, uint8_t v) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) p.Set(i, j, v);
}

void FillPoly(Picture& p, const std::vector<Pt>& pts, uint8_t v) {
    ScanPoly(pts, p.W, p.H, [&](int x, int y) { p.Ref(x, y) = v; });
}

void FillEllipse(Picture& p, double cx, double cy, double rx, double ry, uint8_t v) {
    for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y)
        for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) p.Set(x, y, v);
        }
}

void Line(Picture& p, int x0, int y0, int x1, int y1, uint8_t v) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        p.Set(x0, y0, v);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void ShadePoly(Picture& p, const std::vector<Pt>& pts, const Ramp& r, double base, double rim) {
    if (pts.size() < 3) return;
    double x0 = pts[0].X, x1 = x0, y0 = pts[0].Y, y1 = y0;
    for (const Pt& q : pts) {
        x0 = std::min(x0, q.X);
        x1 = std::max(x1, q.X);
        y0 = std::min(y0, q.Y);
        y1 = std::max(y1, q.Y);
    }
    const int bx = static_cast<int>(std::floor(x0)) - 1, by = static_cast<int>(std::floor(y0)) - 1;
    const int bw = static_cast<int>(std::ceil(x1)) - bx + 2, bh = static_cast<int>(std::ceil(y1)) - by + 2;
    std::vector<Pt> local;
    for (const Pt& q : pts) local.push_back({q.X - bx, q.Y - by});
    std::vector<uint8_t> m(static_cast<size_t>(bw) * bh, 0);
    ScanPoly(local, bw, bh, [&](int x, int y) {
        if (p.In(bx + x, by + y)) m[static_cast<size_t>(y) * bw + x] = 1;
    });
    ShadeMask(p, m, bx, by, bw, bh, r, base, rim);
}

void ShadeRect(Picture& p, int x, int y, int w, int h, const Ramp& r, double base, double rim) {
    ShadePoly(p, {{double(x), double(y)}, {double(x + w), double(y)}, {double(x + w), double(y + h)}, {double(x), double(y + h)}}, r, base, rim);
}

void ShadeEllipse(Picture& p, double cx, double cy, double rx, double ry, const Ramp& r,
                  double gain) {
    const double lx = -0.55, ly = -0.6, lz = 0.58;
    for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y)
        for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry, d = dx * dx + dy * dy;
            if (d > 1.0) continue;
            double nz = std::sqrt(1.0 - d);
            double l = dx * lx + dy * ly + nz * lz;
            double spec = std::pow(std::max(0.0, l), 12.0);
            double level = 0.12 + 0.7 * std::max(0.0, l) * gain + 0.35 * spec;
            p.Set(x, y, r.At(std::min(1.0, level)));
        }
}

void Outline(Picture& p, int x, int y, int w, int h, uint8_t key, uint8_t outline) {
    std::vector<uint8_t> mark(static_cast<size_t>(w) * h, 0);
    auto solid = [&](int i, int j) {
        if (i < x || j < y || i >= x + w || j >= y + h || !p.In(i, j)) return false;
        uint8_t v = p.At(i, j);
        return v != key && v != outline;
    };
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            if (!p.In(i, j) || p.At(i, j) != key) continue;
            if (solid(i - 1, j) || solid(i + 1, j) || solid(i, j - 1) || solid(i, j + 1))
                mark[static_cast<size_t>(j - y) * w + (i - x)] = 1;
        }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (mark[static_cast<size_t>(j) * w + i]) p.Set(x + i, y + j, outline);
}

void Blit(Picture& p, const PixelSprite& s, int x, int y, int offset, bool mirror) {
    for (int j = 0; j < s.H; ++j)
        for (int i = 0; i < s.W; ++i) {
            uint8_t v = s.At(mirror ? s.W - 1 - i : i, j);
            if (v != kPixelNone) p.Set(x + i, y + j, static_cast<uint8_t>(v + offset));
        }
}

void Copy(Picture& dst, int dx, int dy, const Picture& src, int sx, int sy, int w, int h, int key) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!src.In(sx + i, sy + j)) continue;
            uint8_t v = src.At(sx + i, sy + j);
            if (key >= 0 && v == key) continue;
            dst.Set(dx + i, dy + j, v);
        }
}

void CopyTurned(Picture& dst, double cx, double cy, const Picture& src, int sx, int sy, int w,
                int h, int angle, uint8_t key) {
    const double a = angle * kTurn, c = std::cos(a), s = std::sin(a);
    const int r = static_cast<int>(std::ceil(std::hypot(w, h) / 2)) + 1;
    for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i) {
            double px = i + 0.5 + (cx - std::floor(cx)) - 0.5, py = j + 0.5;
            // Inverse rotation back into the source.
            double u = px * c + py * s + w / 2.0, v = -px * s + py * c + h / 2.0;
            int ui = static_cast<int>(std::floor(u)), vi = static_cast<int>(std::floor(v));
            if (ui < 0 || vi < 0 || ui >= w || vi >= h) continue;
            uint8_t val = src.Get(sx + ui, sy + vi, key);
            if (val == key) continue;
            dst.Set(static_cast<int>(std::floor(cx)) + i, static_cast<int>(std::floor(cy)) + j, val);
        }
}

}  // namespace zvtools

namespace zvtools {
double Noise(double x, double y, double scale, int seed) {
    const double fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    const double c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}
}  // namespace zvtools

namespace zvtools {
void RenderMaterials(Picture& dst, int x0, int y0, const Picture& ids,
                     const std::vector<Material>& mats, int key, int edge) {
    int top = ids.H, bottom = -1;
    std::vector<int> bx0(mats.size(), ids.W), bx1(mats.size(), -1), by0(mats.size(), ids.H), by1(mats.size(), -1);
    for (int y = 0; y < ids.H; ++y)
        for (int x = 0; x < ids.W; ++x) {
            int m = ids.At(x, y);
            if (!m || m >= static_cast<int>(mats.size())) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            bx0[m] = std::min(bx0[m], x);
            bx1[m] = std::max(bx1[m], x);
            by0[m] = std::min(by0[m], y);
            by1[m] = std::max(by1[m], y);
        }
    if (bottom < 0) return;
    for (int y = 0; y < ids.H; ++y)
        for (int x = 0; x < ids.W; ++x) {
            const int m = ids.At(x, y);
            if (!m || m >= static_cast<int>(mats.size())) continue;
            const Material& mt = mats[m];
            double l = mt.Base;
            if (mt.Sphere) {
                const double cx = (bx0[m] + bx1[m] + 1) / 2.0, cy = (by0[m] + by1[m] + 1) / 2.0;
                const double rx = std::max(1.0, (bx1[m] - bx0[m] + 1) / 2.0), ry = std::max(1.0, (by1[m] - by0[m] + 1) / 2.0);
                const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
                const double d = std::min(1.0, dx * dx + dy * dy), nz = std::sqrt(1 - d);
                const double lit = std::max(0.0, -0.55 * dx - 0.6 * dy + 0.58 * nz);
                l = 0.1 + 0.75 * lit + 0.4 * std::pow(lit, 10.0) + (mt.Base - 0.55);
            } else {
                const double t = bottom > top ? static_cast<double>(y - top) / (bottom - top) : 0.5;
                l += mt.Gradient * (0.5 - t);
                auto other = [&](int i, int j) { return ids.Get(i, j, 0) != m; };
                if (other(x - 1, y) || other(x, y - 1)) l += mt.Rim;
                else if (other(x + 1, y) || other(x, y + 1)) l -= mt.Rim;
            }
            dst.Set(x0 + x, y0 + y, mt.R.At(std::clamp(l, 0.0, 1.0)));
        }
    if (edge >= 0) Outline(dst, x0, y0, ids.W, ids.H, static_cast<uint8_t>(key), static_cast<uint8_t>(edge));
}
}  // namespace zvtools

namespace zvtools {
void Shaper::Poly(const std::vector<Pt>& pts, uint8_t id) {
    std::vector<Pt> q;
    for (Pt p : pts) {
        p.X *= Scale;
        p.Y *= FlipY ? -Scale : Scale;
        q.push_back(p);
    }
    FillPoly(Ids, Turn(q, Angle, Cx, Cy), id);
}
void Shaper::Rect(double x0, double y0, double x1, double y1, uint8_t id) {
    Poly({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, id);
}
void Shaper::Ellipse(double x, double y, double rx, double ry, uint8_t id) {
    std::vector<Pt> pts;
    for (int i = 0; i < 28; ++i) {
        const double a = i * 6.283185307179586 / 28;
        pts.push_back({x + rx * std::cos(a), y + ry * std::sin(a)});
    }
    Poly(pts, id);
}
void Shaper::Bar(Pt a, Pt b, double width, uint8_t id) {
    const double dx = b.X - a.X, dy = b.Y - a.Y, len = std::max(1e-6, std::hypot(dx, dy));
    const double nx = -dy / len * width / 2, ny = dx / len * width / 2;
    Poly({{a.X + nx, a.Y + ny}, {b.X + nx, b.Y + ny}, {b.X - nx, b.Y - ny}, {a.X - nx, a.Y - ny}}, id);
}
}  // namespace zvtools
