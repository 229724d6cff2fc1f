#pragma once
// Where the game's files live. Data files are looked for in the program's own folder, then
// $XDG_DATA_HOME/zelvorin, each $XDG_DATA_DIRS/zelvorin and the installed data folder; the
// player's files (configuration, high scores) stay beside the data when that is the program's
// own writable folder (a portable copy) and go to $XDG_DATA_HOME/zelvorin otherwise.
// --data-dir names one folder that holds every file instead.
#include <stdexcept>
#include <string>
#include <vector>

// --data-dir (or a test's fixture folder), with a trailing '/': the one folder for every file.
// Empty: the folders are searched.
extern std::string DataDir;

// The player's own files, written by the game.
constexpr const char* ConfigFileName = "zvconfig.ini";
constexpr const char* HighScoreFileName = "zvscore.dat";  // the same name as ScoreFileName

// The directory of the running program file, with a trailing '/'.
std::string ProgramDirectory();
// The folders searched for data files, in order, each with a trailing '/', without repeats.
std::vector<std::string> DataSearchFolders();
// $XDG_DATA_HOME/zelvorin/ (by default ~/.local/share/zelvorin/).
std::string UserDataFolder();
// The first folder holding a file of that name; empty when none does.
std::string FindDataFile(const std::string& name, const std::vector<std::string>& folders);
// Where the player's files are read and written (see above), with a trailing '/'.
std::string SaveFolder();
// The full path of a file the game reads (or, for the player's files, reads and writes).
// Throws EInOutError naming every folder it looked in when no folder holds a data file.
std::string DataPath(const std::string& name);
// Before a save: makes the player's folder when the path lies in it and it is not there yet.
// False with the reason in error when it cannot be made.
bool PrepareSave(const std::string& path, std::string& error);

// True while a recorded play is played back: the player's files are not written (saves
// report success, so the play goes as it did).
extern bool SavesDisabled;

// A failed read of a file the game cannot start or go on without (the run-time
// input/output error); the message names the file and the reason.
class EInOutError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
