#pragma once
// The boss programs (entry, movement, attack phases, time-out); the set-ups at spawn are
// declared in world/passes.h.
#include <cstdint>

// The bosses' time-out: past this age (on a frame whose age has bit 2 clear) they leave.
constexpr int32_t BossTimeOutAge = 10800;

// Twin chains: two chains of 8 segments; trailing body: 16 segments.
constexpr int32_t ChainCount = 2;
constexpr int32_t ChainLength = 8;
constexpr int32_t BodyLength = 16;

// Phases of the trailing craft in WorldRegA.
constexpr int32_t TrailHunting = 0;
constexpr int32_t TrailLeaving = 4;
constexpr int32_t TrailStrafing = 8;
constexpr int32_t TrailCrossing = 9;
constexpr int32_t TrailStrafingOut = 10;

// The chain boss whose colours the scene shows (0: the sheet's own); reset at every stage
// start. The scene writes them over the stage enemy sheet's glow.
extern int32_t SceneColourKind;

// One frame of the boss in slot (kinds 192 and above) and of its chains or body.
void BossBehaviour(int32_t slot);

struct TWorldObject;
// The entering boss (state 2) moves left; at its entry point it becomes active with age and
// param 0 (the chain boss also draws its drift). True when it was entering this frame,
// the frame it arrives included.
bool BossEnter(TWorldObject& o);

// The programs BossBehaviour dispatches to.
void CraftBoss(int32_t slot);  // the large craft
void ChainBoss(int32_t slot);  // the chain fighter and the red chains
void TrailBoss(int32_t slot);  // the trailing craft
// A boss other than the chain bosses past its time-out leaves: a last ring, and it dies without
// score; the stage ends only when it has the boss flag. True when it did so this frame.
bool BossTimeOut(int32_t slot);

// Lowest run of count consecutive slots of 64..256 from first on that are free for a boss
// body (kind 0, or 40 as the game counts it); -1 when there is none.
int32_t FindFreeRun(int32_t first, int32_t count);
