// Any bytes as a stage map file: loaded into the block, then the background test and a few
// hundred timeline steps, with a scroll step every fourth, run over what was loaded.
#include <cstddef>
#include <cstdint>

#include "base/paths.h"
#include "world/play.h"
#include "world/state.h"
#include "zvcommon/stagemap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetWorld();
    try {
        LoadStageMap(data, size, "Stage1.map", StageMap);
    } catch (const EInOutError&) {
        return 0;
    }
    HasTerrain = 1;
    for (int32_t y = -16; y < 256; y += 15) {
        for (int32_t x = -16; x < 336; x += 13) (void)BackgroundSolid(x, y);
    }
    for (StageClock = 0; StageClock < 300; ++StageClock) {
        TimelineStep(false);
        if (StageClock % 4 == 0) ScrollStep();  // the scroll's cost is per slot, not per input
    }
    return 0;
}
