#include "screens/menutext.h"

const char* const MenuText[MenuTextCount] = {
    // Main menu.
    "ARCADE GAME",
    "PRACTICE",
    "ONLY BOSS",
    "BALLOON CRUSH",
    "REPLAY",
    "RANKING",
    "CONFIGURATION",
    // Difficulties.
    "EASY",
    "NORMAL",
    "HARD",
    "SUPER",
    "CRAZY",
    "IMPOSSIBLE",
    "CUSTOM",
    // Player counts (no screen shows them).
    "1 PLAYER",
    "2 PLAYERS",
    // Hells page lines and values.
    "HELL OF DENSITY",
    "HELL OF SPEED",
    "HELL OF SHOOT BACK",
    "OKAY",
    "X1",
    "X2",
    "X3-A",
    "X3-B",
    "X1",
    "X0.5",
    "X1.5",
    "X2",
    "OFF",
    "TYPE-M",
    "TYPE-S",
    "TYPE-I",
    // Class setting letters.
    "X",
    "N",
    "P",
    // Characters.
    "NIA CORWELL",
    "BRESKA VALORN",
    "MIRRA KESTEVO",
    // Joystick button assignments.
    "NOT USE",
    "SHOT A",
    "SHOT B",
    "ANCHOR LOCK",
    "RAPID-FIRE",
    // Rank names.
    " 1ST",
    " 2ND",
    " 3RD",
    " 4TH",
    " 5TH",
    " 6TH",
    " 7TH",
    " 8TH",
    " 9TH",
    "10TH",
};

const TDifficultyPreset DifficultyPresets[DifficultyCustom] = {
    {{1, 0, 0, 1}},  // EASY
    {{1, 1, 0, 1}},  // NORMAL
    {{1, 1, 1, 1}},  // HARD
    {{2, 1, 1, 1}},  // SUPER
    {{2, 2, 0, 1}},  // CRAZY
    {{2, 2, 2, 1}},  // IMPOSSIBLE
};
