#pragma once
// One run of the program: options, start-up, the frame loop (real or headless), shut-down.
#include "shell/screenshot.h"

// Returns the process exit status.
int RunProgram(int argc, const char* const* argv);
