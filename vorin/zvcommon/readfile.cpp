#include "zvcommon/readfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/paths.h"

int (*AtomicRename)(const char* from, const char* to) = std::rename;

namespace {
std::string Reason() { return std::strerror(errno); }
}  // namespace

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw EInOutError(path + ": cannot be opened: " + Reason());
    std::vector<uint8_t> bytes;
    uint8_t buf[16384];
    for (;;) {
        const size_t n = std::fread(buf, 1, sizeof buf, f);
        bytes.insert(bytes.end(), buf, buf + n);
        if (n < sizeof buf) break;
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) throw EInOutError(path + ": cannot be read");
    return bytes;
}

void WriteFileAtomic(const std::string& path, const void* data, size_t size) {
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
