#pragma once
// The menu settings a test or stage author can give on the command line (--difficulty,
// --hells), in the menus' own words.
#include <cstdint>
#include <string>

struct TPlayChoice {
    int32_t Difficulty = -1;               // difficulty entry 0..6, -1 as the menus left it
    uint8_t CustomClasses[3] = {1, 1, 1};  // classes 0..2 for CUSTOM: 0 X, 1 N, 2 P
    int32_t Density = -1;                  // HELL OF DENSITY value, -1 unchanged
    int32_t Speed = -1;                    // HELL OF SPEED value
    int32_t ShootBack = -1;                // HELL OF SHOOT BACK value
};

// "EASY" .. "IMPOSSIBLE", or "CUSTOM=X,N,P" (classes 0, 1, 2).
bool ParseDifficultyOption(const std::string& text, TPlayChoice& out, std::string& error);
// "DENSITY,SPEED,SHOOTBACK", for example "X3-B,X1.5,TYPE-S".
bool ParseHellsOption(const std::string& text, TPlayChoice& out, std::string& error);
// Stores the choice in the play settings and the title's cursors, as the menus would.
void ApplyPlayChoice(const TPlayChoice& choice);
