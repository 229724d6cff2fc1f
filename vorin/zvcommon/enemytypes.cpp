#include "zvcommon/enemytypes.h"

#include <algorithm>
#include <cstring>

#include "zvcommon/readfile.h"

void ParseEnemyTypes(const uint8_t* data, size_t size, TEnemyType* table) {
    std::memset(static_cast<void*>(table), 0, EnemyTypeFileSize);
    if (size > 0) std::memcpy(static_cast<void*>(table), data, std::min(size, EnemyTypeFileSize));
}

void ReadEnemyTypes(const std::string& path, TEnemyType* table) {
    const std::vector<uint8_t> bytes = ReadDataFile(path);
    ParseEnemyTypes(bytes.data(), bytes.size(), table);
}
