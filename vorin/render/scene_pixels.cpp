// The locked pixel pass: particles, bonus medals and enemy bullets written byte by byte
// from BulletCells, so up to 193 bullets cost no blit each.
#include <algorithm>

#include "base/blit.h"
#include "krdxlib/arith.h"
#include "render/assets.h"
#include "render/display.h"
#include "render/scene.h"
#include "shell/shell.h"
#include "world/objects.h"

namespace {

constexpr int32_t CellSize = 16;
constexpr int32_t CellHalf = 8;
constexpr int32_t SparkCell = 94;   // a bullet's first two frames
constexpr int32_t MedalCell = 80;   // first of the medal's eight frames
constexpr int32_t VanishCell = 92;  // first frame of the vanishing flash
constexpr int32_t ParticleMaxFineY = 3824;
constexpr uint32_t CyclingLook = 8;  // the look whose colour group changes every 2 frames

void DrawParticles(const TSurfaceDesc& p) {
    for (int32_t i = 0; i < EffectCount; ++i) {
        const TEffect& e = Effects[i];
        if (e.Kind == 0 || e.FineY <= 0 || e.FineY >= ParticleMaxFineY) continue;
        const uint8_t colour = static_cast<uint8_t>(e.Colour - (e.Age >> (e.FadeShift & 31)));
        const int32_t px = PixelTrunc(e.FineX), py = PixelTrunc(e.FineY);
        // The effect update keeps the square on screen; a hand-set position is clipped
        // rather than written outside the buffer.
        for (int32_t yy = py; yy <= py + 1; ++yy) {
            if (yy < 0 || yy >= p.Height) continue;
            uint8_t* row = p.Pixels + static_cast<size_t>(yy) * p.Pitch;
            for (int32_t xx = px; xx <= px + 1; ++xx)
                if (xx >= 0 && xx < p.Width) row[xx] = colour;
        }
    }
}

}  // namespace

int32_t BulletCellOf(int32_t kind, int32_t age, int32_t aim) {
    if (age <= 1 && kind <= BulletKind::StillC) return SparkCell;
    const int32_t a2 = age / 2;
    switch (kind) {
        case BulletKind::SmallBall:
            return 40 + a2 % 2;
        case BulletKind::SpikedBall:
            return 32 + a2 % 8;
        case BulletKind::Needle:
            return ((aim + 16) / 32) & 31;
        case BulletKind::LargeBall:
            return 44 + a2 % 4;
        case BulletKind::Streak:
        case BulletKind::TrailRay:
        case BulletKind::Homing:
        case BulletKind::TrailPiece:
            return 48 + (((aim + 16) / 32) & 15);
        case BulletKind::Crystal:
        case BulletKind::TrailCrystal:
            return 88 + a2 % 4;
        case EffectKind::Vanish:
            return VanishCell + a2;
        case BulletKind::SpareRayA:
        case BulletKind::SpareRayB:
        case BulletKind::StillA:
        case BulletKind::StillB:
        case BulletKind::StillC:
        case BulletKind::OldTrailPiece:
            return 0;
        default:
            return -1;
    }
}

uint8_t BulletColourOffset(uint32_t look, int32_t age) {
    if (look == CyclingLook) return static_cast<uint8_t>(4 + 8 * ((age / 2) % 4));
    return static_cast<uint8_t>(4 * look);
}

void DrawBulletCell(const TSurfaceDesc& p, int32_t cell, int32_t x, int32_t y, uint8_t offset) {
    // A cell number outside the table (a flash kept far past its life) has no picture.
    if (cell < 0 || cell >= BulletCellCount) return;
    const int32_t left = x - CellHalf, top = y - CellHalf;
    const int32_t j0 = std::max(0, -left), j1 = std::min(CellSize, p.Width - left);
    const int32_t i0 = std::max(0, -top), i1 = std::min(CellSize, p.Height - top);
    if (i1 <= i0 || j1 <= j0) return;
    const uint8_t* in = BulletCells[cell].data() + i0 * CellSize + j0;
    uint8_t* out = p.Pixels + static_cast<ptrdiff_t>(top + i0) * p.Pitch + (left + j0);
    if (j0 == 0 && j1 == CellSize) {
        // Whole rows: sixteen pixels as one vector.
        const TBytes16 clear = Splat16(BulletTransparent), add = Splat16(offset);
        for (int32_t i = i0; i < i1; ++i, in += CellSize, out += p.Pitch) {
            const TBytes16 v = Load16(in), lit = v + add, o = Load16(out);
            const TBytes16 keep = reinterpret_cast<TBytes16>(v == clear);
            Store16(out, lit ^ ((lit ^ o) & keep));
        }
        return;
    }
    for (int32_t i = i0; i < i1; ++i, in += CellSize, out += p.Pitch)
        for (int32_t j = 0; j < j1 - j0; ++j)
            if (in[j] != BulletTransparent) out[j] = static_cast<uint8_t>(in[j] + offset);
}

void DrawPixelPass(const TSurfaceDesc& p) {
    if (ParticlesOn) DrawParticles(p);
    for (int32_t i = FirstWorldSlot; i <= LastWorldSlot; ++i) {
        const TWorldObject& o = Objects[i];
        if (o.Kind == ItemKind::Medal) DrawBulletCell(p, MedalCell + (o.Age / 2) % 8, o.X, o.Y, 0);
    }
    for (int32_t i = FirstWorldSlot; i <= LastWorldSlot; ++i) {
        const TWorldObject& o = Objects[i];
        if (o.Kind < KindFirstBullet || o.Kind > EffectKind::Vanish) continue;
        DrawBulletCell(p, BulletCellOf(o.Kind, o.Age, o.BulletAngle()), o.X, o.Y,
                       BulletColourOffset(BulletLook(o), o.Age));
    }
}
