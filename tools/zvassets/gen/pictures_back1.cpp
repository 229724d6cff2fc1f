// back1.bmp: stage 1 terrain tiles and the ground base behind them.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back1.bmp");
    s.Pal = stagepal::Back(1);
    FillEmptyRects(s, stagepal::R(1), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back1.bmp", Generate);

}  // namespace
}  // namespace zvtools
