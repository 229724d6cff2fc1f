// The ship's shots and the ship itself: charge glows, anchor, chain and body, all from
// PlayerSheet.
#include <cmath>

#include "krdxlib/geometry.h"
#include "render/display.h"
#include "render/scene.h"
#include "world/objects.h"

namespace {

constexpr TRect Spark{84, 313, 102, 327};  // the muzzle spark of a new shot
constexpr TRect ChainLink{76, 338, 82, 344};

void Put(TRect src, int32_t x, int32_t y) {
    Draw(Display.BackBuffer, x, y, PlayerSheet, src, true);
}

TRect Square24(int32_t index, int32_t top) {
    return Bounds(24 * (index % 8), top + 24 * (index / 8), 24, 24);
}

// The flame: the picture runs through its first four frames, flickers between frames 2 and 3
// for 4 p frames, then runs on.
int32_t FlameFrame(int32_t a, int32_t p) {
    if (a <= 15) return a / 4;
    if (a < 4 * p + 16) return (a & 4) != 0 ? 3 : 2;
    return (a - 4 * p) / 4;
}

// Whether a kind shows the spark while its age is below 3.
bool SparkFirst(int32_t kind) {
    switch (kind) {
        case ShotKind::Main:
        case ShotKind::MainHeavy:
        case ShotKind::Twin:
        case ShotKind::MissilePair:
        case ShotKind::Side:
        case ShotKind::Unmade21:
        case ShotKind::GroundMissile:
        case ShotKind::AnchorShot:
        case ShotKind::Wide:
        case ShotKind::Bound:
        case ShotKind::Unmade27:
        case ShotKind::Unmade28:
        case ShotKind::Unmade34:
        case ShotKind::Unmade36:
        case ShotKind::Drill:
        case ShotKind::LaserThin:
        case ShotKind::LaserMedium:
        case ShotKind::LaserThick:
            return true;
        default:
            return false;
    }
}

}  // namespace

