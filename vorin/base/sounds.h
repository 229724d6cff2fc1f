#pragma once
// The numbers by which game code names its sound effects and songs; the audio subsystem
// plays them (vorin/audio/).
#include <cstdint>

// Effect indices (the only way game code names an effect).
namespace Sfx {
constexpr int32_t ShotNormal = 0;  // main-shot volley
constexpr int32_t Laser = 1;       // laser volley
constexpr int32_t Explosion = 2;   // explosion, ship hit, step of a dying sequence
constexpr int32_t Explosion2 = 3;  // final explosion of a dying sequence
constexpr int32_t Select = 4;      // cursor move in the front end
constexpr int32_t Decide = 5;      // confirmation in the front end
constexpr int32_t Sign = 6;        // charged shot button
constexpr int32_t Item = 7;        // item pick-up (plays "decide")
constexpr int32_t Count = 8;
}  // namespace Sfx

// Song numbers (slots of the music library).
namespace Song {
constexpr int32_t Select = 1;  // character select
constexpr int32_t Boss = 2;    // the boss approach
constexpr int32_t Stage1 = 3;
constexpr int32_t Stage2 = 4;
constexpr int32_t Stage5 = 5;
constexpr int32_t Count = 5;
}  // namespace Song
