// zvassets: writes every data file of the game from the sources in assets/.
//   zvassets --assets DIR --out DIR [NAME...]   (no names: every generator)
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "common/registry.h"

int main(int argc, char** argv) {
    zvtools::GenContext ctx;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--assets" && i + 1 < argc) {
            ctx.assets = argv[++i];
        } else if (a == "--out" && i + 1 < argc) {
            ctx.out = argv[++i];
        } else if (a == "--list") {
            for (const auto& g : zvtools::Generators()) std::printf("%s\n", g.name);
            return 0;
        } else if (!a.empty() && a[0] != '-') {
            only.push_back(a);
        } else {
            std::fprintf(stderr, "usage: zvassets --assets DIR --out DIR [--list] [NAME...]\n");
            return 2;
        }
    }
    if (ctx.assets.empty() || ctx.out.empty()) {
        std::fprintf(stderr, "zvassets: --assets and --out are required\n");
        return 2;
    }
    std::filesystem::create_directories(ctx.out);
    int failures = 0;
    for (const auto& g : zvtools::Generators()) {
        if (!only.empty() && std::find(only.begin(), only.end(), g.name) == only.end()) continue;
        try {
            g.run(ctx);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zvassets: %s: %s\n", g.name, e.what());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
