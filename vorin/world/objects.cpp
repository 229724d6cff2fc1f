#include "world/objects.h"

#include <cstring>

#include "krdxlib/arith.h"

TPlayer Players[PlayerCount];
TWorldObject Objects[ObjectCount];
TEffect Effects[EffectCount];
TPathPoint PathRing[PathRingSize];
int32_t PathHead = 0;

namespace {
// Lifetime, colour and fade shift of each particle kind, indexed by the kind.
struct TEffectLook {
    int32_t Lifetime;
    uint8_t Colour;
    int32_t FadeShift;
};
constexpr TEffectLook EffectLooks[6] = {
    {0, 0, 0},     // unused
    {240, 6, 6},   // HitSpark
    {30, 76, 3},   // Scratch
    {240, 76, 6},  // Debris
    {30, 71, 3},   // ShipDebris
    {30, 31, 3},   // Sparkle
};
static_assert(ParticleKind::HitSpark == 1 && ParticleKind::Sparkle == 5);
constexpr int32_t EffectMaxFineX = 5088;
constexpr int32_t EffectMaxFineY = 3808;

// Slots s..s+3 all in use, tested without a branch each.
bool FourBusy(int32_t s) {
    return (Objects[s].Kind != KindFree) & (Objects[s + 1].Kind != KindFree) &
           (Objects[s + 2].Kind != KindFree) & (Objects[s + 3].Kind != KindFree);
}

// Open TEffectSpawns; while above 0, effect slots below EffectSearchFrom are all busy.
int32_t EffectSpawnScopes = 0;
int32_t EffectSearchFrom = 0;
}  // namespace

TEffectSpawns::TEffectSpawns() {
    if (EffectSpawnScopes++ == 0) EffectSearchFrom = 0;
}

TEffectSpawns::~TEffectSpawns() {
    EffectSpawnScopes -= 1;
}

std::pair<int32_t, bool> FindFreeSlot(int32_t first, int32_t last) {
    int32_t s = first;
    // Four slots a test while none of them is free: a full table is searched often.
    while (s + 3 <= last && FourBusy(s)) s += 4;
    for (; s <= last; ++s) {
        if (Objects[s].Kind == KindFree) return {s, true};
    }
    return {last + 1, false};
}

void ResetPathRing(int32_t x, int32_t y) {
    for (TPathPoint& p : PathRing) p = {x, y, 0};
}

void SpawnEffect(int32_t x, int32_t y, int32_t velocityX, int32_t velocityY, int32_t kind) {
    const bool resume = EffectSpawnScopes > 0;
    for (int32_t i = resume ? EffectSearchFrom : 0; i <= LastSpawnableEffect; ++i) {
        TEffect& e = Effects[i];
        if (e.Kind != 0) continue;
        if (resume) EffectSearchFrom = kind != 0 ? i + 1 : i;
        e.FineX = FineOf(x);
        e.FineY = FineOf(y);
        e.Age = 0;
        e.VelocityX = velocityX;
        e.VelocityY = velocityY;
        e.Kind = kind;
        if (kind >= ParticleKind::HitSpark && kind <= ParticleKind::Sparkle) {
            e.Lifetime = EffectLooks[kind].Lifetime;
            e.Colour = EffectLooks[kind].Colour;
            e.FadeShift = EffectLooks[kind].FadeShift;
        }
        return;
    }
    if (resume) EffectSearchFrom = LastSpawnableEffect + 1;
}

void UpdateEffects() {
    EffectSearchFrom = 0;
    for (TEffect& e : Effects) {
        e.Age += 1;
        if (e.Kind != 0) {
            e.FineX += e.VelocityX;
            e.FineY += e.VelocityY;
        }
        if (e.Age > e.Lifetime || e.FineX < 0 || e.FineX > EffectMaxFineX || e.FineY < 0 ||
            e.FineY > EffectMaxFineY) {
            e.Kind = 0;
        }
    }
}

uint32_t BulletLook(const TWorldObject& o) {
    uint32_t look;
    std::memcpy(&look, &o.State, sizeof look);
    return look;
}

void SetBulletLook(TWorldObject& o, uint32_t look) {
    std::memcpy(&o.State, &look, sizeof look);
}
