// zvtool playtest STAGE: plays a stage headless with an invulnerable ship that holds fire
// and sweeps up and down, and reports what happened (figures, a contact sheet of screens).
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/bmpread.h"
#include "common/gamefiles.h"
#include "common/playtest.h"
#include "common/pngwrite.h"
#include "common/registry.h"

namespace fs = std::filesystem;

namespace {

constexpr int ScreenW = 320, ScreenH = 240;
constexpr int SheetColumns = 4, SheetScale = 2;  // contact sheet: 4 screens a row at half size
constexpr int SweepTicks = 50;                   // ticks up, then as many down
constexpr int64_t MaxTicks = 40000;              // a stage that has not ended by then never will

struct Options {
    int Stage = 0;
    std::string Difficulty = "NORMAL", Hells = "X1,X1,OFF";
    int Seed = 1;
    bool AtBoss = false, Check = false;
    std::string Sheet;               // contact sheet PNG
    std::vector<int64_t> ShotTicks;  // its screens
};

// Fire held from the first tick (A and B together: continuous fire), up and down in turn.
std::string InputScript(int64_t ticks) {
    std::string s = "1 Z down\n1 X down\n";
    bool up = true;
    for (int64_t t = 2; t < ticks; t += SweepTicks) {
        s += std::to_string(t) + (up ? " Down up\n" : " Up up\n");
        s += std::to_string(t) + (up ? " Up down\n" : " Down down\n");
        up = !up;
    }
    return s;
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

void WriteSheet(const Options& o, const fs::path& dir) {
    const int count = static_cast<int>(o.ShotTicks.size());
    const int cw = ScreenW / SheetScale, ch = ScreenH / SheetScale;
    const int cols = std::min(count, SheetColumns),
              rows = (count + SheetColumns - 1) / SheetColumns;
    std::vector<uint8_t> rgb(static_cast<size_t>(cols * cw) * rows * ch * 3, 0);
    for (int i = 0; i < count; ++i) {
        const fs::path shot = dir / ("shot" + std::to_string(i) + ".bmp");
        if (!fs::exists(shot)) continue;  // the play ended before this tick
        const zvtools::LoadedPicture p = zvtools::LoadPicture(shot);
        const int x0 = (i % SheetColumns) * cw, y0 = (i / SheetColumns) * ch;
        for (int y = 0; y < ch; ++y) {
            for (int x = 0; x < cw; ++x) {
                const zvtools::Rgb c = p.Colors[p.Pic.At(x * SheetScale, y * SheetScale)];
                uint8_t* d = &rgb[(static_cast<size_t>(y0 + y) * cols * cw + x0 + x) * 3];
                d[0] = c.R;
                d[1] = c.G;
                d[2] = c.B;
            }
        }
    }
    zvtools::SavePng(o.Sheet, cols * cw, rows * ch, rgb);
}

int Run(const Options& o) {
    zvtools::GameFiles game;
    if (!zvtools::FindGame(game)) return 1;
    const fs::path dir = fs::temp_directory_path() / ("zv-playtest-" + std::to_string(::getpid()) +
                                                      "-" + std::to_string(o.Stage));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& e : fs::directory_iterator(game.Data)) {
        const std::string ext = e.path().extension().string();
        if (ext == ".bmp" || ext == ".dat" || ext == ".map" || ext == ".dxw" || ext == ".mid")
            fs::copy_file(e.path(), dir / e.path().filename());
    }
    std::ofstream(dir / "input.txt") << InputScript(MaxTicks);
    std::string cmd = "SDL_AUDIODRIVER=dummy RONVALET_OUTPUT=none " + Quote(game.Program.string()) +
                      " --headless --nosound --nomusic --data-dir " + Quote(dir.string()) +
                      " --frames " + std::to_string(MaxTicks) + " --seed " +
                      std::to_string(o.Seed) + " --stage " + std::to_string(o.Stage) +
                      " --invulnerable --difficulty " + o.Difficulty + " --hells " + o.Hells +
                      " --input " + Quote((dir / "input.txt").string()) + " --dump /dev/stdout";
    if (o.AtBoss) cmd += " --at-boss";
    if (!o.Sheet.empty()) {
        for (size_t i = 0; i < o.ShotTicks.size(); ++i) {
            cmd += " --screenshot " + std::to_string(o.ShotTicks[i]) + ":" +
                   Quote((dir / ("shot" + std::to_string(i) + ".bmp")).string());
        }
    }
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (!pipe) {
        std::fprintf(stderr, "zvtool: cannot start %s\n", cmd.c_str());
        return 1;
    }
    zvtools::PlaytestWatcher watch(o.Stage);
    std::string line;
    int64_t lastShot = o.ShotTicks.empty() ? 0 : o.ShotTicks.back();
    int64_t tick = 0;
    bool stopped = false;  // the report was complete before the game's end
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        ++tick;
        watch.Line(line);
        line.clear();
        // Stop once the stage is over and every screen of the sheet is taken.
        if (watch.Done() && (o.Sheet.empty() || tick > lastShot)) {
            stopped = true;
            break;
        }
    }
    // The program ends on its next write to the closed pipe: a broken pipe is its normal end
    // then (straight, or through the shell as 128 + SIGPIPE).
    const int raw = ::pclose(pipe);
    const bool piped = (WIFSIGNALED(raw) && WTERMSIG(raw) == SIGPIPE) ||
                       (WIFEXITED(raw) && WEXITSTATUS(raw) == 128 + SIGPIPE);
    const bool ok = raw != -1 && ((WIFEXITED(raw) && WEXITSTATUS(raw) == 0) || (stopped && piped));
    if (ok && !o.Sheet.empty()) WriteSheet(o, dir);
    fs::remove_all(dir);
    if (!ok) {
        if (WIFEXITED(raw))
            std::fprintf(stderr, "zvtool: the game failed (exit status %d)\n", WEXITSTATUS(raw));
        else
            std::fprintf(stderr, "zvtool: the game failed (signal %d)\n",
                         WIFSIGNALED(raw) ? WTERMSIG(raw) : -1);
        return 1;
    }
    const zvtools::PlaytestFigures& f = watch.Figures();
    std::printf("difficulty %s\nhells %s\nseed %d\nstart %s\n", o.Difficulty.c_str(),
                o.Hells.c_str(), o.Seed, o.AtBoss ? "at-boss" : "stage");
    std::fputs(zvtools::DescribePlaytest(f).c_str(), stdout);
    const std::string problems = zvtools::PlaytestProblems(f);
    if (!problems.empty()) std::printf("problems: %s\n", problems.c_str());
    return o.Check && !problems.empty() ? 1 : 0;
}

