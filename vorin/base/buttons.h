#pragma once
// The seven logical buttons: the shell samples them once per update from the keyboard and
// the joystick; the front end reads them, and the play receives them in its command.
#include <array>
#include <cstdint>

// Button positions in a TButtonSet.
constexpr int32_t BtnUp = 0, BtnDown = 1, BtnLeft = 2, BtnRight = 3, BtnA = 4, BtnB = 5, BtnC = 6;
using TButtonSet = std::array<bool, 7>;
