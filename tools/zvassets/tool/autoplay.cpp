// zvtool autoplay STAGE: searches for a clear of a stage as a player plays it (no
// invulnerability, buttons only), writes it as a recorded play and checks that the game
// plays the recording back to the same clear.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/autoplay.h"
#include "common/gamefiles.h"
#include "common/registry.h"

namespace fs = std::filesystem;

namespace {

struct AutoplayOptions {
    zvtools::AutoplayStart Start;
    zvtools::AutoplayKnobs Knobs;
    std::string Out;
    bool Verify = true;
};

// Written whole or not at all.
bool WriteWhole(const std::string& path, const std::string& text) {
    const std::string temp = path + ".part";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f << text;
        if (!f.flush()) {
            std::fprintf(stderr, "zvtool: cannot write %s\n", temp.c_str());
            fs::remove(temp);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::fprintf(stderr, "zvtool: cannot write %s: %s\n", path.c_str(), ec.message().c_str());
        fs::remove(temp);
        return false;
    }
    return true;
}

// The integer after "key": at or after from; -1 when absent.
int64_t Field(const std::string& s, const char* key, size_t from = 0) {
    const std::string k = std::string("\"") + key + "\":";
    const size_t p = s.find(k, from);
    if (p == std::string::npos) return -1;
    return std::strtoll(s.c_str() + p + k.size(), nullptr, 10);
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// Plays the recording back with the game and compares every searched tick with its dump;
// a clear must end on the next screen. The first difference goes to standard error.
bool VerifyPlayback(const zvtools::GameFiles& game, const std::string& file,
                    const zvtools::AutoplayResult& r, int stage) {
    const std::string cmd =
        "SDL_AUDIODRIVER=dummy RONVALET_OUTPUT=none " + Quote(game.Program.string()) +
        " --headless --nosound --nomusic --data-dir " + Quote(game.Data.string()) + " --playback " +
        Quote(file) + " --dump /dev/stdout";
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (!pipe) {
        std::fprintf(stderr, "zvtool: cannot start %s\n", cmd.c_str());
        return false;
    }
    std::string line, problem, last;
    size_t tick = 0;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        ++tick;
        if (problem.empty() && tick <= r.Trace.size()) {
            const zvtools::AutoplayTrace& t = r.Trace[tick - 1];
            const size_t ship = line.find("\"Ship\":");
            const int64_t seen[7] = {Field(line, "StageNo"),    Field(line, "StageClock"),
                                     Field(line, "StagePhase"), Field(line, "x", ship),
                                     Field(line, "y", ship),    Field(line, "score", ship),
                                     Field(line, "lives", ship)};
            const int64_t want[7] = {t.StageNo, t.StageClock, t.StagePhase, t.X,
                                     t.Y,       t.Score,      t.Lives};
            static const char* names[7] = {"StageNo", "StageClock", "StagePhase", "x",
                                           "y",       "score",      "lives"};
            for (int k = 0; k < 7 && problem.empty(); ++k) {
                if (seen[k] != want[k])
                    problem = "tick " + std::to_string(tick) + ": " + names[k] + " is " +
                              std::to_string(seen[k]) + ", the search had " +
                              std::to_string(want[k]);
            }
        }
        last.swap(line);
        line.clear();
    }
    const int status = ::pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "zvtool: the playback failed (status %d)\n", status);
        return false;
    }
    if (problem.empty() && static_cast<int64_t>(tick) != r.EndTick)
        problem =
            "the playback ran " + std::to_string(tick) + " ticks, not " + std::to_string(r.EndTick);
    if (problem.empty() && r.Cleared && Field(last, "StageNo") == stage &&
        Field(last, "CurrentScreen") == 2)
        problem = "the playback did not leave the stage";
    if (!problem.empty()) {
        std::fprintf(stderr, "zvtool: the playback differs: %s\n", problem.c_str());
        return false;
    }
    return true;
}

