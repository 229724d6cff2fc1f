// The files and folders named on the command line, checked before the game or the music
// library reads them, so a bad one is a one-line usage error rather than silence or noise.
#include "shell/options.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

enum class Want { File, Folder };

// Empty when the path is what is wanted and can be read; otherwise what is wrong with it.
std::string Problem(const std::string& path, Want want) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? "does not exist"
                               : std::string("cannot be read: ") + std::strerror(errno);
    if (want == Want::Folder) return S_ISDIR(st.st_mode) ? "" : "is not a folder";
    if (S_ISDIR(st.st_mode)) return "is a folder";
    if (!S_ISREG(st.st_mode)) return "is not a regular file";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::string("cannot be read: ") + std::strerror(errno);
    std::fclose(f);
    return "";
}

bool Check(const std::string& option, const std::string& accepts, const std::string& path,
           Want want, std::string& error) {
    if (path.empty()) return true;
    const std::string problem = Problem(path, want);
    if (problem.empty()) return true;
    error = option + " takes " + accepts + "; '" + path + "' " + problem;
    return false;
}

}  // namespace

bool LooksLikeSoundFont(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char head[12] = {};
    const size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    return n == sizeof head && std::memcmp(head, "RIFF", 4) == 0 &&
           std::memcmp(head + 8, "sfbk", 4) == 0;
}

bool CheckOptionFiles(const Options& o, std::string& error) {
    constexpr const char* SoundFont = "a SoundFont file (.sf2 or .sf3)";
    if (!Check("--input", "a regular file (an input script)", o.inputFile, Want::File, error) ||
        !Check("--playback", "a regular file (a recorded play)", o.playbackFile, Want::File,
               error) ||
        !Check("--soundfont", SoundFont, o.soundFont, Want::File, error) ||
        !Check("--data-dir", "a folder", o.dataDir, Want::Folder, error))
        return false;
    if (!o.soundFont.empty() && !LooksLikeSoundFont(o.soundFont)) {
        error = std::string("--soundfont takes ") + SoundFont + "; '" + o.soundFont +
                "' is not a SoundFont (no RIFF sfbk header)";
        return false;
    }
    return true;
}
