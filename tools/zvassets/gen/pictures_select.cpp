// select.bmp: the three portraits, the selection frame and the weapon panel pieces.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("select.bmp");
    s.Pal = frontpal::Select();
    FillEmptyRects(s, stagepal::R(5), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("select.bmp", Generate);

}  // namespace
}  // namespace zvtools