int Run(const AutoplayOptions& o) {
    zvtools::GameFiles game;
    if (!zvtools::FindGame(game)) return 1;
    const zvtools::AutoplayResult r = zvtools::Autoplay(game.Data.string(), o.Start, o.Knobs);
    const double rate = r.Seconds > 0 ? double(r.Updates) / r.Seconds : 0;
    auto seconds = [](int64_t ticks) {
        return ticks < 0 ? std::string("-")
                         : std::to_string(ticks / 60) + "." + std::to_string(ticks % 60 / 6) + " s";
    };
    std::printf("stage %d\ndifficulty %s\nhells %s\ncharacter %d\nseed %u\n", o.Start.Stage,
                o.Start.Difficulty.c_str(), o.Start.Hells.c_str(), o.Start.Character, o.Start.Seed);
    std::printf("cleared %s\n", r.Cleared ? "yes" : "no");
    if (!r.Reason.empty()) std::printf("stopped %s\n", r.Reason.c_str());
    std::printf(
        "ticks %lld\ntime-to-boss %s\nboss-kill %s\nlives-lost %d\nscore %d\n",
        static_cast<long long>(r.EndTick), seconds(r.BossFightAt).c_str(),
        seconds(r.BossKilledAt >= 0 && r.BossFightAt >= 0 ? r.BossKilledAt - r.BossFightAt : -1)
            .c_str(),
        r.LivesLost, r.Score);
    std::printf("search %.1f s, %lld nodes, %lld backtracks, %lld updates (%.0f updates/s)\n",
                r.Seconds, static_cast<long long>(r.Decisions),
                static_cast<long long>(r.Backtracks), static_cast<long long>(r.Updates), rate);
    const bool played =
        r.Cleared || (o.Knobs.StopAfterTicks > 0 && !r.GameOver && !r.OutOfBudget && !r.TimedOut);
    if (o.Out.empty()) return played ? 0 : 1;
    if (!WriteWhole(o.Out, zvtools::AutoplayRecording(o.Start, r))) return 1;
    std::printf("recording %s\n", o.Out.c_str());
    if (o.Verify) {
        if (!VerifyPlayback(game, o.Out, r, o.Start.Stage)) return 1;
        std::printf("playback identical (%lld ticks)\n", static_cast<long long>(r.EndTick));
    }
    return played ? 0 : 1;
}

int AutoplayCommand(const std::vector<std::string>& args) {
    AutoplayOptions o;
    auto usage = [] {
        std::fprintf(stderr,
                     "usage: zvtool autoplay STAGE [--difficulty NAME] [--hells D,S,B]\n"
                     "       [--character N] [--seed N] [--budget SECONDS] [--out FILE]\n"
                     "       [--updates N] [--ticks N] [--chunk N] [--probe N] [--backtracks N]\n"
                     "       [--human] [--reaction N] [--quiet] [--no-verify]\n");
        return 2;
    };
    if (args.empty()) return usage();
    try {
        o.Start.Stage = std::stoi(args[0]);
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            const bool more = i + 1 < args.size();
            if (a == "--quiet") {
                o.Knobs.ProgressSeconds = 0;
            } else if (a == "--no-verify") {
                o.Verify = false;
            } else if (a == "--difficulty" && more) {
                o.Start.Difficulty = args[++i];
            } else if (a == "--hells" && more) {
                o.Start.Hells = args[++i];
            } else if (a == "--character" && more) {
                o.Start.Character = std::stoi(args[++i]);
            } else if (a == "--seed" && more) {
                o.Start.Seed = static_cast<uint32_t>(std::stoul(args[++i]));
            } else if (a == "--budget" && more) {
                o.Knobs.BudgetSeconds = std::stod(args[++i]);
            } else if (a == "--updates" && more) {
                o.Knobs.MaxUpdates = std::stoll(args[++i]);
            } else if (a == "--ticks" && more) {
                o.Knobs.StopAfterTicks = std::stoll(args[++i]);
            } else if (a == "--chunk" && more) {
                o.Knobs.ChunkFrames = std::stoi(args[++i]);
            } else if (a == "--probe" && more) {
                o.Knobs.ProbeFrames = std::stoi(args[++i]);
            } else if (a == "--backtracks" && more) {
                o.Knobs.BacktrackLimit = std::stoi(args[++i]);
            } else if (a == "--reaction" && more) {
                o.Knobs.ReactionFrames = std::stoi(args[++i]);
            } else if (a == "--human") {
                // The player model's knobs; options after it still change them.
                const zvtools::AutoplayKnobs h = zvtools::HumanKnobs();
                o.Knobs.ChunkFrames = h.ChunkFrames;
                o.Knobs.ProbeFrames = h.ProbeFrames;
                o.Knobs.BacktrackLimit = h.BacktrackLimit;
                o.Knobs.ReactionFrames = h.ReactionFrames;
                o.Knobs.BossBerth = h.BossBerth;
            } else if (a == "--out" && more) {
                o.Out = args[++i];
            } else {
                return usage();
            }
        }
    } catch (const std::exception&) {
        return usage();
    }
    if (o.Start.Stage != 1 && o.Start.Stage != 2 && o.Start.Stage != 5) {
        std::fprintf(stderr, "zvtool: the stages played are 1, 2 and 5\n");
        return 2;
    }
    if (o.Knobs.ChunkFrames < 1 || o.Knobs.ProbeFrames < 1 || o.Knobs.StopAfterTicks < 0 ||
        o.Knobs.BacktrackLimit < 0 || o.Knobs.MaxUpdates < 0 || o.Knobs.ReactionFrames < 0) {
        std::fprintf(stderr,
                     "zvtool: --chunk and --probe take a positive count, --ticks, --updates, "
                     "--backtracks and --reaction a count\n");
        return 2;
    }
    try {
        return Run(o);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zvtool: %s\n", e.what());
        return 1;
    }
}

}  // namespace

ZV_COMMAND("autoplay",
           "STAGE [--difficulty D] [--hells H] [--character N] [--seed N] [--budget S] "
           "[--out FILE]: search for a clear as a player and record it",
           AutoplayCommand);
