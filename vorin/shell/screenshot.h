#pragma once
// Screenshots: what the player sees, as a palettised BMP or PNG (--screenshot), and the
// PrintScreen/F9 keys, which save it as PNG at 1x and at the window's scale in the pictures
// folder, named with the date and time.
#include <string>

// The frame on screen (the back buffer through the current colour table) to path: PNG when
// the name ends in ".png", an 8-bit BMP otherwise. False with the reason in error.
bool WriteScreenshot(const std::string& path, std::string& error);
// Where the keys save: $XDG_PICTURES_DIR (from the environment or user-dirs.dirs), else the
// player's data folder; with a trailing '/'.
std::string PicturesFolder();
// The screenshot key: both files written (the scaled one only when scale > 1) and, with
// notice, a notice on the message line; the files' paths, or the reason, in report.
bool SaveScreenshotPair(int scale, std::string& report, bool notice = true);