int PlaytestCommand(const std::vector<std::string>& args) {
    Options o;
    auto usage = [] {
        std::fprintf(stderr,
                     "usage: zvtool playtest STAGE [--difficulty NAME] [--hells D,S,B] [--seed N]\n"
                     "       [--at-boss] [--check] [--sheet FILE.png [--shots T1,T2,...]]\n");
        return 2;
    };
    if (args.empty()) return usage();
    try {
        o.Stage = std::stoi(args[0]);
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            const bool more = i + 1 < args.size();
            if (a == "--at-boss") {
                o.AtBoss = true;
            } else if (a == "--check") {
                o.Check = true;
            } else if (a == "--difficulty" && more) {
                o.Difficulty = args[++i];
            } else if (a == "--hells" && more) {
                o.Hells = args[++i];
            } else if (a == "--seed" && more) {
                o.Seed = std::stoi(args[++i]);
            } else if (a == "--sheet" && more) {
                o.Sheet = args[++i];
            } else if (a == "--shots" && more) {
                const std::string list = args[++i];
                for (size_t p = 0; p < list.size();) {
                    const size_t c = list.find(',', p);
                    o.ShotTicks.push_back(std::stoll(list.substr(p, c - p)));
                    p = c == std::string::npos ? list.size() : c + 1;
                }
            } else {
                return usage();
            }
        }
    } catch (const std::exception&) {
        return usage();
    }
    if (o.Stage != 1 && o.Stage != 2 && o.Stage != 5) {
        std::fprintf(stderr, "zvtool: the stages played are 1, 2 and 5\n");
        return 2;
    }
    if (!o.Sheet.empty() && o.ShotTicks.empty()) {
        // Eight screens through the stage: the way in, the waves, the boss.
        if (o.AtBoss) {
            o.ShotTicks = {120, 300, 600, 900, 1200, 1800, 2400, 3000};
        } else {
            const int64_t boss = o.Stage == 5 ? 1500 : 7200;
            for (int i = 1; i <= 6; ++i) o.ShotTicks.push_back(boss * i / 6 - (i == 6 ? 0 : 60));
            o.ShotTicks.push_back(boss + 600);
            o.ShotTicks.push_back(boss + 1500);
        }
    }
    try {
        return Run(o);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zvtool: %s\n", e.what());
        return 1;
    }
}

}  // namespace

ZV_COMMAND("playtest",
           "STAGE [--difficulty D] [--hells H] [--seed N] [--at-boss] [--check] [--sheet PNG]: "
           "play a stage with an invulnerable ship holding fire and report",
           PlaytestCommand);
