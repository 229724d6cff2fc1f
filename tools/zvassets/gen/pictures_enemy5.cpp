// enemy5.bmp: stage 5 enemies and the experimental fighter plane SAI-FEN.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy5.bmp");
    s.Pal = stagepal::Enemy(5);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy5.bmp", Generate);

}  // namespace
}  // namespace zvtools
