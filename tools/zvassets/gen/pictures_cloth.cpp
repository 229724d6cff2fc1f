// cloth.bmp: the front-end background.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("cloth.bmp");
    s.Pal = frontpal::Cloth();
    FillEmptyRects(s, Ramp{0, 8}, 0);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("cloth.bmp", Generate);

}  // namespace
}  // namespace zvtools
