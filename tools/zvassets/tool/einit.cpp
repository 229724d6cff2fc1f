// zvtool einit FILE: prints the enemy kind table by kind, fields by name.
#include <cstdio>
#include <memory>

#include "base/paths.h"
#include "common/einitsource.h"
#include "common/registry.h"
#include "zvcommon/readfile.h"

namespace {
int EinitCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zvtool einit FILE\n");
        return 2;
    }
    try {
        const auto bytes = ReadDataFile(args[0]);
        auto table = std::make_unique<TEnemyType[]>(EnemyTypeCount);
        ParseEnemyTypes(bytes.data(), bytes.size(), table.get());
        int defined = 0;
        for (int k = 0; k < EnemyTypeCount; ++k) {
            if (zvtools::EnemyTypeEmpty(table[k])) continue;
            ++defined;
            std::fputs(zvtools::DescribeEnemyType(k, table[k]).c_str(), stdout);
        }
        std::printf("%d kinds defined, %zu bytes\n", defined, bytes.size());
        if (bytes.size() != EnemyTypeFileSize) {
            std::printf("problem: the file has %zu bytes, not %zu\n", bytes.size(),
                        EnemyTypeFileSize);
            return 1;
        }
        return 0;
    } catch (const EInOutError& e) {
        std::fprintf(stderr, "zvtool: %s\n", e.what());
        return 1;
    }
}
}  // namespace

ZV_COMMAND("einit", "FILE    print the enemy kind table (einit.dat) by kind", EinitCommand);
