// player.bmp: the ships, anchors, chain, charge glows and ship shots.
#include "common/sheetgen.h"
#include "pictures_palettes.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("player.bmp");
    s.Pal = playerpal::Colors();
    FillEmptyRects(s, playerpal::kSteel, playerpal::kEdge);
    FinishSheet(ctx, s);
}

ZV_GENERATOR("player.bmp", Generate);

}  // namespace
}  // namespace zvtools
