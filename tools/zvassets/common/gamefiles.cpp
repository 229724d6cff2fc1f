#include "common/gamefiles.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace fs = std::filesystem;

#ifndef ZV_GAMES_FROM_TOOLS
#define ZV_GAMES_FROM_TOOLS "../games"
#define ZV_DATA_FROM_TOOLS "../share/zelvorin"
#define ZV_INSTALL_DATA_DIR "/usr/local/share/zelvorin"
#endif

namespace zvtools {
namespace {

fs::path ProgramDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

}  // namespace

bool FindGame(GameFiles& out) {
    const fs::path bin = ProgramDir();
    std::string looked;
    for (const fs::path& p : {bin / "vorin", bin / ZV_GAMES_FROM_TOOLS / "vorin"}) {
        looked += (looked.empty() ? "" : ", ") + p.lexically_normal().string();
        if (fs::is_regular_file(p) && ::access(p.c_str(), X_OK) == 0) {
            out.Program = p;
            break;
        }
    }
    if (out.Program.empty()) {
        std::fprintf(stderr, "zvtool: the game is not found (looked for %s)\n", looked.c_str());
        return false;
    }
    looked.clear();
    for (const fs::path& d : {bin, bin / ZV_DATA_FROM_TOOLS, fs::path(ZV_INSTALL_DATA_DIR)}) {
        looked += (looked.empty() ? "" : ", ") + d.lexically_normal().string();
        if (fs::is_regular_file(d / "einit.dat")) {
            out.Data = d;
            return true;
        }
    }
    std::fprintf(stderr, "zvtool: the game's data is not found (looked in %s)\n", looked.c_str());
    return false;
}

}  // namespace zvtools
