#pragma once
// The autoplayer: plays a stage from its start as a player would, through the world's step
// and snapshots, in this process. Its only output is each update's buttons; it reads the
// world's state to decide. A depth-first search over short chunks of held buttons: each
// chunk's candidates are tried ahead and ranked (survival first, then the damage dealt),
// and a dead end goes back to an earlier chunk and takes its next candidate.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/buttons.h"

namespace zvtools {

// The play to search: what a `vorin --stage N` run is started with.
struct AutoplayStart {
    int Stage = 1;
    int Character = 0;
    uint32_t Seed = 1;
    std::string Difficulty = "NORMAL";
    std::string Hells = "X1,X1,OFF";
};

// The search's knobs.
struct AutoplayKnobs {
    int ChunkFrames = 8;           // updates one decision holds its buttons
    int ProbeFrames = 32;          // updates a chunk must be survivable past its end
    int BacktrackLimit = 400;      // dead-end returns before a lost life is accepted
    int ReactionFrames = 0;        // bullets younger than this are unseen when trying ahead
    int BossBerth = 0;             // pixels it keeps left of the boss it fights (0: none)
    int64_t MaxUpdates = 0;        // stop after this many world updates (0: no limit)
    double BudgetSeconds = 0;      // stop after this much wall time (0: no limit)
    int64_t StopAfterTicks = 0;    // only play this many updates of the stage (0: to its end)
    double ProgressSeconds = 2.0;  // how often progress is told (0: never)
};

// The human-like player of the difficulty report: it sees a bullet only 12 updates (200 ms)
// after it appears, decides every 8 updates (7.5 times a second), looks 24 updates past each
// decision's chunk, keeps 120 pixels from the boss it fights and never goes back
// (docs/AUTOPLAY.md).
AutoplayKnobs HumanKnobs();

// The state of the play at one update, as the playback's dump must show it again.
struct AutoplayTrace {
    int32_t StageNo, StageClock, StagePhase, X, Y, Score, Lives;
};

struct AutoplayResult {
    bool Cleared = false;       // boss destroyed (not timed out), the stage ran to its end
    bool GameOver = false;      // the search ended in game over
    bool TimedOut = false;      // the boss left at its time-out
    bool OutOfBudget = false;   // the budget ended the search first
    int64_t BossKilledAt = -1;  // the tick (update number, from 1) the boss was destroyed
    int64_t BossFightAt = -1;   // the tick the boss fight began
    int64_t StageOverAt = -1;   // the tick the stage asked to finish
    int64_t EndTick = 0;        // the recording's last tick
    int32_t LivesLost = 0;
    int32_t Score = 0;
    int64_t Updates = 0;    // world updates run while searching
    int64_t Decisions = 0;  // chunks decided (nodes of the search)
    int64_t Backtracks = 0;
    double Seconds = 0;
    std::vector<TButtonSet> Buttons;   // the buttons of ticks 1..EndTick
    std::vector<AutoplayTrace> Trace;  // the play after each of those ticks
    std::string Reason;                // why it stopped, when not cleared
};

// Sets up the world as `vorin --stage` does (the game's data in dataDir) and searches.
// Throws EInOutError when the data cannot be read, std::invalid_argument on a bad option.
AutoplayResult Autoplay(const std::string& dataDir, const AutoplayStart& start,
                        const AutoplayKnobs& knobs);

// The play as a recorded play (the game's --record format) that `vorin --playback` runs to
// the same end; its "# args:" line lets it run as an input script too.
std::string AutoplayRecording(const AutoplayStart& start, const AutoplayResult& r);

}  // namespace zvtools
