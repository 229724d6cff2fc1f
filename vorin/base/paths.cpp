#include "base/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#ifndef ZV_DATA_FROM_PROGRAM
#define ZV_DATA_FROM_PROGRAM "../share/zelvorin"
#endif
#ifndef ZV_INSTALL_DATA_DIR
#define ZV_INSTALL_DATA_DIR "/usr/local/share/zelvorin"
#endif

namespace fs = std::filesystem;

std::string DataDir;
bool SavesDisabled = false;

namespace {

constexpr const char* AppFolder = "zelvorin";
constexpr const char* MarkerFile = "font.bmp";  // a folder with this in it holds the game's data
constexpr const char* DefaultDataDirs = "/usr/local/share/:/usr/share/";

std::string WithSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool IsPlayerFile(const std::string& name) {
    return name == ConfigFileName || name == HighScoreFileName;
}

}  // namespace

std::string ProgramDirectory() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return WithSlash(exe.parent_path().string());
}

std::string UserDataFolder() {
    std::string home = Env("XDG_DATA_HOME");
    if (home.empty() || home[0] != '/') home = Env("HOME") + "/.local/share";
    return WithSlash(home) + AppFolder + "/";
}

std::vector<std::string> DataSearchFolders() {
    std::vector<std::string> folders;
    auto add = [&](const std::string& dir) {
        if (dir.empty() || dir[0] != '/') return;  // relative entries are ignored
        const std::string d = WithSlash(fs::path(dir).lexically_normal().string());
        for (const auto& f : folders)
            if (f == d) return;
        folders.push_back(d);
    };
    const std::string program = ProgramDirectory();
    add(program);
    add(UserDataFolder());
    std::string dirs = Env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = DefaultDataDirs;
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty()) add(WithSlash(dir) + AppFolder);
        start = end + 1;
    }
    add(program + ZV_DATA_FROM_PROGRAM);
    add(ZV_INSTALL_DATA_DIR);
    return folders;
}

std::string FindDataFile(const std::string& name, const std::vector<std::string>& folders) {
    std::error_code ec;
    for (const auto& f : folders)
        if (fs::is_regular_file(f + name, ec)) return f;
    return "";
}

std::string SaveFolder() {
    if (!DataDir.empty()) return DataDir;
    const std::string program = ProgramDirectory();
    std::error_code ec;
    if (fs::is_regular_file(program + MarkerFile, ec) && ::access(program.c_str(), W_OK) == 0)
        return program;
    return UserDataFolder();
}

std::string DataPath(const std::string& name) {
    if (!DataDir.empty()) return DataDir + name;
    if (IsPlayerFile(name)) {
        const std::string folder = SaveFolder();
        const std::string path = folder + name;
        std::error_code ec;
        if (folder == UserDataFolder() && !fs::exists(path, ec)) {
            // The first run: the player's copy starts from the installed defaults, if any.
            std::vector<std::string> others = DataSearchFolders();
            std::erase(others, folder);
            const std::string from = FindDataFile(name, others);
            std::string error;
            if (!from.empty() && PrepareSave(path, error)) fs::copy_file(from + name, path, ec);
        }
        return path;
    }
    const std::vector<std::string> folders = DataSearchFolders();
    const std::string found = FindDataFile(name, folders);
    if (!found.empty()) return found + name;
    std::string looked;
    for (const auto& f : folders) looked += (looked.empty() ? "" : ", ") + f;
    throw EInOutError(name + ": not found; looked in " + looked);
}

bool PrepareSave(const std::string& path, std::string& error) {
    const fs::path parent = fs::path(path).parent_path();
    if (WithSlash(parent.string()) != UserDataFolder()) return true;
    std::error_code ec;
    fs::create_directories(parent, ec);
    if (ec) {
        error = parent.string() + ": " + ec.message();
        return false;
    }
    return true;
}
