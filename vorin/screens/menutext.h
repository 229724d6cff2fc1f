#pragma once
// The front end's read-only tables: the menu text table shared by every front-end screen,
// and the difficulty presets.
#include <cstdint>

constexpr int32_t MenuTextCount = 53;

// First entry of each group in MenuText.
namespace MenuIdx {
constexpr int32_t MainMenu = 0;      // 7 main menu entries
constexpr int32_t Difficulty = 7;    // 7 difficulties
constexpr int32_t PlayerCount = 14;  // "1 PLAYER", "2 PLAYERS" (not shown)
constexpr int32_t HellLine = 16;     // 4 hells page lines
constexpr int32_t Density = 20;      // 4 density values
constexpr int32_t Speed = 24;        // 4 speed values
constexpr int32_t ShootBack = 28;    // 4 shoot-back values
constexpr int32_t ClassLetter = 32;  // "X", "N", "P"
constexpr int32_t Character = 35;    // 3 character names
constexpr int32_t Assignment = 38;   // 5 joystick button assignments
constexpr int32_t RankName = 43;     // 10 rank names
}  // namespace MenuIdx

extern const char* const MenuText[MenuTextCount];

// Main menu entries.
constexpr int32_t MenuArcade = 0;
constexpr int32_t MenuPractice = 1;
constexpr int32_t MenuOnlyBoss = 2;
constexpr int32_t MenuBalloonCrush = 3;
constexpr int32_t MenuReplay = 4;
constexpr int32_t MenuRanking = 5;
constexpr int32_t MenuConfiguration = 6;
constexpr int32_t MenuEntryCount = 7;

// Difficulty entries: 0..5 presets, 6 the custom column values.
constexpr int32_t DifficultyCustom = 6;
constexpr int32_t DifficultyCount = 7;
constexpr int32_t ClassCount = 4;       // bullet classes with a setting
constexpr int32_t CustomColumns = 3;    // classes 0..2 are edited on the custom line
constexpr uint8_t ClassValueCount = 3;  // "X", "N", "P"

struct TDifficultyPreset {
    uint8_t Classes[ClassCount];  // class settings 0..3 the difficulty stores
};
extern const TDifficultyPreset DifficultyPresets[DifficultyCustom];
