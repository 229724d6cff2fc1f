#pragma once
// Shared steps of the picture generators: a sheet canvas of the right size filled with the
// key colour, and the checked save (palette length, pixel range, key position).
#include <string>
#include <vector>

#include "common/draw.h"
#include "common/picture.h"
#include "common/registry.h"
#include "common/sheetlayout.h"

namespace zvtools {

struct SheetCanvas {
    const SheetSpec* Spec = nullptr;
    Picture Pic;
    std::vector<Rgb> Pal;
    uint8_t Key = 0;
};

SheetCanvas StartSheet(const std::string& file);
// Fills every rectangle of the sheet that still holds only the key with a placeholder box.
void FillEmptyRects(SheetCanvas& s, const Ramp& ramp, uint8_t outline);
// Throws when the palette is shorter than the range, a pixel lies outside the range (other
// than the key) or the key pixel does not hold the key; then saves into ctx.out.
void FinishSheet(const GenContext& ctx, const SheetCanvas& s);

}  // namespace zvtools
