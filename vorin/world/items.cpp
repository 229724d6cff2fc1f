// The effects and items pass: every object's flash and age, then the moving items and the
// short-lived effects.
#include "world/objects.h"
#include "world/passes.h"

void ItemPass() {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        TWorldObject& o = Objects[s];
        if (o.Kind == KindFree) continue;
        if (o.Flash > 0) o.Flash -= 1;
        o.Age += 1;
    }
}
