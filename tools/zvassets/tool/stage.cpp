// zvtool stage FILE: prints a stage map and checks it.
#include <cstdio>

#include "base/paths.h"
#include "common/registry.h"
#include "common/stagesource.h"
#include "zvcommon/readfile.h"

namespace {
int StageCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zvtool stage FILE\n");
        return 2;
    }
    try {
        std::string text;
        const bool ok = zvtools::DescribeStageMap(ReadDataFile(args[0]), text);
        std::fputs(text.c_str(), stdout);
        return ok ? 0 : 1;
    } catch (const EInOutError& e) {
        std::fprintf(stderr, "zvtool: %s\n", e.what());
        return 1;
    }
}
}  // namespace

ZV_COMMAND("stage", "FILE    print a stage map (counts, terrain, timeline) and check it",
           StageCommand);
