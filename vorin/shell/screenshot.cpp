#include "shell/screenshot.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/paths.h"
#include "krdxlib/bmpwrite.h"
#include "krdxlib/pngfile.h"
#include "render/display.h"
#include "shell/shell.h"

namespace {

bool EndsWithPng(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".png";
}

bool WritePngAt(const std::string& path, int scale, std::string& error) {
    const TSurface& b = Display.BackBuffer;
    if (b.Empty()) {
        error = "no display";
        return false;
    }
    return WritePng8(path, b.W, b.H, Display.Hardware, b.Pixels.data(), scale, error);
}

// $XDG_PICTURES_DIR as user-dirs.dirs sets it: XDG_PICTURES_DIR="$HOME/Pictures".
std::string PicturesFromUserDirs() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string homeDir = home ? home : "";
    const std::string file =
        (config && *config == '/' ? std::string(config) : homeDir + "/.config") + "/user-dirs.dirs";
    std::ifstream in(file);
    const std::string key = "XDG_PICTURES_DIR=";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0) continue;
        std::string v = line.substr(key.size());
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        if (v.rfind("$HOME", 0) == 0) v = homeDir + v.substr(5);
        // A pictures folder that is the home folder itself means "not set".
        if (!v.empty() && v[0] == '/' && v != homeDir && v != homeDir + "/") return v;
    }
    return "";
}

}  // namespace

bool WriteScreenshot(const std::string& path, std::string& error) {
    if (EndsWithPng(path)) return WritePngAt(path, 1, error);
    const TSurface& b = Display.BackBuffer;
    if (b.Empty()) {
        error = "no display";
        return false;
    }
    std::vector<TRGBQuad> colours(Display.Hardware.begin(), Display.Hardware.end());
    return WriteBitmap8(path, b.W, b.H, colours, b.Pixels, error);
}

std::string PicturesFolder() {
    std::string dir;
    if (const char* env = std::getenv("XDG_PICTURES_DIR"); env && *env == '/') dir = env;
    if (dir.empty()) dir = PicturesFromUserDirs();
    if (dir.empty()) dir = UserDataFolder();
    if (dir.back() != '/') dir += '/';
    return dir;
}

bool SaveScreenshotPair(int scale, std::string& report, bool notice) {
    const std::string folder = PicturesFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    // Two shots in one second get a number.
    std::string base = folder + "zelvorin_" + stamp;
    for (int n = 2; std::filesystem::exists(base + ".png", ec); ++n)
        base = folder + "zelvorin_" + stamp + "_" + std::to_string(n);
    std::string error;
    bool ok = WritePngAt(base + ".png", 1, error);
    report = base + ".png";
    if (ok && scale > 1) {
        const std::string scaled = base + "_" + std::to_string(scale) + "x.png";
        ok = WritePngAt(scaled, scale, error);
        report += ", " + scaled;
    }
    if (!ok) report = error;
    if (notice) SetMessageLine(ok ? "SCREENSHOT SAVED." : "SCREENSHOT FAILURE.");
    return ok;
}
