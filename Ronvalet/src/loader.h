#pragma once
// Standard MIDI File loading: parses format 0 and 1 files into one merged, packed event list
// whose times are milliseconds.
#include <cstddef>
#include <cstdint>

#include "song.h"
#include "tempo.h"

namespace ronvalet {

// Parses a whole file image. On success fills `song` and `tempo` (division, format, track count
// and the last tempo of the song) and returns true; on any fault returns false and leaves
// `tempo` alone. Never reads outside [data, data + size).
bool parseSmf(const uint8_t* data, size_t size, Song& song, Tempo& tempo);

enum class LoadResult { Ok, ReadFailed, ConvertFailed };

// Reads and parses a file, writing the library's traces on failure.
LoadResult loadSmfFile(const char* fileName, Song& song, Tempo& tempo);

}  // namespace ronvalet
