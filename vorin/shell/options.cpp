#include "shell/options.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "screens/title.h"
#include "shell/input.h"
#include "world/tables.h"

namespace {

bool ToInt(const std::string& s, int64_t& v) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    return ec == std::errc() && p == end && !s.empty();
}

// The rest of a gamepad line: UPDATE X Y BUTTONS, axes 0..65535, eight button bits.
bool ParseJoyLine(std::istringstream& words, ScriptEvent& ev) {
    std::string f[4], rest;
    int64_t v[4] = {};
    if (!(words >> f[0] >> f[1] >> f[2] >> f[3]) || (words >> rest)) return false;
    for (int i = 0; i < 4; ++i)
        if (!ToInt(f[i], v[i]) || v[i] < 0) return false;
    if (v[0] < 1 || v[1] > 65535 || v[2] > 65535 || v[3] > 255) return false;
    ev.update = v[0];
    ev.joyX = static_cast<uint32_t>(v[1]);
    ev.joyY = static_cast<uint32_t>(v[2]);
    ev.joyButtons = static_cast<uint32_t>(v[3]);
    return true;
}

}  // namespace

const char* UsageText() {
    return "usage: vorin [options]\n"
           "  --window            play in a window instead of full screen\n"
           "  --scale N           window scale (320N x 240N), 1 to 16, default 3\n"
           "  --nosound           no sound effects\n"
           "  --nomusic           no music\n"
           "  --data-dir DIR      read and write data files in DIR\n"
           "  --headless          no window, no audio; ticks run on a virtual clock\n"
           "  --frames N          stop after N ticks\n"
           "  --seed N            seed the random generator with N\n"
           "  --input FILE        key events: 'TICK KEY down|up' per line\n"
           "  --screenshot T:FILE after tick T, write the screen (PNG if FILE ends in .png,\n"
           "                      else an 8-bit BMP)\n"
           "  --dump FILE         one JSON object per tick\n"
           "  --dump-every N      dump only tick 1 and every Nth tick (long runs)\n"
           "  --stage N           start a play of stage N (1, 2 or 5) with character 0 at once\n"
           "  --character N       with --stage: play character N (0..2)\n"
           "  --difficulty NAME   EASY .. IMPOSSIBLE, or CUSTOM=X,N,P (classes 0..2)\n"
           "  --hells D,S,B       density, speed and shoot-back hells, e.g. X3-B,X1.5,TYPE-S\n"
           "  --invulnerable      with --stage: the ship cannot be hit (no high score)\n"
           "  --at-boss           with --stage: start shortly before the boss, as ONLY BOSS\n"
           "  --record FILE       record the play (seed, options, input) to FILE\n"
           "  --playback FILE     play a recorded play back exactly (it gives the input, seed,\n"
           "                      play options and settings)\n"
           "  --soundfont FILE    play the music with this SoundFont\n"
           "  --verbose           name the SoundFont the music uses on standard error\n"
           "  --help, --version\n"
           "A bad option exits with status 2; a failure while running (a data file missing, a\n"
           "file that cannot be written) with 1.\n";
}

namespace {
// Every key an input script or a recorded play names, with its virtual-key code: the one
// table both directions read, so a name written is always a name read back.
struct TKeyName {
    const char* Name;
    int Key;
};
constexpr TKeyName KeyNames[] = {
    {"Up", vk::Up},       {"Down", vk::Down},   {"Left", vk::Left},   {"Right", vk::Right},
    {"Shift", vk::Shift}, {"Print", vk::Print}, {"Z", vk::Z},         {"X", vk::X},
    {"C", vk::C},         {"1", vk::Key1},      {"2", vk::Key2},      {"3", vk::Key3},
    {"F1", vk::F1},       {"F2", vk::F1 + 1},   {"F3", vk::F1 + 2},   {"F4", vk::F1 + 3},
    {"F5", vk::F1 + 4},   {"F6", vk::F1 + 5},   {"F7", vk::F1 + 6},   {"F8", vk::F1 + 7},
    {"F9", vk::F1 + 8},   {"F10", vk::F1 + 9},  {"F11", vk::F1 + 10}, {"F12", vk::F12},
};
static_assert(vk::F12 == vk::F1 + 11);
}  // namespace

int KeyFromName(const std::string& name) {
    for (const TKeyName& k : KeyNames)
        if (name == k.Name) return k.Key;
    return 0;
}

std::string KeyName(int key) {
    for (const TKeyName& k : KeyNames)
        if (key == k.Key) return k.Name;
    return "";
}

namespace {
// What playback takes from the recording instead of the command line: the input, the seed and
// every play option (the settings and the score table come from it too, and have no option).
constexpr const char* TakenFromRecording[] = {"--input",        "--seed",       "--stage",
                                              "--character",    "--difficulty", "--hells",
                                              "--invulnerable", "--at-boss"};
}  // namespace

