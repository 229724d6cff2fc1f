// Any bytes as zvscore.dat: parsed, then a score inserted at every rank.
#include <cstddef>
#include <cstdint>

#include "zvcommon/scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TScoreTable table;
    ParseScores(data, size, table);
    for (int32_t k = 0; k < ScoreEntries; ++k) {
        const int32_t score = table[k].Score;
        InsertScoreEntry(table, score == INT32_MAX ? score : score + 1, k % 3);
    }
    (void)ScoreRank(table, INT32_MIN);
    return 0;
}
