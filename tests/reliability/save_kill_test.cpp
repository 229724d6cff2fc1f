// Saves that survive a kill: a child process saves zvscore.dat or zvconfig.ini over and over,
// alternating two versions, and is killed (SIGKILL) part-way through its saves; the file on
// disk must then be one of the two versions, byte for byte. A save that wrote the file in
// place would leave it cut or mixed, as the harness's own check with such a writer shows.
//
// Nothing here hangs on timing. Each child stops itself (SIGSTOP) after a chosen number of
// finished saves, each reported through a pipe, so the parent knows which version the file
// holds before every kill and both versions are seen by construction. Only then is the child
// let go and killed a random part of one save's time later, wherever that falls on a busy
// machine: every outcome of that race must leave a whole file.
#include <fcntl.h>
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

constexpr int Rounds = 40;           // kills per file
constexpr int InPlaceRounds = 1000;  // a bound only a harness that cannot catch a tear reaches
constexpr int ChildFailed = 3;       // a child's exit status when a save reports failure
constexpr uint32_t Seed = 18;

struct TKillReport {
    int Kills = 0;
    int Versions[2] = {0, 0};     // kills after which the file was version 0, version 1
    int KilledBeforeAReport = 0;  // kills that came before the let-go child finished a save
    std::string Fault;            // the first thing that went wrong, empty when none
};

// The number of reports waiting in the pipe (its read end does not block).
int DrainReports(int fd) {
    int count = 0;
    char buffer[256];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) count += int(n);
    return count;
}

// One child per round runs save(1), save(2), ... (save(i) writes version i % 2), reporting
// each finished save with one byte on a pipe. Before save(k + 1) it stops itself; the parent
// checks the file holds version k % 2, lets the child go on, kills it a random part of one
// save's time later and checks the file again. k is 1 or 3 in even rounds, 2 or 4 in odd
// ones. Stops after `rounds` kills or at the first fault. save(0) writes the first version
// before the first child starts.
TKillReport KillDuringSaves(const std::string& path, const std::function<bool(int)>& save,
                            const Bytes versions[2], int rounds) {
    TKillReport report;
    if (!save(0)) {
        report.Fault = "the first save failed";
        return report;
    }
    // How long one save takes here bounds the delay before a kill.
    const auto t0 = Clock::now();
    for (int i = 1; i <= 4; ++i) save(i);  // ends with version 0 again
    const int64_t perSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0).count() / 4 + 1;
    int reports[2];
    if (::pipe2(reports, O_CLOEXEC) != 0 || ::fcntl(reports[0], F_SETFL, O_NONBLOCK) != 0) {
        report.Fault = "no pipe";
        return report;
    }
    std::mt19937 rng(Seed);
    for (int round = 0; round < rounds && report.Fault.empty(); ++round) {
        const int k = 1 + round % 2 + 2 * int(rng() % 2);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(reports[0]);
            for (int i = 1;; ++i) {
                if (i == k + 1) ::raise(SIGSTOP);
                if (!save(i) || ::write(reports[1], "s", 1) != 1) ::_exit(ChildFailed);
            }
        }
        const std::string when = "in round " + std::to_string(round) + ", ";
        int status = 0;
        ::waitpid(pid, &status, WUNTRACED);
        if (!WIFSTOPPED(status)) {
            report.Fault = when + "the saving child ended before its stop (status " +
                           std::to_string(status) + ")";
            break;
        }
        const int finished = DrainReports(reports[0]);
        if (finished != k || ReadBytes(path) != versions[k % 2]) {
            report.Fault = when + "after " + std::to_string(finished) + " of " + std::to_string(k) +
                           " saves the file is not version " + std::to_string(k % 2);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        ::kill(pid, SIGCONT);
        std::this_thread::sleep_for(std::chrono::microseconds(int64_t(rng() % perSave)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            report.Fault =
                when + "the saving child stopped by itself (status " + std::to_string(status) + ")";
            break;
        }
        ++report.Kills;
        report.KilledBeforeAReport += DrainReports(reports[0]) == 0;
        const Bytes now = ReadBytes(path);
        if (now == versions[0]) {
            ++report.Versions[0];
        } else if (now == versions[1]) {
            ++report.Versions[1];
        } else {
            report.Fault = when + "after the kill the file holds " + std::to_string(now.size()) +
                           " bytes that are neither version";
        }
    }
    ::close(reports[0]);
    ::close(reports[1]);
    return report;
}

void ExpectSurvives(const std::string& path, const std::function<bool(int)>& save,
                    const Bytes versions[2]) {
    const TKillReport r = KillDuringSaves(path, save, versions, Rounds);
    ASSERT_EQ(r.Fault, "");
    EXPECT_EQ(r.Kills, Rounds);
    testing::Test::RecordProperty("KilledBeforeAReport", r.KilledBeforeAReport);
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
    const TKillReport r = KillDuringSaves(path, inPlace, versions, InPlaceRounds);
    EXPECT_NE(r.Fault.find("neither version"), std::string::npos)
        << "no torn file in " << r.Kills << " kills; " << r.Fault;
    RecordProperty("KillsToTheFirstTornFile", r.Kills + 1);
}

}  // namespace
