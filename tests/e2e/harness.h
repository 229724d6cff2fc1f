#pragma once
// Runs the real program headless and reads back what it wrote: the dump, one JSON object a
// line, and its screenshots.
#include <cstdint>
#include <map>
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

// The outline of a SoundFont: a RIFF form "sfbk" of empty INFO, sdta and pdta lists, which is
// what the program checks before the synthesizer (runs of the tests start none).
std::string SoundFontOutline();

// Field readers on one dump line: the first occurrence of "key": at any depth.
bool HasField(const std::string& line, const std::string& key);
int64_t IntField(const std::string& line, const std::string& key);
bool BoolField(const std::string& line, const std::string& key);
std::string StrField(const std::string& line, const std::string& key);
// The raw JSON text of the value (object, array, number...).
std::string RawField(const std::string& line, const std::string& key);

// One entry of the dump's Objects list: its integer fields by name.
struct DumpObject {
    std::map<std::string, int64_t> fields;
    int64_t operator[](const std::string& key) const;  // throws when absent
    bool Has(const std::string& key) const { return fields.count(key) != 0; }
};
// The Objects list of a dump line (empty when the line has none).
std::vector<DumpObject> ObjectList(const std::string& line);

}  // namespace e2e
