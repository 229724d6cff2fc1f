// enemy1.bmp: stage 1 enemies and the heavy tank MERCILESS DEVASTATOR X9.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy1.bmp");
    s.Pal = stagepal::Enemy(1);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy1.bmp", Generate);

}  // namespace
}  // namespace zvtools
