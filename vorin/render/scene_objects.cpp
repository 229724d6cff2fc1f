// The world objects' pictures by kind: items, pop-ups, explosions, enemies and bosses.
#include "render/assets.h"
#include "render/display.h"
#include "render/scene.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

// Which hit-flash copy a sprite switches to while its flash counter runs.
enum class Flash { None, Enemy, StageEnemy };

// A sprite of `sheet` from `src` with its top-left corner at (x, y). While the object's
// flash counter is above 0 the source moves down to the sheet's grey-white copy.
void Sprite(const TWorldObject& o, const TSurface& sheet, TRect src, int32_t x, int32_t y,
            Flash flash) {
    if (o.Flash > 0 && flash != Flash::None) {
        const int32_t off = flash == Flash::Enemy ? EnemyFlashOffset : StageEnemyFlashOffset;
        src.Top += off;
        src.Bottom += off;
    }
    Draw(Display.BackBuffer, x, y, sheet, src, true);
}

// A square cell of size n from a sheet laid out `perRow` cells to a row from (left, top).
TRect Cell(int32_t index, int32_t perRow, int32_t n, int32_t left, int32_t top) {
    return Bounds(left + n * (index % perRow), top + n * (index / perRow), n, n);
}

void DrawPopUp(const TWorldObject& o) {
    const int32_t p = o.Param, x = o.X, y = o.Y;
    if (p == 0) {
        // The reversed rectangle asks Draw for a mirrored 26x8 copy.
        Sprite(o, BulletSheet, {89, 112, 63, 120}, x - 13, y - 4, Flash::None);
    } else if (p >= 1 && p <= 4) {
        Sprite(o, BulletSheet, {32 * (p - 1), 112, 32 * p, 120}, x - 16, y - 4, Flash::None);
    }
}

// The tank's tracks: the body, then tracks that turn with the ground. The track phase is kept
// in the object's frame - the scene's one write into the world.
void DrawTracked(TWorldObject& o, int32_t left, int32_t width, int32_t half, Flash bodyFlash) {
    const int32_t q = (ScrollX + o.X) & 3;
    o.Frame = q;
    Sprite(o, StageEnemySheet, {left, 0, left + width, 40}, o.X - half, o.Y - 20, bodyFlash);
    Sprite(o, StageEnemySheet, {left, 40 + 14 * q, left + width, 54 + 14 * q}, o.X - half, o.Y + 20,
           Flash::None);
}

void DrawChainBoss(const TWorldObject& o) {
    const int32_t x = o.X, y = o.Y, k = o.Kind;
    const int32_t w = (UpdateCount / 2) % 4;
    Sprite(o, StageEnemySheet, {112, 0, 320, 100}, x - 112, y - 64, Flash::StageEnemy);
    Sprite(o, StageEnemySheet, {42 + 11 * w, 192, 53 + 11 * w, 234}, x + 32, y - 15,
           Flash::StageEnemy);
    Sprite(o, StageEnemySheet, {20 * k - 3838, 240, 20 * k - 3818, 270}, x + 47, y - 15,
           Flash::StageEnemy);
}

}  // namespace

bool ObjectShown(const TWorldObject& o) {
    return !(o.State == 1 && (o.Age & 8) != 0);
}

