// The boss programs and their set-ups at spawn.
#include "world/bosses.h"

#include "world/objects.h"
#include "world/passes.h"
#include "world/state.h"

void BossBehaviour(int32_t) {}

void BuildFortressParts(int32_t) {}
void BuildTrailBody(int32_t) {}
void BuildBossChains(int32_t) {}
