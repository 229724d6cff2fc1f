// back2.bmp: stage 2 sky and the six parallax layers over the sea.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back2.bmp");
    s.Pal = stagepal::Back(2);
    FillEmptyRects(s, stagepal::R(3), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back2.bmp", Generate);

}  // namespace
}  // namespace zvtools
