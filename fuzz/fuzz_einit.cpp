// Any bytes as einit.dat: the table is read, then every kind is spawned and scrolled.
#include <cstddef>
#include <cstdint>

#include "world/objects.h"
#include "world/play.h"
#include "world/spawn.h"
#include "world/state.h"
#include "zvcommon/enemytypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetWorld();
    BuildTrigTables();
    ParseEnemyTypes(data, size, EnemyTypes);
    for (int32_t kind = 1; kind < EnemyTypeCount; ++kind) SpawnObject(100, 100, kind, kind * 37);
    ScrollSpeedX = 24;
    ScrollSpeedY = -8;
    for (StageClock = 0; StageClock < 8; ++StageClock) ScrollStep();
    return 0;
}
