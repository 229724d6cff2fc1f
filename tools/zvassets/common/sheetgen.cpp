#include "common/sheetgen.h"

#include <stdexcept>

namespace zvtools {

SheetCanvas StartSheet(const std::string& file) {
    SheetCanvas s;
    s.Spec = FindSheet(file);
    if (!s.Spec) throw std::runtime_error(file + ": not a sheet of the game");
    s.Key = static_cast<uint8_t>(s.Spec->KeyIndex);
    s.Pic = Picture(s.Spec->Width, s.Spec->Height, s.Key);
    return s;
}

void FillEmptyRects(SheetCanvas& s, const Ramp& ramp, uint8_t outline) {
    for (const SheetRect& r : SheetRects(s.Spec->File)) {
        bool any = false;
        for (int y = r.T; y < r.B && !any; ++y)
            for (int x = r.L; x < r.R && !any; ++x) any = s.Pic.Get(x, y, s.Key) != s.Key;
        if (!any) PlaceholderBox(s.Pic, r.L, r.T, r.R, r.B, ramp, s.Key, outline);
    }
}

void FinishSheet(const GenContext& ctx, const SheetCanvas& s) {
    const SheetSpec& sp = *s.Spec;
    const std::string name = sp.File;
    const int range = sp.RangeCount > 0 ? sp.RangeCount : 32;
    if (static_cast<int>(s.Pal.size()) < range)
        throw std::runtime_error(name + ": colour table shorter than its range");
    for (int y = 0; y < s.Pic.H; ++y)
        for (int x = 0; x < s.Pic.W; ++x) {
            const int v = s.Pic.At(x, y);
            if (v >= range && v != s.Key)
                throw std::runtime_error(name + ": pixel (" + std::to_string(x) + ", " +
                                         std::to_string(y) + ") has index " + std::to_string(v) +
                                         " outside the picture's range");
        }
    if (sp.KeyX >= 0 && s.Pic.At(sp.KeyX, sp.KeyY) != s.Key)
        throw std::runtime_error(name + ": the colour key pixel does not hold the key");
    SavePicture(ctx.out / name, s.Pic, sp.Bits, s.Pal);
}

}  // namespace zvtools
