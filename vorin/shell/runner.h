#pragma once
// One run of the program: options, start-up, the frame loop (real or headless), shut-down.

// Returns the process exit status.
int RunProgram(int argc, const char* const* argv);

// Writes what the player sees now (back buffer through the hardware palette) as an 8-bit
// BMP; false with the reason in error.
#include <string>
bool WriteScreenshot(const std::string& path, std::string& error);
