// enemy.bmp: the enemies common to every stage.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("enemy.bmp");
    s.Pal = enemypal::Colors();
    FillEmptyRects(s, enemypal::kHull, enemypal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("enemy.bmp", Generate);

}  // namespace
}  // namespace zvtools