bool ParseOptions(int argc, const char* const* argv, Options& o, std::string& error) {
    std::vector<std::string> given;  // the options named, for the combinations checked last
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        given.push_back(a);
        auto value = [&](std::string& v) {
            if (i + 1 >= argc) {
                error = a + " needs a value";
                return false;
            }
            v = argv[++i];
            return true;
        };
        // A whole number in [min, max]; `accepts` says what the option takes when it is not.
        auto number = [&](int64_t& v, int64_t min, int64_t max, const std::string& accepts) {
            std::string s;
            if (!value(s)) return false;
            if (!ToInt(s, v) || v < min || v > max) {
                error = a + " takes " + accepts + ", not '" + s + "'";
                return false;
            }
            return true;
        };
        constexpr int64_t Huge = INT64_MAX;
        int64_t n = 0;
        if (a == "--window") {
            o.window = true;
        } else if (a == "--scale") {
            if (!number(n, 1, MaxScale, "a whole number from 1 to 16")) return false;
            o.scale = static_cast<int>(n);
            o.window = true;
        } else if (a == "--nosound") {
            o.noSound = true;
        } else if (a == "--nomusic") {
            o.noMusic = true;
        } else if (a == "--data-dir") {
            if (!value(o.dataDir)) return false;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--frames") {
            if (!number(o.frames, 0, Huge, "a whole number from 0 up")) return false;
        } else if (a == "--seed") {
            if (!number(o.seed, 0, UINT32_MAX, "a whole number from 0 to 4294967295")) return false;
        } else if (a == "--input") {
            if (!value(o.inputFile)) return false;
        } else if (a == "--dump") {
            if (!value(o.dumpFile)) return false;
        } else if (a == "--dump-every") {
            if (!number(o.dumpEvery, 1, Huge, "a whole number from 1 up")) return false;
        } else if (a == "--stage") {
            if (!number(o.stage, 1, StageCount, "1, 2 or 5 (the stages that can be played)"))
                return false;
            if (!StageSelectable(static_cast<int32_t>(o.stage) - 1)) {
                error = "--stage takes 1, 2 or 5 (the stages that can be played), not '" +
                        std::to_string(o.stage) + "'";
                return false;
            }
        } else if (a == "--character") {
            if (!number(o.character, 0, 2, "0, 1 or 2")) return false;
        } else if (a == "--difficulty") {
            std::string s;
            if (!value(s) || !ParseDifficultyOption(s, o.choice, error)) return false;
            o.difficultyText = s;
        } else if (a == "--hells") {
            std::string s;
            if (!value(s) || !ParseHellsOption(s, o.choice, error)) return false;
            o.hellsText = s;
        } else if (a == "--invulnerable") {
            o.invulnerable = true;
        } else if (a == "--at-boss") {
            o.atBoss = true;
        } else if (a == "--screenshot") {
            std::string s;
            if (!value(s)) return false;
            const size_t colon = s.find(':');
            ScreenshotRequest r;
            if (colon == std::string::npos || !ToInt(s.substr(0, colon), r.tick) || r.tick < 1 ||
                colon + 1 >= s.size()) {
                error = "--screenshot takes TICK:FILE (TICK from 1 up), not '" + s + "'";
                return false;
            }
            r.file = s.substr(colon + 1);
            o.screenshots.push_back(r);
        } else if (a == "--record") {
            if (!value(o.recordFile)) return false;
        } else if (a == "--playback") {
            if (!value(o.playbackFile)) return false;
        } else if (a == "--soundfont") {
            if (!value(o.soundFont)) return false;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else {
            error = "unknown option '" + a + "' (vorin --help lists the options)";
            return false;
        }
    }
    if (!o.playbackFile.empty()) {
        for (const char* taken : TakenFromRecording)
            if (std::find(given.begin(), given.end(), taken) != given.end()) {
                error = std::string(taken) +
                        " cannot be used with --playback: the recording gives the input, the "
                        "seed, the play options and the settings";
                return false;
            }
        if (!o.recordFile.empty()) {
            error =
                "--record cannot be used with --playback: a played-back play is not "
                "recorded again";
            return false;
        }
    }
    if (o.stage == 0 && (o.character != 0 || o.invulnerable || o.atBoss)) {
        error = "--character, --invulnerable and --at-boss need --stage";
        return false;
    }
    return true;
}

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& out, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::string tick, key, dir, rest;
        if (!(words >> tick)) continue;  // blank or comment
        ScriptEvent ev;
        if (words >> key && key == "joy") {
            if (!ParseJoyLine(words, ev)) {
                error =
                    "line " + std::to_string(lineNo) + ": expected 'TICK joy UPDATE X Y BUTTONS'";
                return false;
            }
            if (!ToInt(tick, ev.tick) || ev.tick < 1) {
                error = "line " + std::to_string(lineNo) + ": bad tick '" + tick + "'";
                return false;
            }
            out.push_back(ev);
            continue;
        }
        if (key.empty() || !(words >> dir) || (words >> rest)) {
            error = "line " + std::to_string(lineNo) + ": expected 'TICK KEY down|up'";
            return false;
        }
        if (!ToInt(tick, ev.tick) || ev.tick < 1) {
            error = "line " + std::to_string(lineNo) + ": bad tick '" + tick + "'";
            return false;
        }
        ev.key = KeyFromName(key);
        if (ev.key == 0) {
            error = "line " + std::to_string(lineNo) + ": unknown key '" + key + "'";
            return false;
        }
        if (dir != "down" && dir != "up") {
            error = "line " + std::to_string(lineNo) + ": expected down or up, got '" + dir + "'";
            return false;
        }
        ev.down = dir == "down";
        out.push_back(ev);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.tick < b.tick; });
    return true;
}
