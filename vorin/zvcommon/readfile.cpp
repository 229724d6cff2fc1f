#include "zvcommon/readfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/paths.h"
#include "krdxlib/atomicfile.h"

int (*AtomicRename)(const char* from, const char* to) = std::rename;

namespace {
constexpr size_t MaxDataFileSize = 16u << 20;  // far above any file the game reads
std::string Reason() {
    return std::strerror(errno);
}
}  // namespace

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<uint8_t> ReadDataFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error, MaxDataFileSize)) {
        throw EInOutError(path + ": " + error);
    }
    return bytes;
}

void SaveDataFile(const std::string& path, const void* data, size_t size) {
    if (SavesDisabled) return;
    std::string error;
    if (!PrepareSave(path, error)) throw EInOutError(path + ": cannot be written: " + error);
    const std::string temp = path + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) throw EInOutError(path + ": cannot be written: " + Reason());
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        const std::string why = Reason();
        std::remove(temp.c_str());
        throw EInOutError(path + ": cannot be written: " + why);
    }
    if (AtomicRename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = Reason();
        std::remove(temp.c_str());
        throw EInOutError(path + ": cannot be replaced: " + why);
    }
}
