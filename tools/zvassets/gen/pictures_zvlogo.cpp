// zvlogo.bmp: the title logo ZELVORIN.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("zvlogo.bmp");
    s.Pal = frontpal::Logo();
    FillEmptyRects(s, Ramp{2, 7}, 1);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("zvlogo.bmp", Generate);

}  // namespace
}  // namespace zvtools
