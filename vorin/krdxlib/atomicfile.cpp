#include "krdxlib/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string ErrnoText() { return std::strerror(errno); }

// Closes a descriptor on every path out of a function.
struct FdGuard {
    int Fd = -1;
    ~FdGuard() {
        if (Fd >= 0) ::close(Fd);
    }
};

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error,
                   size_t maxSize) {
    out.clear();
    FdGuard fd{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (fd.Fd < 0) {
        error = "cannot open: " + ErrnoText();
        return false;
    }
    struct stat st {};
    if (::fstat(fd.Fd, &st) != 0) {
        error = "cannot examine: " + ErrnoText();
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "not a regular file";
        return false;
    }
    if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > maxSize) {
        error = "file too large (" + std::to_string(st.st_size) + " bytes)";
        return false;
    }
    out.reserve(static_cast<size_t>(st.st_size));
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = "read failed: " + ErrnoText();
            return false;
        }
        if (n == 0) break;
        if (out.size() + static_cast<size_t>(n) > maxSize) {
            error = "file too large";
            return false;
        }
        out.insert(out.end(), buffer, buffer + n);
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string& error) {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    FdGuard fd{::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (fd.Fd < 0) {
        error = "cannot create " + temp + ": " + ErrnoText();
        return false;
    }
    auto fail = [&](const std::string& what) {
        error = what + ": " + ErrnoText();
        ::close(fd.Fd);
        fd.Fd = -1;
        ::unlink(temp.c_str());
        return false;
    };
    const auto* p = static_cast<const uint8_t*>(data);
    size_t left = size;
    while (left > 0) {
        const ssize_t n = ::write(fd.Fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write failed");
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd.Fd) != 0) return fail("flush failed");
    const int closed = ::close(fd.Fd);
    fd.Fd = -1;
    if (closed != 0) {
        error = "close failed: " + ErrnoText();
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace the file: " + ErrnoText();
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}
