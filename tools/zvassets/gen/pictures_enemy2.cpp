// enemy2.bmp: stage 2 enemies and the fast craft OLMARD.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy2.bmp");
    s.Pal = stagepal::Enemy(2);
    FillEmptyRects(s, stagepal::R(2), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy2.bmp", Generate);

}  // namespace
}  // namespace zvtools