void DrawWorldObject(TWorldObject& o) {
    const int32_t x = o.X, y = o.Y, a = o.Age, f = o.Frame, p = o.Param;
    constexpr Flash E = Flash::Enemy, S = Flash::StageEnemy, No = Flash::None;
    const TSurface &bs = BulletSheet, &es = EnemySheet, &ss = StageEnemySheet;
    switch (o.Kind) {
        case ItemKind::DriftingBonus: {
            const int32_t c = ((a / 8) % 6) * 24;
            Sprite(o, bs, {112 + c, 120, 136 + c, 144}, x - 12, y - 12, No);
            break;
        }
        case ItemKind::PowerUp: {
            const int32_t c = ((a / 4) % 4) * 24;
            Sprite(o, bs, {16 + c, 120, 40 + c, 144}, x - 12, y - 12, No);
            Sprite(o, bs, {16 * p, 96, 16 * p + 16, 112}, x - 8, y - 8, No);
            break;
        }
        case EffectKind::ScorePopUp:
            DrawPopUp(o);
            break;
        case EffectKind::MultiplierPopUp:
            Sprite(o, bs, {128, 224 + 8 * p, 144, 232 + 8 * p}, x - 8, y - 4, No);
            break;
        case EffectKind::SmallExplosion: {
            const int32_t c = (a % 256) / 4;
            Sprite(o, bs, {32 * c, 144, 32 * c + 32, 176}, x - 16, y - 16, No);
            break;
        }
        case EffectKind::LargeExplosion: {
            const int32_t c = (a / 6) % 4, r = (a / 6) % 8 >= 4 ? 64 : 0;
            Sprite(o, bs, {64 * c, 176 + r, 64 * c + 64, 240 + r}, x - 32, y - 32, No);
            break;
        }
        case EnemyKind::Dart:
        case EnemyKind::Sinker:
        case EnemyKind::RearGunner:
        case EnemyKind::CrossGunner:
        case EnemyKind::TwinGunner:
        case EnemyKind::SpareCraft:
        case EnemyKind::RingBurster:
            Sprite(o, es, Bounds(32 * ((a / 8) % 4), 0, 32, 32), x - 16, y - 16, E);
            break;
        case EnemyKind::RotorGunship:
            Sprite(o, es, Bounds(32 * ((a / 8) % 4), 32, 32, 32), x - 16, y - 16, E);
            break;
        case EnemyKind::GroundStructure:
            Sprite(o, ss, Bounds(80 * (p % 2), 160 + 80 * (p / 2), 80, 80), x - 40, y - 52, S);
            break;
        case EnemyKind::BigGunboat:
            Sprite(o, ss, {160, 168, 320, 240}, x - 80, y - 36, S);
            break;
        case EnemyKind::CeilingGun:
            Sprite(o, es, {144, 32, 160, 48}, x - 8, y - 8, E);
            break;
        case EnemyKind::HomingMissile:
            Sprite(o, es, Bounds(160 + 20 * (f % 8), 20 * (f / 8), 20, 20), x - 10, y - 10, E);
            break;
        case EnemyKind::Launcher:
        case BossKind::LargeCraft:
            Sprite(o, ss, Cell(f, 5, 64, 0, 0), x - 32, y - 32, S);
            break;
        case EnemyKind::DistantCarrier:
            Sprite(o, ss, {160, 128, 256, 164}, x - 48, y - 18, S);
            break;
        case EnemyKind::CarrierBoat:
            if (f != 0)
                Sprite(o, ss, {256, 128, 282, 140}, x - 12, y - 8, S);
            else
                Sprite(o, ss, {270, 128, 282, 140}, x + 2, y - 8, S);
            break;
        case PartKind::Superstructure:
            Sprite(o, ss, {156, 109, 290, 146}, x - 65, y - 18, S);
            break;
        case PartKind::RearTrack:
            DrawTracked(o, 0, 80, 40, S);
            break;
        case PartKind::FrontTrack:
            DrawTracked(o, 80, 100, 50, No);
            break;
        case PartKind::SlidingGun:
            Sprite(o, ss, Bounds(261, 28 + 20 * f, 30, 20), x - 15, y - 10, S);
            break;
        case PartKind::TankTurret:
            Sprite(o, ss, Bounds(292, 16 * f, 28, 16), x - 14, y - 8, S);
            break;
        case PartKind::MissileHatch:
            Sprite(o, ss, Bounds(207 + 14 * f, 0, 14, 27), x - 7, y - 14, S);
            break;
        case PartKind::RotatingDish:
            Sprite(o, ss, {182, 28, 204, 42}, x - 11, y - 7, S);
            break;
        case PartKind::Rocket:
            Sprite(o, ss, Bounds(220 + 20 * f, 28, 20, 20), x - 10, y - 10, S);
            break;
        // Drawn from the background sheet but flashing by the stage enemy sheet's offset,
        // as the game always did.
        case EnemyKind::SlowCruiser:
            Sprite(o, BackSheet, {0, 496, 160, 666}, x, y, S);
            break;
        case EnemyKind::TransportTank:
            Sprite(o, ss, Bounds(64 * f, 320, 64, 48), x - 32, y - 20, S);
            break;
        case EnemyKind::CeilingTurret:
            Sprite(o, es, Bounds(16 * f, 80, 16, 16), x - 8, y - 8, E);
            break;
        case EnemyKind::FloorTurret:
            Sprite(o, es, Bounds(16 * f, 64, 16, 16), x - 8, y - 8, E);
            break;
        case EnemyKind::PathDart:
            Sprite(o, es, Cell(f, 8, 32, 0, 128), x - 16, y - 16, E);
            break;
        case PartKind::ChainSegment:
            Sprite(o, ss, Cell(f, 4, 24, 0, 0), x - 12, y - 12, S);
            break;
        case PartKind::BodySegment:
            Sprite(o, ss, {0, 320, 32, 352}, x - 16, y - 16, S);
            break;
        case EnemyKind::Mine:
            Sprite(o, ss, {0, 224, 16, 240}, x - 8, y - 8, S);
            break;
        case EnemyKind::BigFloorTurret:
            Sprite(o, es, Cell(f, 8, 40, 0, 280), x - 20, y - 20, E);
            break;
        case EnemyKind::HoppingGunship:
            Sprite(o, es, Cell(f, 8, 40, 0, 200), x - 20, y - 20, E);
            break;
        case EnemyKind::ThrownCanister:
        case EnemyKind::SpareCanister:
            Sprite(o, es, {40, 320, 80, 360}, x - 20, y - 20, E);
            break;
        case BossKind::HeavyTank:
            Sprite(o, ss, {0, 96, 130, 160}, x - 65, y - 32, S);
            break;
        case BossKind::ChainFighter:
        case BossKind::RedChains:
            DrawChainBoss(o);
            break;
        case BossKind::TrailCraft:
            Sprite(o, ss, Cell(f, 8, 32, 0, 352), x - 16, y - 16, S);
            break;
        default:
            break;  // free slots, other items, shots, bullets, medals: not drawn here
    }
}
