// The autoplayer end to end: its search is the same on every run, its recording makes the
// game play exactly what it searched, and the recorded clears in the replay suite are still
// clears (boss destroyed, not timed out; no game over; the next screen follows).
#include "common/autoplay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/paths.h"
#include "e2e/harness.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t ShipGameOverState = 4;
constexpr int64_t FirstBossKind = 192;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A stretch of stage 5 (its waves arrive early) searched in this process; DataDir is the
// world's, so it is put back.
zvtools::AutoplayResult Stretch(int64_t ticks, zvtools::AutoplayKnobs knobs = {}) {
    const std::string saved = DataDir;
    zvtools::AutoplayStart start;
    start.Stage = 5;
    start.Seed = 9;
    start.Difficulty = "HARD";
    knobs.StopAfterTicks = ticks;
    knobs.ProgressSeconds = 0;
    zvtools::AutoplayResult r = zvtools::Autoplay(ZV_BIN_DIR, start, knobs);
    DataDir = saved;
    return r;
}

// The game, from the recording alone, plays every tick as the search saw it.
void ExpectPlaysBack(const zvtools::AutoplayResult& r, int64_t ticks) {
    zvtools::AutoplayStart start;
    start.Stage = 5;
    start.Seed = 9;
    start.Difficulty = "HARD";
    const std::string dir = e2e::FreshDataDir();
    const fs::path file = fs::path(dir) / "stretch.play";
    std::ofstream(file, std::ios::binary) << zvtools::AutoplayRecording(start, r);
    const e2e::RunResult run = e2e::RunVorin(dir, {"--playback", file.string()});
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.dump.size(), static_cast<size_t>(ticks));
    for (size_t t = 0; t < run.dump.size(); ++t) {
        const std::string ship = e2e::RawField(run.dump[t], "Ship");
        const zvtools::AutoplayTrace& want = r.Trace[t];
        ASSERT_EQ(e2e::IntField(run.dump[t], "StageClock"), want.StageClock) << "tick " << t + 1;
        ASSERT_EQ(e2e::IntField(ship, "x"), want.X) << "tick " << t + 1;
        ASSERT_EQ(e2e::IntField(ship, "y"), want.Y) << "tick " << t + 1;
        ASSERT_EQ(e2e::IntField(ship, "score"), want.Score) << "tick " << t + 1;
        ASSERT_EQ(e2e::IntField(ship, "lives"), want.Lives) << "tick " << t + 1;
    }
}

TEST(Autoplay, ARecordedStretchPlaysBackExactly) {
    constexpr int64_t Ticks = 1500;
    const zvtools::AutoplayResult r = Stretch(Ticks);
    ASSERT_FALSE(r.GameOver) << r.Reason;
    ASSERT_EQ(r.EndTick, Ticks) << r.Reason;
    ASSERT_EQ(r.Trace.size(), static_cast<size_t>(Ticks));
    EXPECT_GT(r.Trace.back().Score, 0);  // it fought, not only flew

    // The same search twice gives the same buttons.
    const zvtools::AutoplayResult again = Stretch(Ticks);
    EXPECT_TRUE(again.Buttons == r.Buttons);

    // The game, from the recording alone, plays every tick as the search saw it.
    ExpectPlaysBack(r, Ticks);
}

// The human-like player tries ahead without the bullets it has not yet seen, but plays the
// real game: its recording plays back exactly, and an eye that never sees a bullet loses
// ships that the same player with sight keeps.
TEST(Autoplay, TheHumanPlayerDodgesOnlyWhatItHasSeen) {
    constexpr int64_t Ticks = 1500;
    const zvtools::AutoplayResult human = Stretch(Ticks, zvtools::HumanKnobs());
    ASSERT_EQ(human.Trace.size(), static_cast<size_t>(Ticks)) << human.Reason;
    ExpectPlaysBack(human, Ticks);

    zvtools::AutoplayKnobs sighted = zvtools::HumanKnobs();
    sighted.ReactionFrames = 0;
    zvtools::AutoplayKnobs blind = zvtools::HumanKnobs();
    blind.ReactionFrames = 1 << 30;
    // Into the red chains' fight, where the blind one is shot down again and again.
    const zvtools::AutoplayResult seeing = Stretch(2 * Ticks, sighted);
    const zvtools::AutoplayResult groping = Stretch(2 * Ticks, blind);
    auto lost = [](const zvtools::AutoplayResult& r) {
        return r.Trace.front().Lives - r.Trace.back().Lives + (r.GameOver ? 1 : 0);
    };
    EXPECT_GT(lost(groping), lost(seeing));
}

// Every tests/replays/clear_*.play, run as the replay suite runs it.
TEST(Autoplay, TheRecordedClearsAreClears) {
    const fs::path replays = fs::path(ZV_SOURCE_DIR) / "tests" / "replays";
    std::vector<fs::path> clears;
    for (const auto& e : fs::directory_iterator(replays))
        if (e.path().filename().string().rfind("clear_", 0) == 0 && e.path().extension() == ".play")
            clears.push_back(e.path());
    std::sort(clears.begin(), clears.end());
    ASSERT_EQ(clears.size(), 6u) << "stages 1, 2 and 5 on NORMAL and HARD";
    for (const fs::path& p : clears) {
        SCOPED_TRACE(p.filename().string());
        const std::string script = ReadAll(p);
        const size_t at = script.find("# args:");
        ASSERT_NE(at, std::string::npos);
        std::istringstream words(script.substr(at + 7, script.find('\n', at) - at - 7));
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        ASSERT_EQ(std::count(args.begin(), args.end(), "--invulnerable"), 0);
        ASSERT_EQ(std::count(args.begin(), args.end(), "--at-boss"), 0);
        const e2e::RunResult run = e2e::RunVorin(e2e::FreshDataDir(), args, script);
        ASSERT_EQ(run.status, 0) << run.errors;
        ASSERT_GT(run.dump.size(), 2u);
        const int64_t stage = e2e::IntField(run.dump.front(), "StageNo");
        EXPECT_EQ(e2e::IntField(run.dump.front(), "StageClock"), 1);  // from the stage's start
        int kills = 0;
        for (size_t t = 1; t < run.dump.size(); ++t) {
            const std::string& line = run.dump[t];
            if (!e2e::HasField(line, "Ship")) continue;  // the title after the last stage
            ASSERT_NE(e2e::IntField(e2e::RawField(line, "Ship"), "state"), ShipGameOverState)
                << "game over at tick " << t + 1;
            if (e2e::IntField(run.dump[t - 1], "StagePhase") != 2 ||
                e2e::IntField(line, "StagePhase") != 3)
                continue;
            // The fight ended: by the boss's destruction, its hit points spent (a time-out
            // leaves it with one).
            for (const e2e::DumpObject& o : e2e::ObjectList(line)) {
                if (o["kind"] < FirstBossKind) continue;
                EXPECT_LE(o["hp"], 0) << "the boss timed out at tick " << t + 1;
                ++kills;
                break;
            }
        }
        EXPECT_EQ(kills, 1);
        const std::string& last = run.dump.back();
        EXPECT_FALSE(e2e::HasField(last, "StageNo") && e2e::IntField(last, "StageNo") == stage &&
                     e2e::IntField(last, "CurrentScreen") == 2)
            << "the play never left the stage";
    }
}

}  // namespace
