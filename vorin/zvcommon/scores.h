#pragma once
// zvscore.dat: the five best scores, each with its character, best first (40 bytes).
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int32_t ScoreEntries = 5;
constexpr const char* ScoreFileName = "zvscore.dat";

struct TScoreEntry {
    int32_t Score = 0;
    int32_t Character = 0;  // 0, 1 or 2
};
static_assert(sizeof(TScoreEntry) == 8, "score entries are 8 bytes in zvscore.dat");

using TScoreTable = TScoreEntry[ScoreEntries];
constexpr size_t ScoreFileSize = sizeof(TScoreTable);
static_assert(ScoreFileSize == 40, "zvscore.dat is 40 bytes");

extern TScoreTable ScoreTable;  // the table in use; entry 0 is the top score

// 100000, 80000, ... 20000 with characters 0, 1, 2, 0, 1.
void DefaultScores(TScoreTable& table);
// A file image: fills the entries it covers (at most 40 bytes), the rest become zero.
void ParseScores(const uint8_t* data, size_t size, TScoreTable& table);
// Reads the file; the default table when it does not exist. A file that exists but cannot
// be read throws EInOutError naming it.
void ReadScores(const std::string& path, TScoreTable& table);
// Writes the 40 bytes (temporary file, then rename); throws EInOutError naming the file.
void WriteScores(const std::string& path, const TScoreTable& table);
// Rank of a new score: the first entry with a lower score; ScoreEntries when it does not rank
// (an equal score ranks below the entry it equals).
int32_t ScoreRank(const TScoreTable& table, int32_t score);
// Inserts the score at its rank, dropping the last entry; false (table unchanged) when it
// does not rank.
bool InsertScoreEntry(TScoreTable& table, int32_t score, int32_t character);