void DrawShipShot(const TWorldObject& o) {
    const int32_t x = o.X, y = o.Y, a = o.Age, p = o.Param, f = o.Frame, k = o.Kind;
    if (SparkFirst(k) && a < 3) {
        if (k == ShotKind::MainHeavy)
            Put({84, 313, 102, 341}, x - 9, y - 14);
        else if (k == ShotKind::LaserThick)
            Put({304, 280, 320, 312}, x - 8, y - 16);
        else
            Put(Spark, x - 9, y - 7);
        return;
    }
    const int32_t d16 = ((p + 32) / 64) % 16, d8 = d16 % 8;
    const int32_t e16 = ((p + 16) / 32) % 16;
    const int32_t b48 = (a & 2) != 0 ? 48 : 0;
    switch (k) {
        case ShotKind::Main:
            Put({49, 338, 75, 344}, x - 13, y - 3);
            break;
        case ShotKind::MainHeavy:
            Put({49, 328, 75, 344}, x - 13, y - 8);
            break;
        case ShotKind::Twin:
            Put({8, 313, 24, 329}, x - 8, y - 8);
            break;
        case ShotKind::MissilePair:
        case ShotKind::GroundMissile:
            Put(Square24(f % 8 + ((f % 16) >= 8 ? 8 : 0), 360), x - 12, y - 12);
            break;
        case ShotKind::Side:
            Put({49 + 21 * p, 345, 69 + 21 * p, 357}, x - 10, y - 6);
            break;
        case ShotKind::Unmade21:
            Put({25, 313 + 20 * p, 47, 332 + 20 * p}, x - 12, y - 9);
            break;
        case ShotKind::Trail:
            Put(Bounds(288, 120 + 32 * (a / 2), 32, 32), x - 16, y - 16);
            break;
        case ShotKind::AnchorShot:
            Put({90, 341, 102, 353}, x - 6, y - 6);
            break;
        case ShotKind::Wide:
            Put({127 + 16 * d8, 344, 144 + 16 * d8, 360}, x - 8, y - 8);
            break;
        case ShotKind::Bound:
            Put({192, 360, 208, 376}, x - 8, y - 8);
            break;
        case ShotKind::Unmade27:
            Put(Square24(d16, 360), x - 12, y - 12);
            break;
        case ShotKind::Unmade28:
        case ShotKind::Unmade35:
        case ShotKind::Unmade36:
            Put(Square24(e16, 408), x - 12, y - 12);
            break;
        case ShotKind::HeldAnchor:
        case ShotKind::PlasmaLarge:
            Put({208, 360 + b48, 256, 408 + b48}, x - 24, y - 24);
            break;
        case ShotKind::Flame: {
            const int32_t r = FlameFrame(a, p);
            Put({128 + 32 * r, 312, 160 + 32 * r, 344}, x - 16, y - 16);
            break;
        }
        case ShotKind::Unmade34:
            Put(Square24(e16, 456), x - 12, y - 12);
            break;
        case ShotKind::Bomb:
            Put({192, 376, 208, 392}, x - 8, y - 8);
            break;
        case ShotKind::Blast:
            Put({256, 360 + b48, 304, 408 + b48}, x - 24, y - 24);
            break;
        case ShotKind::Drill:
            Put(Square24(d16, 504), x - 12, y - 12);
            break;
        case ShotKind::PlasmaSmall:
            Put((a & 2) != 0 ? TRect{224, 456, 256, 488} : TRect{192, 456, 224, 488}, x - 16,
                y - 16);
            break;
        case ShotKind::PlasmaMedium: {
            const int32_t b = (a & 2) != 0 ? 40 : 0;
            Put({192 + b, 488, 232 + b, 528}, x - 20, y - 20);
            break;
        }
        case ShotKind::LaserThin:
            Put({256 + 20 * f, 264, 276 + 20 * f, 269}, x - 12, y - 3);
            break;
        case ShotKind::LaserMedium:
            Put({256 + 20 * f, 269, 276 + 20 * f, 279}, x - 12, y - 5);
            break;
        case ShotKind::LaserThick:
            Put({256 + 20 * f, 286, 276 + 20 * f, 306}, x - 12, y - 10);
            break;
        case ShotKind::WallSpark:
            Put(a > 1 ? TRect{102, 336, 126, 360} : TRect{102, 312, 126, 336}, x - 12, y - 12);
            break;
        default:
            break;  // the flame source and Unmade30, Unmade31, Unmade43 have no picture
    }
}

int32_t ChainLinkCount(int32_t dist) {
    return dist / 8 - 3;
}

void DrawShip() {
    const TPlayer& s = Players[0];
    const int32_t ax = s.AnchorX, ay = s.AnchorY;
    for (const int32_t charge : {s.ChargeA, s.ChargeB}) {
        if (charge <= 14) continue;
        const int32_t g = charge >= 30 ? 0 : 6 - charge / 5;
        Put({256, 120 + 32 * g, 288, 152 + 32 * g}, ax - 16, ay - 16);
    }

    const int32_t h = ((s.AnchorHeading + 32) / 64) & 15;
    Put(Bounds(32 * (h % 8), 120 + 32 * (2 * s.Character + h / 8), 32, 32), ax - 16, ay - 16);

    const int64_t dx = static_cast<int64_t>(s.X) - ax, dy = static_cast<int64_t>(s.Y) - ay;
    const int32_t dist =
        static_cast<int32_t>(std::nearbyint(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
    const int32_t n = ChainLinkCount(dist);
    if (n >= 1) {
        const int32_t angle = GetAngle(ax, ay, s.X, s.Y);
        const double c = CosTable[angle], si = SinTable[angle];
        for (int32_t m = 2; m <= n + 1; ++m) {
            const int32_t rx = static_cast<int32_t>(std::nearbyint(8.0 * m * c));
            const int32_t ry = static_cast<int32_t>(std::nearbyint(8.0 * m * si));
            Put(ChainLink, ax + rx - 3, ay + ry - 3);
        }
    }

    const int32_t f = s.SpriteFrame;
    if (s.Character == 0)
        Put(Bounds(40 * f, 0, 40, 40), s.X - 24, s.Y - 21);
    else
        Put(Bounds(40 * f, 40 * s.Character, 40, 40), s.X - 20, s.Y - 20);
}
