// bullet.bmp: enemy bullet cells, items, pop-ups and explosions.
#include "common/sheetgen.h"
#include "common/bulletcolours.h"

namespace zvtools {
namespace {

void Generate(const GenContext& ctx) {
    SheetCanvas s = StartSheet("bullet.bmp");
    s.Pal = BulletPalette();
    FillEmptyRects(s, Ramp{BulletIndex(kGroupSteel, 0), 4}, BulletIndex(kGroupSteel, 0));
    FinishSheet(ctx, s);
}

ZV_GENERATOR("bullet.bmp", Generate);

}  // namespace
}  // namespace zvtools
