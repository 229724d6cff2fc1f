// The real program on a damaged copy of its data folder: it either plays (start-up and the
// first second and a half of a stage) or stops after an error report, and every report it
// makes names the damaged file. A crash, a sanitizer report or a hang fails.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <thread>

#include "reliability/damage.h"
#include "zvcommon/scores.h"

namespace {

using namespace reliab;
namespace fs = std::filesystem;

constexpr int Frames = 90;       // start-up, a stage's first second and a half
constexpr int HangSeconds = 60;  // far above a run's time, even under the sanitizers
constexpr int ExitError = 1;     // vorin's status after its error report

struct TRun {
    int Status = -1;  // exit status; -1 when killed by a signal or hung
    int Signal = 0;
    bool Hung = false;
    std::string Errors;
};

// Runs vorin headless on the folder, standard error into a file, killing it if it hangs.
TRun RunVorin(const std::string& dir, int stage) {
    const std::string vorin = std::string(ZV_BIN_DIR) + "/vorin";
    const std::string errFile = dir + "/stderr.txt";
    const std::vector<std::string> args = {vorin,      "--headless",           "--data-dir", dir,
                                           "--frames", std::to_string(Frames), "--seed",     "7",
                                           "--stage",  std::to_string(stage)};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ::dup2(fd, STDERR_FILENO);
            ::dup2(fd, STDOUT_FILENO);
        }
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::setenv("RONVALET_OUTPUT", "none", 1);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(vorin.c_str(), argv.data());
        ::_exit(127);
    }
    TRun run;
    int raw = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(HangSeconds);
    while (::waitpid(pid, &raw, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            run.Hung = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!run.Hung && WIFEXITED(raw)) run.Status = WEXITSTATUS(raw);
    if (!run.Hung && WIFSIGNALED(raw)) run.Signal = WTERMSIG(raw);
    const Bytes err = ReadBytes(errFile);
    run.Errors.assign(err.begin(), err.end());
    return run;
}

struct TDamageCase {
    const char* File;
    TDamage Damage;
    int Stage;               // the stage played, whose map and pictures are read
    uint32_t Random = 0;     // when not 0: the damage is random bytes from this seed instead
    bool RandomCut = false;  // the random damage also cuts the file at a random length
};

constexpr uint32_t Seed = 18;        // the random damages are the same on every run
constexpr size_t RandomRegion = 64;  // random damages change bytes of the file's head

// The settings file the game would have written, with values no menu would allow.
Bytes WildConfig() {
    const std::string text =
        "[Input]\nButtonA=-1\nButtonB=0x7fffffff\nButtonC=$80000000\nAnchorJiten=-2147483648\n"
        "AnchorKouten=2147483647\nSpeedOff=-5\nSpeedManual=100000\nSpeedAuto=0\n"
        "Speedcharge=2147483647\n";
    return Bytes(text.begin(), text.end());
}

// The file as the data folder holds it before the damage.
Bytes Original(const std::string& file) {
    if (file == "zvconfig.ini") return WildConfig();
    if (file == "zvscore.dat") {
        Bytes b(ScoreFileSize);
        for (int k = 0; k < ScoreEntries; ++k)
            b[sizeof(TScoreEntry) * k] = static_cast<uint8_t>(10 * k);
        return b;
    }
    return GeneratedFile(file);
}

// Damages that reach the readers' harder paths, and a few random ones.
std::vector<TDamageCase> Cases() {
    std::vector<TDamageCase> out = {
        {"einit.dat", {1000, {}}, 1},
        {"einit.dat", {SIZE_MAX, {{25, 0xFF}, {28, 0x7F}, {33, 0x80}, {44, 0xFF}}}, 1},
        {"Stage1.map", {300, {}}, 1},
        {"Stage1.map", {SIZE_MAX, {{16, 0xFF}}}, 1},
        {"Stage2.map", {SIZE_MAX, {{18, 0x04}, {19, 0x01}}}, 2},
        {"back1.bmp", {SIZE_MAX, {{22, 1}, {23, 0}}}, 1},   // one row high
        {"enemy5.bmp", {SIZE_MAX, {{18, 4}, {19, 0}}}, 5},  // four columns wide
        {"player.bmp", {SIZE_MAX, {{46, 2}, {47, 0}}}, 1},  // two colours in the table
        {"font.bmp", {30, {}}, 1},
        {"bullet.bmp", {SIZE_MAX, {{28, 4}}}, 1},  // four bits a pixel
        {"se.dxw", {100, {}}, 1},
        {"sekkou.mid", {20, {}}, 1},
        {"zvscore.dat", {13, {{0, 0xFF}, {7, 0x80}, {12, 0xFF}}}, 1},
        {"zvconfig.ini", {SIZE_MAX, {}}, 1},
    };
    uint32_t seed = Seed;
    for (const char* file : {"einit.dat", "Stage5.map", "cloth.bmp", "se.dxw"}) {
        for (int k = 0; k < 2; ++k)
            out.push_back({file, {}, std::string(file) == "Stage5.map" ? 5 : 1, seed++});
    }
    for (const char* file : {"player.bmp", "back2.bmp", "Stage2.map", "einit.dat", "select2.mid"})
        out.push_back(
            {file, {}, std::string(file).find('2') != std::string::npos ? 2 : 1, seed++, true});
    return out;
}

class DamagedDataFolder : public testing::TestWithParam<TDamageCase> {};

TEST_P(DamagedDataFolder, PlaysOrStopsNamingTheFile) {
    const TDamageCase& c = GetParam();
    const std::string dir = ScratchFolder("damaged-folder");
    for (const auto& e : fs::directory_iterator(ZV_BIN_DIR)) {
        const std::string ext = e.path().extension().string();
        if (ext == ".bmp" || ext == ".dat" || ext == ".map" || ext == ".dxw" || ext == ".mid")
            fs::copy_file(e.path(), dir + "/" + e.path().filename().string());
    }
    WriteBytes(dir + "/" + c.File, Apply(Original(c.File), c.Damage));
    const std::string what =
        std::string(c.File) + ", " + Describe(c.Damage) + ", stage " + std::to_string(c.Stage);

    const TRun run = RunVorin(dir, c.Stage);
    ASSERT_FALSE(run.Hung) << what << ": still running after " << HangSeconds << " s";
    ASSERT_EQ(run.Signal, 0) << what << ": killed by signal " << run.Signal << "\n" << run.Errors;
    EXPECT_EQ(run.Errors.find("Sanitizer"), std::string::npos) << what << "\n" << run.Errors;
    EXPECT_EQ(run.Errors.find("runtime error"), std::string::npos) << what << "\n" << run.Errors;
    // It played (a stage file it refused is reported and the play goes on without it), or
    // it stopped after its error report; every report names the damaged file.
    EXPECT_TRUE(run.Status == 0 || run.Status == ExitError) << what << "\n" << run.Errors;
    const std::string named = "vorin: " + dir + "/" + c.File + ": ";
    for (size_t at = run.Errors.find("vorin: "); at != std::string::npos;
         at = run.Errors.find("vorin: ", at + 1)) {
        EXPECT_EQ(run.Errors.compare(at, named.size(), named), 0)
            << what << ": a report that does not name the file\n"
            << run.Errors;
    }
    if (run.Status == ExitError) {
        EXPECT_NE(run.Errors.find(named), std::string::npos) << what << "\n" << run.Errors;
    }
}

INSTANTIATE_TEST_SUITE_P(Sample, DamagedDataFolder, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<TDamageCase>& info) {
                             std::string name = std::to_string(info.index) + "_";
                             for (const char* p = info.param.File; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

}  // namespace
