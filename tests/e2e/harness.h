#pragma once
// Runs the real program headless and reads back what it wrote: the dump, one JSON object a
// line, and its screenshots.
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
    int status = -1;
    std::vector<std::string> dump;  // one JSON object per tick
    std::string errors;             // what the program wrote on standard error
};

// A fresh folder holding a copy of every generated data file of the build.
std::string FreshDataDir();
// Runs vorin --headless --data-dir DIR with the arguments and, when given, an input script;
// --dump is added and read back.
RunResult RunVorin(const std::string& dataDir, const std::vector<std::string>& args,
                   const std::string& inputScript = "");

// Field readers on one dump line: the first occurrence of "key": at any depth.
bool HasField(const std::string& line, const std::string& key);
int64_t IntField(const std::string& line, const std::string& key);
bool BoolField(const std::string& line, const std::string& key);
std::string StrField(const std::string& line, const std::string& key);
// The raw JSON text of the value (object, array, number...).
std::string RawField(const std::string& line, const std::string& key);

}  // namespace e2e
