#pragma once
// What a playtest measures of one stage, read from the game's dump one tick at a time, and
// the checks a test play must pass.
#include <cstdint>
#include <string>
#include <vector>

namespace zvtools {

struct PlaytestFigures {
    int Stage = 0;
    int64_t Ticks = 0;          // game ticks of this stage
    int64_t BossAt = -1;        // tick the boss fight began (phase 2)
    int64_t ClearedAt = -1;     // tick the stage was cleared (phase 3)
    bool Completed = false;     // "MISSION COMPLETED" was shown (phase 3, clock above 600)
    bool NextScreen = false;    // the next stage or the title followed
    int64_t Spawned = 0;        // the game's own count of spawned objects
    int64_t Destroyed = 0;      // and of destroyed ones
    int64_t EnemiesSeen = 0;    // enemies (kind 80 and above) that appeared
    int64_t BulletsFired = 0;   // enemy bullets that appeared, copies of the hells included
    int64_t PeakBullets = 0;    // most enemy bullets on screen in one tick
    int64_t PeakBulletsAt = 0;  // the stage clock of that tick (the first such)
    int PeakBulletsPhase = 0;   // and the phase of the stage then
    int64_t PeakObjects = 0;    // most slots 64..256 in use in one tick
    int64_t LongestFull = 0;    // most ticks in a row with all of slots 64..256 in use
    int64_t ScratchFrames = 0;  // frames with a scratch
    int64_t MaxScratches = 0;   // most scratches in one frame
    int64_t PowerUpsReleased = 0;
    int64_t PowerUpsTaken = 0;
    int64_t WeaponSteps = 0;  // changes of the main or anchor weapon level
    int64_t Score = 0;        // the ship's score at the end of the stage
    int64_t MainLevel = 0;    // the weapon levels at the end of the stage
    int64_t AnchorLevel = 0;
    int64_t OldestAge = 0;  // the oldest object's age (bosses and scenery included)
    int OldestKind = 0;
    bool ChainsFailed = false;  // a chain boss found no room for its chains ("FAILURE")
};

// Follows the dump of a play started on one stage.
class PlaytestWatcher {
  public:
    explicit PlaytestWatcher(int stage) { F.Stage = stage; }
    // One dump line; lines outside the game screen only end the stage.
    void Line(const std::string& line);
    // The stage was cleared and the next screen came.
    bool Done() const { return F.NextScreen; }
    const PlaytestFigures& Figures() const { return F; }

  private:
    struct Item {
        int64_t Slot, X, Y;
    };
    PlaytestFigures F;
    int64_t Full = 0;
    int64_t LastMain = -1, LastAnchor = -1;
    int64_t ShipX = 0, ShipY = 0;
    std::vector<Item> PowerUps;  // power-ups of the last tick
};

// The problems of a test play ("" when it passed): not cleared, no next screen, a table that
// stayed full, an object that never left.
std::string PlaytestProblems(const PlaytestFigures& f);

// The figures as "name value" lines.
std::string DescribePlaytest(const PlaytestFigures& f);

}  // namespace zvtools
