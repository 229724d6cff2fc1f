#pragma once
// Generators (zvassets) and commands (zvtool) register themselves from their own files,
// so adding a data file or an inspection command touches no shared list.
#include <filesystem>
#include <string>
#include <vector>

namespace zvtools {

struct GenContext {
    std::filesystem::path assets;  // the assets/ folder
    std::filesystem::path out;     // the program's output folder
};

using GeneratorFn = void (*)(const GenContext&);  // throws std::runtime_error on failure

struct Generator {
    const char* name;
    GeneratorFn run;
};

// Returns the generators sorted by name, so the build order is stable.
std::vector<Generator> Generators();
bool RegisterGenerator(const char* name, GeneratorFn fn);

// zvtool sub-command: args exclude the program and command names; returns the exit status.
using CommandFn = int (*)(const std::vector<std::string>& args);
struct Command {
    const char* name;
    const char* usage;
    CommandFn run;
};
std::vector<Command> Commands();
bool RegisterCommand(const char* name, const char* usage, CommandFn fn);

}  // namespace zvtools

#define ZV_CONCAT2(a, b) a##b
#define ZV_CONCAT(a, b) ZV_CONCAT2(a, b)
#define ZV_GENERATOR(name, fn) \
    static const bool ZV_CONCAT(zv_gen_reg_, __LINE__) = zvtools::RegisterGenerator(name, fn)
#define ZV_COMMAND(name, usage, fn) \
    static const bool ZV_CONCAT(zv_cmd_reg_, __LINE__) = zvtools::RegisterCommand(name, usage, fn)
