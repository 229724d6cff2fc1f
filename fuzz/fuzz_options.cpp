// Any command line: the input is cut at zero bytes into words; a word that starts with a
// byte below 0x20 becomes an option picked by that byte (followed, for an option with a
// value, by the rest of the word as its value), any other word is passed as it stands.
// ParseOptions either refuses with a reason or gives options inside their ranges.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "screens/menutext.h"
#include "screens/title.h"
#include "shell/options.h"

namespace {

struct TOptionName {
    const char* Name;
    bool TakesValue;
};

// Every option vorin knows, plus one it does not.
constexpr TOptionName OptionNames[] = {
    {"--stage", true},     {"--hells", true},    {"--difficulty", true}, {"--screenshot", true},
    {"--character", true}, {"--frames", true},   {"--seed", true},       {"--scale", true},
    {"--data-dir", true},  {"--input", true},    {"--dump", true},       {"--window", false},
    {"--nosound", false},  {"--nomusic", false}, {"--headless", false},  {"--invulnerable", false},
    {"--at-boss", false},  {"--help", false},    {"--version", false},   {"--bogus", false},
    {"--playback", true},  {"--record", true},
};
constexpr size_t OptionCount = sizeof OptionNames / sizeof OptionNames[0];
constexpr uint8_t PickerLimit = 0x20;  // a word starting below this picks an option
constexpr int32_t MaxCharacter = 2;
constexpr int32_t HellValues = 4;  // values of each hell setting

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"vorin"};
    const char* p = reinterpret_cast<const char*>(data);
    const char* end = p + size;
    while (p < end) {
        const char* stop = p;
        while (stop < end && *stop != '\0') ++stop;
        std::string word(p, stop);
        p = stop < end ? stop + 1 : end;
        if (!word.empty() && static_cast<uint8_t>(word[0]) < PickerLimit) {
            const TOptionName& o = OptionNames[static_cast<uint8_t>(word[0]) % OptionCount];
            words.push_back(o.Name);
            if (o.TakesValue) words.push_back(word.substr(1));
        } else {
            words.push_back(word);
        }
    }
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    argv.push_back(nullptr);

    Options o;
    std::string error;
    if (!ParseOptions(static_cast<int>(words.size()), argv.data(), o, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (o.stage < 0 || (o.stage != 0 && !StageSelectable(static_cast<int32_t>(o.stage) - 1)) ||
        o.character < 0 || o.character > MaxCharacter)
        __builtin_trap();
    // A playback takes the seed and the play options from its recording only.
    if (!o.playbackFile.empty() &&
        (o.seed != -1 || o.stage != 0 || !o.recordFile.empty() || !o.difficultyText.empty()))
        __builtin_trap();
    if (o.stage == 0 && (o.character != 0 || o.invulnerable || o.atBoss)) __builtin_trap();
    if (o.scale < 1 || o.scale > MaxScale || o.frames < -1 || o.seed < -1) __builtin_trap();
    for (const ScreenshotRequest& s : o.screenshots)
        if (s.tick < 1 || s.file.empty()) __builtin_trap();
    const TPlayChoice& c = o.choice;
    if (c.Difficulty < -1 || c.Difficulty >= DifficultyCount) __builtin_trap();
    for (uint8_t k : c.CustomClasses)
        if (k >= ClassValueCount) __builtin_trap();
    for (int32_t v : {c.Density, c.Speed, c.ShootBack})
        if (v < -1 || v >= HellValues) __builtin_trap();
    // What was accepted must be safe to apply to the menus' settings.
    ApplyPlayChoice(c);
    return 0;
}
