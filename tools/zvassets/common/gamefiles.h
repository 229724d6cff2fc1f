#pragma once
// The game program and its data as the tools find them: beside the tool in a build, in the
// installed folders otherwise.
#include <filesystem>

namespace zvtools {

struct GameFiles {
    std::filesystem::path Program, Data;
};
// False, with a message on standard error naming where it looked, when either is missing.
bool FindGame(GameFiles& out);

}  // namespace zvtools
