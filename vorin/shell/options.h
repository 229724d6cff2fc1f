#pragma once
// Command-line options of vorin and the headless input script.
#include <cstdint>
#include <string>
#include <vector>

#include "screens/play_options.h"

struct ScreenshotRequest {
    int64_t tick = 0;
    std::string file;
};

struct ScriptEvent {
    int64_t tick = 0;  // delivered just before this tick samples its input
    int key = 0;       // virtual-key code (Shift is 16); 0 for a gamepad reading
    bool down = false;
    // A gamepad reading ("TICK joy UPDATE X Y BUTTONS", in recorded plays): what the pad
    // reads from screen update UPDATE on.
    int64_t update = 0;
    uint32_t joyX = 0, joyY = 0, joyButtons = 0;
};

constexpr int MaxScale = 16;  // --scale: the largest window, 5120 x 3840

struct Options {
    bool window = false;
    int scale = 3;
    bool noSound = false;
    bool noMusic = false;
    std::string dataDir;
    bool headless = false;
    int64_t frames = -1;  // -1: run until the window closes
    int64_t seed = -1;
    std::string inputFile;
    std::vector<ScreenshotRequest> screenshots;
    std::string dumpFile;
    int64_t dumpEvery = 1;  // --dump-every N: only tick 1 and every Nth tick are dumped
    int64_t stage = 0;      // --stage N: a play of stage N starts right after start-up
    int64_t character = 0;  // --character N (0..2), with --stage
    TPlayChoice choice;     // --difficulty and --hells
    std::string difficultyText, hellsText;  // the same as given (recorded plays keep them)
    bool invulnerable = false;  // --invulnerable: the ship never runs out of invulnerability
    bool atBoss = false;        // --at-boss: the stage starts as "ONLY BOSS" starts it
    bool help = false;
    bool version = false;
    std::string recordFile;    // --record FILE: the play's seed, options and input
    std::string playbackFile;  // --playback FILE: replays a recorded play
    std::string soundFont;     // --soundfont FILE: the music's SoundFont
    bool verbose = false;      // --verbose: names the files in use on standard error
};

// Parses argv; on a bad option returns false with the reason: one line naming the option and
// what it takes.
bool ParseOptions(int argc, const char* const* argv, Options& out, std::string& error);
// Checks the files and folders the options name before anything reads them: --input and
// --playback regular files, --soundfont a readable, whole SoundFont, --data-dir a folder. False
// with a one-line reason naming the option.
bool CheckOptionFiles(const Options& o, std::string& error);
// Empty when the file is a whole SoundFont as far as its outline shows (a RIFF form "sfbk"
// holding whole INFO, sdta and pdta lists); otherwise what is wrong with it.
std::string SoundFontProblem(const std::string& path);
const char* UsageText();
// Key name of the input script (Up, Z, F3, Shift...) to its virtual-key code; 0 if unknown.
int KeyFromName(const std::string& name);
// The script name of a virtual-key code; empty for keys the script does not know.
std::string KeyName(int key);
// Parses an input script; on a bad line returns false with "line N: reason".
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& out, std::string& error);
