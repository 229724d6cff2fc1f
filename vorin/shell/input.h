#pragma once
// The seven logical buttons, fed by the keyboard and one joystick, sampled once per update.
#include <cstdint>

#include "base/buttons.h"
#include "platform/platform.h"

// Virtual-key codes the game reacts to.
namespace vk {
constexpr int Shift = 16, Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Key1 = 49, Key2 = 50, Key3 = 51, C = 67, X = 88, Z = 90;
constexpr int F1 = 112, F2 = 113, F3 = 114, F4 = 115, F6 = 117, F8 = 119, F12 = 123;
constexpr int F9 = 120, Print = 44;  // the screenshot keys (the shell's, not the game's)
}  // namespace vk

extern TButtonSet KeyButtons;       // kept by the key handlers
extern TButtonSet PrevButtons;      // the previous update's buttons
extern TButtonSet CurButtons;       // this update's buttons
extern bool JoystickPresent;        // a joystick answered at start-up
extern plat::JoyReading JoySample;  // the last joystick reading

// Where the pad is read: the platform's pad, or a recorded play's readings. False: no pad.
extern bool (*JoystickSource)(plat::JoyReading& out);

void FormKeyDown(int key, bool shift);
void FormKeyUp(int key, bool shift);
// PrevButtons = CurButtons; CurButtons = KeyButtons, plus the joystick when present (a pad
// pulled out reads as centred with no buttons).
void SampleInput();
// Adds a joystick reading to CurButtons with the dead zone and the button masks.
void ApplyJoystick(const plat::JoyReading& joy);
bool Pressed(int32_t button);
bool DecidePressed();
void ResetInputState();
