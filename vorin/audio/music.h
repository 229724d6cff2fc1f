#pragma once
// Music control: the five songs of the music library and when the game starts them.
#include <cstdint>
#include <string>

#include "base/sounds.h"

// The file of a song number 1..5; nullptr for any other number.
const char* SongFile(int32_t song);

// Opens the music library and loads songs 1 to 5 from dir (ending in '/') on a thread of its
// own, and returns at once. Results are ignored: without a MIDI output or a song the game plays
// on silently. Nothing with MusicEnabled false.
void LoadSongs(const std::string& dir);
// The SoundFont the music library will load, as it chooses it: $RONVALET_SOUNDFONT when set,
// else the first readable of the system's General MIDI defaults; empty when there is none.
std::string SoundFontInUse();
// Releases the music library (shut-down), when LoadSongs opened it; waits for the loading when
// it has not ended.
void ReleaseSongs();

// The play-song operation: 0 stops the music, any other number starts that song once
// (the song playing stops first). Asked for while the library is still loading, the song starts
// when it is ready (a stop cancels it); the dump records the request at once either way.
void PlaySong(int32_t n);
// Stops the music (entering the title, a boss destroyed at the end of a stage).
void StopSong();
