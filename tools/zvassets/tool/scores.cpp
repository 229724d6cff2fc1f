// zvtool scores FILE: prints the high-score table.
#include <cstdio>

#include "base/paths.h"
#include "common/registry.h"
#include "zvcommon/readfile.h"
#include "zvcommon/scores.h"

namespace {
int ScoresCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zvtool scores FILE\n");
        return 2;
    }
    try {
        const auto bytes = ReadDataFile(args[0]);
        TScoreTable table;
        ParseScores(bytes.data(), bytes.size(), table);
        int problems = 0;
        for (int k = 0; k < ScoreEntries; ++k) {
            std::printf("%d  %10d  character %d\n", k + 1, table[k].Score, table[k].Character);
            if (table[k].Character < 0 || table[k].Character > 2) {
                std::printf("problem: entry %d has character %d\n", k + 1, table[k].Character);
                ++problems;
            }
            if (k > 0 && table[k].Score > table[k - 1].Score) {
                std::printf("problem: entry %d scores more than entry %d\n", k + 1, k);
                ++problems;
            }
        }
        if (bytes.size() != ScoreFileSize) {
            std::printf("problem: the file has %zu bytes, not 40\n", bytes.size());
            ++problems;
        }
        return problems == 0 ? 0 : 1;
    } catch (const EInOutError& e) {
        std::fprintf(stderr, "zvtool: %s\n", e.what());
        return 1;
    }
}
}  // namespace

ZV_COMMAND("scores", "FILE    print the high-score table (zvscore.dat)", ScoresCommand);
