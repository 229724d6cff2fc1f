// back5.bmp: stage 5 band of light and its six pairs of streaming layers.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("back5.bmp");
    s.Pal = stagepal::Back(5);
    FillEmptyRects(s, stagepal::R(3), stagepal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("back5.bmp", Generate);

}  // namespace
}  // namespace zvtools
