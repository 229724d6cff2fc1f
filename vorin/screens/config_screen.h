#pragma once
// Screen 4, configuration: the main page, the joystick button mapping and the player
// setting (move and turn speeds); edits Settings and saves zvconfig.ini.
#include <cstdint>

struct TSettings;

// Pages.
constexpr int32_t ConfigMain = 0;
constexpr int32_t ConfigMapping = 1;
constexpr int32_t ConfigPlayer = 2;

// Lines of the main page.
constexpr int32_t LinePlayerSetting = 5;
constexpr int32_t LineButtonMapping = 6;
constexpr int32_t LineSave = 7;
constexpr int32_t LineExit = 8;
constexpr int32_t ConfigLastLine = 8;  // every page has lines 0..8; 8 leaves the page

// Lines of the player setting page (3 is the "MOVE SPEEDS" heading).
constexpr int32_t LineKouten = 1;
constexpr int32_t LineJiten = 2;
constexpr int32_t LineSpeedHeading = 3;
constexpr int32_t LineSpeedOff = 4;  // 4..7: SpeedOff, SpeedManual, SpeedAuto, SpeedCharge

// Joystick button assignments (menu texts 38..42).
constexpr int32_t AssignNone = 0;
constexpr int32_t AssignA = 1;
constexpr int32_t AssignB = 2;
constexpr int32_t AssignC = 3;
constexpr int32_t AssignRapid = 4;  // both A and B
constexpr int32_t AssignCount = 5;
constexpr int32_t JoyButtonCount = 8;

constexpr int32_t TurnSpeedMax = 128;  // turn speeds double up to this
constexpr int32_t MoveSpeedMax = 8;

extern int32_t ConfigPage;                    // ConfigMain, ConfigMapping, ConfigPlayer
extern int32_t ConfigCursor;                  // line 0..8 of the page
extern int32_t ButtonAssign[JoyButtonCount];  // per joystick button while mapping

// The masks of the settings as one assignment per joystick button.
void DecodeButtonMasks(const TSettings& s, int32_t (&assign)[JoyButtonCount]);
// The assignments back into the three masks; bits 8 and above are dropped.
void EncodeButtonMasks(const int32_t (&assign)[JoyButtonCount], TSettings& s);


// The configuration screen's state back to its program-start values (tests).
void ResetConfigState();
