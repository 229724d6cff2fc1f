#include "screens/play_options.h"

#include <vector>

#include "screens/menutext.h"
#include "screens/title.h"
#include "world/state.h"

namespace {
// Index of word among count menu texts from first; -1 when none matches.
int32_t FindWord(const std::string& word, int32_t first, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        if (word == MenuText[first + i]) return i;
    return -1;
}

std::string Choices(int32_t first, int32_t count) {
    std::string s;
    for (int32_t i = 0; i < count; ++i) s += (i ? ", " : "") + std::string(MenuText[first + i]);
    return s;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}
}  // namespace

bool ParseDifficultyOption(const std::string& text, TPlayChoice& out, std::string& error) {
    const std::string custom = std::string(MenuText[MenuIdx::Difficulty + DifficultyCustom]) + "=";
    if (text.rfind(custom, 0) == 0) {
        const std::vector<std::string> parts = SplitCommas(text.substr(custom.size()));
        if (parts.size() != CustomColumns) {
            error = "--difficulty CUSTOM wants three classes, for example CUSTOM=X,N,P";
            return false;
        }
        for (int32_t k = 0; k < CustomColumns; ++k) {
            const int32_t v = FindWord(parts[k], MenuIdx::ClassLetter, ClassValueCount);
            if (v < 0) {
                error = "--difficulty CUSTOM: class " + std::to_string(k) + " is '" + parts[k] +
                        "', not one of X, N, P";
                return false;
            }
            out.CustomClasses[k] = static_cast<uint8_t>(v);
        }
        out.Difficulty = DifficultyCustom;
        return true;
    }
    const int32_t d = FindWord(text, MenuIdx::Difficulty, DifficultyCustom);
    if (d < 0) {
        error = "--difficulty: '" + text + "' is not one of " +
                Choices(MenuIdx::Difficulty, DifficultyCustom) + " or CUSTOM=X,N,P";
        return false;
    }
    out.Difficulty = d;
    return true;
}

bool ParseHellsOption(const std::string& text, TPlayChoice& out, std::string& error) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() != 3) {
        error = "--hells wants DENSITY,SPEED,SHOOTBACK, for example X3-B,X1.5,TYPE-S";
        return false;
    }
    const int32_t first[3] = {MenuIdx::Density, MenuIdx::Speed, MenuIdx::ShootBack};
    int32_t* fields[3] = {&out.Density, &out.Speed, &out.ShootBack};
    const char* names[3] = {"density", "speed", "shoot back"};
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t v = FindWord(parts[k], first[k], 4);
        if (v < 0) {
            error = std::string("--hells: ") + names[k] + " '" + parts[k] + "' is not one of " +
                    Choices(first[k], 4);
            return false;
        }
        *fields[k] = v;
    }
    return true;
}

void ApplyPlayChoice(const TPlayChoice& c) {
    if (c.Difficulty >= 0) {
        DifficultyCursor = c.Difficulty;
        if (c.Difficulty == DifficultyCustom) {
            for (int32_t k = 0; k < CustomColumns; ++k) ClassSettings[k] = c.CustomClasses[k];
        } else {
            for (int32_t k = 0; k < ClassCount; ++k)
                ClassSettings[k] = DifficultyPresets[c.Difficulty].Classes[k];
        }
    }
    if (c.Density >= 0) HellDensity = c.Density;
    if (c.Speed >= 0) HellSpeed = c.Speed;
    if (c.ShootBack >= 0) ShootBackType = c.ShootBack;
}
