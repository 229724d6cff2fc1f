// zvtool: prints and checks the game's data files.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/registry.h"

static void Usage() {
    std::fprintf(stderr, "usage: zvtool COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : zvtools::Commands()) std::fprintf(stderr, "  %-10s %s\n", c.name, c.usage);
}

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        Usage();
        return argc < 2 ? 2 : 0;
    }
    for (const auto& c : zvtools::Commands()) {
        if (std::strcmp(c.name, argv[1]) == 0) return c.run({argv + 2, argv + argc});
    }
    std::fprintf(stderr, "zvtool: unknown command '%s'\n", argv[1]);
    Usage();
    return 2;
}
