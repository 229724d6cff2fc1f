#pragma once
// Whole-file reading and all-or-nothing file replacement for the game's small data files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file; false with the reason in error when it cannot be read or is larger
// than maxSize bytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error,
                   size_t maxSize);
// Writes the bytes to a temporary file beside path, flushes it and renames it over path, so
// readers see either the old file or the new one, never a mix. False with the reason in
// error on any failure; the old file is then untouched and the temporary file removed.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string& error);
