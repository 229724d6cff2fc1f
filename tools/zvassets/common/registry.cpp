#include "common/registry.h"

#include <algorithm>
#include <cstring>

namespace zvtools {
namespace {
std::vector<Generator>& GeneratorList() {
    static std::vector<Generator> list;
    return list;
}
std::vector<Command>& CommandList() {
    static std::vector<Command> list;
    return list;
}
}  // namespace

bool RegisterGenerator(const char* name, GeneratorFn fn) {
    GeneratorList().push_back({name, fn});
    return true;
}

std::vector<Generator> Generators() {
    auto list = GeneratorList();
    std::sort(list.begin(), list.end(),
              [](const Generator& a, const Generator& b) { return std::strcmp(a.name, b.name) < 0; });
    return list;
}

bool RegisterCommand(const char* name, const char* usage, CommandFn fn) {
    CommandList().push_back({name, usage, fn});
    return true;
}

std::vector<Command> Commands() {
    auto list = CommandList();
    std::sort(list.begin(), list.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    return list;
}

}  // namespace zvtools
