#pragma once
// Where the game's files live: the program's own directory unless --data-dir says otherwise.
#include <stdexcept>
#include <string>

extern std::string DataDir;  // with a trailing '/'

// The directory of the running program file, with a trailing '/'.
std::string ProgramDirectory();
// DataDir + name.
std::string DataPath(const std::string& name);

// A failed read of a file the game cannot start or go on without (the run-time
// input/output error); the message names the file and the reason.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The application's default error report: the message on standard error always, and in a
// message box when a display exists.
void ShowErrorReport(const std::string& message);
