// Any bytes as einit.dat: the table is read, then every kind is spawned and scrolled.
#include <cstddef>
#include <cstdint>

#include "krdxlib/geometry.h"
#include "world/objects.h"
#include "world/play.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvcommon/enemytypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool trig = (BuildTrigTables(), true);  // same for all inputs
    ResetWorld();
    ParseEnemyTypes(data, size, EnemyTypes);
    ScrollSpeedX = 24;
    ScrollSpeedY = -8;
    // Kinds in groups of 32 on an emptied table: the free-slot search stays short, so the
    // input, not the search, takes the time.
    constexpr int32_t Group = 32;
    for (int32_t first = 1; first < EnemyTypeCount; first += Group) {
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) Objects[s] = TWorldObject{};
        for (int32_t kind = first; kind < first + Group && kind < EnemyTypeCount; ++kind)
            SpawnObject(100, 100, kind, kind * 37);
        for (StageClock = 0; StageClock < 8; ++StageClock) ScrollStep();
    }
    return 0;
}
