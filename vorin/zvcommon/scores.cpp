#include "zvcommon/scores.h"

#include <algorithm>
#include <cstring>

#include "zvcommon/readfile.h"

TScoreTable ScoreTable;

void DefaultScores(TScoreTable& table) {
    for (int32_t k = 0; k < ScoreEntries; ++k) table[k] = {100000 - 20000 * k, k % 3};
}

void ParseScores(const uint8_t* data, size_t size, TScoreTable& table) {
    uint8_t bytes[ScoreFileSize] = {};
    // An empty file comes without a buffer; memcpy must not see its null pointer.
    if (size > 0) std::memcpy(bytes, data, std::min(size, ScoreFileSize));
    for (int32_t k = 0; k < ScoreEntries; ++k) {
        std::memcpy(&table[k].Score, bytes + 8 * k, 4);
        std::memcpy(&table[k].Character, bytes + 8 * k + 4, 4);
    }
}

void ReadScores(const std::string& path, TScoreTable& table) {
    if (!FileExists(path)) {
        DefaultScores(table);
        return;
    }
    const std::vector<uint8_t> bytes = ReadDataFile(path);
    ParseScores(bytes.data(), bytes.size(), table);
}

void WriteScores(const std::string& path, const TScoreTable& table) {
    uint8_t bytes[ScoreFileSize];
    for (int32_t k = 0; k < ScoreEntries; ++k) {
        std::memcpy(bytes + 8 * k, &table[k].Score, 4);
        std::memcpy(bytes + 8 * k + 4, &table[k].Character, 4);
    }
    SaveDataFile(path, bytes, sizeof bytes);
}

int32_t ScoreRank(const TScoreTable& table, int32_t score) {
    int32_t r = 0;
    while (r < ScoreEntries && table[r].Score >= score) ++r;
    return r;
}

bool InsertScoreEntry(TScoreTable& table, int32_t score, int32_t character) {
    const int32_t r = ScoreRank(table, score);
    if (r >= ScoreEntries) return false;
    for (int32_t k = ScoreEntries - 1; k > r; --k) table[k] = table[k - 1];
    table[r] = {score, character};
    return true;
}
