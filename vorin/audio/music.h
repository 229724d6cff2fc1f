#pragma once
// Background music: the game starts songs by number through one play-song operation.
#include <cstdint>

// Song numbers.
constexpr int32_t SongSelect = 1;  // character select
constexpr int32_t SongBoss = 2;    // boss approach
constexpr int32_t SongStage1 = 3;
constexpr int32_t SongStage2 = 4;
constexpr int32_t SongStage5 = 5;

// 0 stops the music; any other number starts that song (stopping the one playing).
void PlaySong(int32_t n);
