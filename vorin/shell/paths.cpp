#include "shell/paths.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/platform.h"

std::string DataDir;

std::string ProgramDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string DataPath(const std::string& name) {
    if (DataDir.empty()) DataDir = ProgramDirectory();
    return DataDir + name;
}

void ShowErrorReport(const std::string& message) {
    std::fprintf(stderr, "vorin: %s\n", message.c_str());
    std::fflush(stderr);
    plat::ShowErrorBox("Zelvorin", message);
}
