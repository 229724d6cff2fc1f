#pragma once
// Reading and saving the game's data files, with errors that name the file.
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

// The data files are little-endian and are read straight into memory.
static_assert(std::endian::native == std::endian::little, "a little-endian host is assumed");

// True when a file (or anything else) exists at the path.
bool FileExists(const std::string& path);
// The file's bytes; throws EInOutError naming the file when it cannot be opened or read.
std::vector<uint8_t> ReadDataFile(const std::string& path);
// Replaces the file with the bytes: written to path + ".tmp", flushed, then renamed over the
// file, so an interrupted save leaves the old file whole. Throws EInOutError naming the file.
void SaveDataFile(const std::string& path, const void* data, size_t size);

// The rename used by SaveDataFile; tests replace it to make the last step fail.
extern int (*AtomicRename)(const char* from, const char* to);
