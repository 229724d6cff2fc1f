// The files and folders named on the command line, checked before the game or the music
// library reads them, so a bad one is a one-line usage error rather than silence or noise.
#include "shell/options.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
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

std::string SoundFontProblem(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::string("cannot be read: ") + std::strerror(errno);
    auto u32 = [](const unsigned char* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    };
    unsigned char head[12] = {};
    std::string problem;
    if (std::fread(head, 1, sizeof head, f) != sizeof head || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "sfbk", 4) != 0) {
        problem = "is not a SoundFont (no RIFF sfbk header)";
    } else {
        // The form's three lists, each whole inside the form and the file: a file cut short
        // (a broken download) fails here rather than deep inside the synthesizer.
        const uint64_t formEnd = 8 + uint64_t(u32(head + 4));
        uint64_t at = 12;
        bool info = false, samples = false, presets = false;
        unsigned char chunk[12];
        while (at + 12 <= formEnd && std::fseek(f, static_cast<long>(at), SEEK_SET) == 0 &&
               std::fread(chunk, 1, sizeof chunk, f) == sizeof chunk) {
            const uint64_t end = at + 8 + u32(chunk + 4);
            if (end > formEnd) break;
            if (std::memcmp(chunk, "LIST", 4) == 0) {
                info |= std::memcmp(chunk + 8, "INFO", 4) == 0;
                samples |= std::memcmp(chunk + 8, "sdta", 4) == 0;
                presets |= std::memcmp(chunk + 8, "pdta", 4) == 0;
            }
            at = end + (end & 1);
        }
        std::fseek(f, 0, SEEK_END);
        const long size = std::ftell(f);
        if (size < 0 || uint64_t(size) < formEnd || !info || !samples || !presets)
            problem =
                "is a broken or cut-short SoundFont (its INFO, sdta and pdta lists are not "
                "all whole)";
    }
    std::fclose(f);
    return problem;
}

bool CheckOptionFiles(const Options& o, std::string& error) {
    constexpr const char* SoundFont = "a SoundFont file (.sf2 or .sf3)";
    if (!Check("--input", "a regular file (an input script)", o.inputFile, Want::File, error) ||
        !Check("--playback", "a regular file (a recorded play)", o.playbackFile, Want::File,
               error) ||
        !Check("--soundfont", SoundFont, o.soundFont, Want::File, error) ||
        !Check("--data-dir", "a folder", o.dataDir, Want::Folder, error))
        return false;
    if (!o.soundFont.empty()) {
        const std::string problem = SoundFontProblem(o.soundFont);
        if (!problem.empty()) {
            error = std::string("--soundfont takes ") + SoundFont + "; '" + o.soundFont + "' " +
                    problem;
            return false;
        }
    }
    return true;
}
