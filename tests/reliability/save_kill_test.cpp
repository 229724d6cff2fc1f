// Saves that survive a kill: a child process saves zvscore.dat or zvconfig.ini over and over,
// alternating two versions, and is killed (SIGKILL) at a random moment; the file on disk must
// then be one of the two versions, byte for byte. A save that wrote the file in place would
// leave it cut or mixed, as the harness's own check with such a writer shows.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <thread>

#include "base/paths.h"
#include "reliability/damage.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"

namespace {

using namespace reliab;
using Clock = std::chrono::steady_clock;

constexpr int Rounds = 40;      // kills per file
constexpr int ChildFailed = 3;  // a child's exit status when a save reports failure
constexpr uint32_t Seed = 18;

struct TKillReport {
    int Versions[2] = {0, 0};  // kills after which the file was version 0, version 1
    std::string Fault;         // the first thing that went wrong, empty when none
};

// Kills a child that runs save(1), save(2), ... (save(i) writes version i % 2) at random
// moments, `rounds` times or until the file is found broken, and reads the file after
// each kill. save(0) writes the first version before the first child starts.
TKillReport KillDuringSaves(const std::string& path, const std::function<bool(int)>& save,
                            const Bytes versions[2], int rounds) {
    TKillReport report;
    if (!save(0)) {
        report.Fault = "the first save failed";
        return report;
    }
    // How long one save takes here decides the spread of the kill moments.
    const auto t0 = Clock::now();
    for (int i = 1; i <= 4; ++i) save(i);  // ends with version 0 again
    const auto perSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0) / 4;
    const int64_t spread = 3 * perSave.count() + 1000;
    std::mt19937 rng(Seed);
    for (int round = 0; round < rounds; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int i = 1;; ++i)
                if (!save(i)) ::_exit(ChildFailed);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % spread));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            report.Fault =
                "the saving child stopped by itself (status " + std::to_string(status) + ")";
            return report;
        }
        const Bytes now = ReadBytes(path);
        if (now == versions[0]) {
            ++report.Versions[0];
        } else if (now == versions[1]) {
            ++report.Versions[1];
        } else {
            report.Fault = "after kill " + std::to_string(round) + " the file holds " +
                           std::to_string(now.size()) + " bytes that are neither version";
            return report;
        }
    }
    return report;
}

void ExpectSurvives(const std::string& path, const std::function<bool(int)>& save,
                    const Bytes versions[2]) {
    const TKillReport r = KillDuringSaves(path, save, versions, Rounds);
    ASSERT_EQ(r.Fault, "");
    // Both versions were found, so the kills landed while saves were under way.
    EXPECT_GT(r.Versions[0], 0);
    EXPECT_GT(r.Versions[1], 0);
    // A save after all those kills still works.
    ASSERT_TRUE(save(1));
    EXPECT_EQ(ReadBytes(path), versions[1]);
}

TEST(SavesUnderKill, ScoreFileIsAlwaysTheOldOrTheNewTable) {
    const std::string path = ScratchFolder("kill-scores") + "/" + ScoreFileName;
    TScoreTable tables[2];
    DefaultScores(tables[0]);
    DefaultScores(tables[1]);
    InsertScoreEntry(tables[1], 123456, 2);
    Bytes versions[2];
    for (int v = 0; v < 2; ++v) {
        const auto* p = reinterpret_cast<const uint8_t*>(tables[v]);
        versions[v].assign(p, p + ScoreFileSize);
    }
    ExpectSurvives(
        path,
        [&](int i) {
            try {
                WriteScores(path, tables[i % 2]);
                return true;
            } catch (const EInOutError&) {
                return false;
            }
        },
        versions);
}

TEST(SavesUnderKill, ConfigFileIsAlwaysTheOldOrTheNewText) {
    const std::string path = ScratchFolder("kill-config") + "/zvconfig.ini";
    // Other sections are kept by every save, so the file is read and rewritten each time.
    WriteBytes(path,
               Bytes{'[', 'V', 'i', 'd', 'e', 'o', ']', '\n', 'M', 'o', 'd', 'e', '=', '2', '\n'});
    TSettings settings[2];
    settings[1].ButtonA = 1;
    settings[1].SpeedOff = 7;
    settings[1].AnchorKouten = 40;
    Bytes versions[2];
    const Bytes first = ReadBytes(path);
    std::string text(first.begin(), first.end());
    for (int v = 0; v < 2; ++v) {
        text = UpdateConfigText(text, settings[v]);
        versions[v].assign(text.begin(), text.end());
    }
    ASSERT_EQ(UpdateConfigText(text, settings[0]),
              std::string(versions[0].begin(), versions[0].end()))
        << "saving version 0 over version 1 must give version 0 again";
    ExpectSurvives(
        path, [&](int i) { return WriteConfig(path, settings[i % 2]); }, versions);
}

// The harness finds a save that is not atomic: this one truncates the file, writes half,
// flushes, writes the rest.
TEST(SavesUnderKill, HarnessCatchesASaveMadeInPlace) {
    const std::string path = ScratchFolder("kill-in-place") + "/zvscore.dat";
    Bytes versions[2] = {Bytes(ScoreFileSize, 0x11), Bytes(ScoreFileSize, 0x22)};
    const auto inPlace = [&](int i) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return false;
        const Bytes& v = versions[i % 2];
        bool ok = std::fwrite(v.data(), 1, v.size() / 2, f) == v.size() / 2;
        ok = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0 && ok;
        ok = std::fwrite(v.data() + v.size() / 2, 1, v.size() - v.size() / 2, f) ==
                 v.size() - v.size() / 2 &&
             ok;
        return std::fclose(f) == 0 && ok;
    };
    const TKillReport r = KillDuringSaves(path, inPlace, versions, 10 * Rounds);
    EXPECT_NE(r.Fault, "") << "no torn file in " << 10 * Rounds << " kills";
}

}  // namespace
