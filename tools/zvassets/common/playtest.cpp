#include "common/playtest.h"

#include <algorithm>
#include <cstdlib>

namespace zvtools {
namespace {

constexpr int ScreenGame = 2;
constexpr int PhaseFight = 2;
constexpr int PhaseCleared = 3;
constexpr int64_t CompletedClock = 600;  // "MISSION COMPLETED" shows after this
constexpr int64_t FirstWorldSlot = 64, LastWorldSlot = 256;
constexpr int64_t WorldSlots = LastWorldSlot - FirstWorldSlot + 1;
constexpr int KindPowerUp = 9;
constexpr int FirstBullet = 48, LastBullet = 63;
constexpr int FirstEnemy = 80;
constexpr int KindDistantCarrier = 94;  // scenery that stays for the whole of stage 2
constexpr int64_t PickUpReach = 24;     // a power-up gone this near the ship was taken
// Longer than a boss may live (3 minutes before its time-out) plus its dying.
constexpr int64_t StuckAge = 11400;
constexpr int64_t FullTooLong = 600;  // ten seconds with no free slot

// The integer after "key": at or after from; -1 when absent.
int64_t Field(const std::string& s, const char* key, size_t from = 0, size_t* at = nullptr) {
    const std::string k = std::string("\"") + key + "\":";
    const size_t p = s.find(k, from);
    if (p == std::string::npos) return -1;
    if (at) *at = p;
    return std::strtoll(s.c_str() + p + k.size(), nullptr, 10);
}

}  // namespace

void PlaytestWatcher::Line(const std::string& line) {
    const int64_t screen = Field(line, "CurrentScreen");
    const int64_t stage = Field(line, "StageNo");
    if (screen != ScreenGame || stage != F.Stage) {
        if (F.ClearedAt >= 0) F.NextScreen = true;
        return;
    }
    ++F.Ticks;
    if (line.find("\"MessageText\":\"FAILURE\"") != std::string::npos) F.ChainsFailed = true;
    const int64_t phase = Field(line, "StagePhase");
    const int64_t clock = Field(line, "StageClock");
    if (phase == PhaseFight && F.BossAt < 0) F.BossAt = F.Ticks;
    if (phase == PhaseCleared && F.ClearedAt < 0) F.ClearedAt = F.Ticks;
    if (phase == PhaseCleared && clock > CompletedClock) F.Completed = true;
    F.Spawned = Field(line, "SpawnCount");
    F.Destroyed = Field(line, "ShootDownCount");
    F.ScratchFrames = Field(line, "ScratchFrames");
    F.MaxScratches = Field(line, "MaxScratches");
    size_t ship = 0;
    Field(line, "Ship", 0, &ship);
    F.Score = Field(line, "score", ship);
    ShipX = Field(line, "x", ship);
    ShipY = Field(line, "y", ship);
    const int64_t main = Field(line, "mainLevel", ship), anchor = Field(line, "anchorLevel", ship);
    if (LastMain >= 0 && (main != LastMain || anchor != LastAnchor)) ++F.WeaponSteps;
    LastMain = F.MainLevel = main;
    LastAnchor = F.AnchorLevel = anchor;

    size_t at = 0;
    Field(line, "Objects", 0, &at);
    int64_t bullets = 0, used = 0;
    std::vector<Item> powerUps;
    while ((at = line.find('{', at + 1)) != std::string::npos) {
        const size_t end = line.find('}', at);
        const std::string o = line.substr(at, end - at);
        const int64_t slot = Field(o, "slot"), kind = Field(o, "kind"), age = Field(o, "age");
        if (slot < FirstWorldSlot || slot > LastWorldSlot) continue;
        ++used;
        if (kind >= FirstBullet && kind <= LastBullet) {
            ++bullets;
            if (age == 0) ++F.BulletsFired;
        }
        if (kind >= FirstEnemy && age == 0) ++F.EnemiesSeen;
        if (kind == KindPowerUp) {
            // Released in the contact pass, a power-up is a frame old when the tick ends.
            const bool was = std::any_of(PowerUps.begin(), PowerUps.end(),
                                         [&](const Item& i) { return i.Slot == slot; });
            if (!was) ++F.PowerUpsReleased;
            powerUps.push_back({slot, Field(o, "x"), Field(o, "y")});
        }
        if (kind != KindDistantCarrier && age > F.OldestAge) {
            F.OldestAge = age;
            F.OldestKind = static_cast<int>(kind);
        }
    }
    for (const Item& was : PowerUps) {
        const bool still = std::any_of(powerUps.begin(), powerUps.end(),
                                       [&](const Item& i) { return i.Slot == was.Slot; });
        if (!still && std::abs(was.X - ShipX) < PickUpReach &&
            std::abs(was.Y - ShipY) < PickUpReach) {
            ++F.PowerUpsTaken;
        }
    }
    PowerUps = std::move(powerUps);
    if (bullets > F.PeakBullets) {
        F.PeakBullets = bullets;
        F.PeakBulletsAt = clock;
        F.PeakBulletsPhase = static_cast<int>(phase);
    }
    F.PeakObjects = std::max(F.PeakObjects, used);
    Full = used == WorldSlots ? Full + 1 : 0;
    F.LongestFull = std::max(F.LongestFull, Full);
}

std::string PlaytestProblems(const PlaytestFigures& f) {
    std::string p;
    if (f.ClearedAt < 0) p += "the stage was never cleared; ";
    if (!f.Completed) p += "\"MISSION COMPLETED\" never showed; ";
    if (!f.NextScreen) p += "no next stage or title after the stage; ";
    if (f.LongestFull >= FullTooLong) {
        p += "the object table stayed full for " + std::to_string(f.LongestFull) + " ticks; ";
    }
    if (f.ChainsFailed) p += "a chain boss showed \"FAILURE\" (no room for its chains); ";
    if (f.OldestAge > StuckAge) {
        p += "kind " + std::to_string(f.OldestKind) + " lived " + std::to_string(f.OldestAge) +
             " frames; ";
    }
    return p;
}

std::string DescribePlaytest(const PlaytestFigures& f) {
    auto seconds = [](int64_t ticks) {
        return ticks < 0 ? std::string("-")
                         : std::to_string(ticks / 60) + "." + std::to_string(ticks % 60 / 6) + " s";
    };
    std::string s;
    auto line = [&](const char* name, const std::string& v) {
        s += std::string(name) + " " + v + "\n";
    };
    line("stage", std::to_string(f.Stage));
    line("ticks", std::to_string(f.Ticks));
    line("time-to-boss", seconds(f.BossAt));
    line("boss-kill", seconds(f.BossAt >= 0 && f.ClearedAt >= 0 ? f.ClearedAt - f.BossAt : -1));
    line("spawned", std::to_string(f.Spawned));
    line("enemies", std::to_string(f.EnemiesSeen));
    line("destroyed", std::to_string(f.Destroyed));
    line("bullets-fired", std::to_string(f.BulletsFired));
    line("peak-bullets", std::to_string(f.PeakBullets));
    line("peak-bullets-at", "clock " + std::to_string(f.PeakBulletsAt) + " phase " +
                                std::to_string(f.PeakBulletsPhase));
    line("peak-objects", std::to_string(f.PeakObjects));
    line("scratch-frames", std::to_string(f.ScratchFrames));
    line("max-scratches", std::to_string(f.MaxScratches));
    line("power-ups", std::to_string(f.PowerUpsReleased));
    line("picked-up", std::to_string(f.PowerUpsTaken));
    line("weapon-steps", std::to_string(f.WeaponSteps));
    line("weapon-levels", std::to_string(f.MainLevel) + " " + std::to_string(f.AnchorLevel));
    line("score", std::to_string(f.Score));
    line("completed", f.Completed ? "yes" : "no");
    return s;
}

}  // namespace zvtools
