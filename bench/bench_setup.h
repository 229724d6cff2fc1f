#pragma once
// What every world benchmark starts from: a clean world, the trig tables, a fixed seed, and
// (for the benchmarks that play sounds) effects that are only recorded, never heard.
#include <utility>
#include <vector>

#include "audio/effects.h"
#include "krdxlib/geometry.h"
#include "world/state.h"
#include "zvrandom.h"

inline void QuietWorld() {
    ResetWorld();
    BuildTrigTables();
    Randomize(1);
}

inline void SilentEffects() {
    std::vector<TWaveEntry> names(Sfx::Count);
    for (int32_t i = 0; i < Sfx::Count; ++i) names[i].Name = EffectName(i);
    SetWaveList(std::move(names), "bench");
}
