#pragma once
// Screen 0, the title: "PRESS ANY BUTTON", the main menu, the difficulty, hells and stage
// select pages, and the last-play statistics. EnterTitle, UpdateTitle and DrawTitle are in
// shell/screens.h.
#include <array>
#include <cstdint>
#include <string>

struct TPlayStats;

// Title pages (2 is not used).
constexpr int32_t PagePressButton = 0;
constexpr int32_t PageMainMenu = 1;
constexpr int32_t PageDifficulty = 3;
constexpr int32_t PageHells = 4;
constexpr int32_t PageStageSelect = 5;

constexpr int32_t HellLineCount = 4;  // density, speed, shoot back, "OKAY"
constexpr int32_t HellLineOkay = 3;
constexpr int32_t HellValueCount = 4;   // each hell setting is 0..3
constexpr int32_t StageEntryCount = 7;  // stage list entries 0..6 (stage = entry + 1)

extern int32_t TitlePage;          // page shown; only EnterTitle resets it
extern int32_t MenuCursor;         // main menu entry 0..6
extern int32_t DifficultyCursor;   // difficulty entry 0..6
extern int32_t CustomColumn;       // custom class column being edited, 0..2
extern int32_t HellCursor;         // hells page line 0..3
extern int32_t StageCursor;        // stage list entry 0..6
extern int32_t MenuItemLocked[7];  // 1: the main menu entry cannot be chosen (dimmed)
extern bool PracticeAvailable;     // set once at start-up
extern bool OnlyBossAvailable;
extern bool CustomAvailable;

// A stage list entry that can be played in practice (stages 1, 2 and 5).
bool StageSelectable(int32_t entry);

// The values of the last-play statistics page, top to bottom (score, time elapsed, time
// scratching, scratch %, max scratches, shoot down, max multiplier, average, coins); an
// empty string for a value left out because its divisor is 0.
std::array<std::string, 9> LastPlayValues(const TPlayStats& stats, int32_t score);

// The title's state back to its program-start values (tests).
void ResetTitleState();
