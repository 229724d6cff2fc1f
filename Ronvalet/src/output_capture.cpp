// The capture output: one line per message, written as it is sent.
#include "output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <unistd.h>

#include "trace.h"

namespace ronvalet {

namespace {

class CaptureOutput final : public MidiOutput {
  public:
    CaptureOutput(int fd, Clock clock) : fd_(fd), clock_(clock) {}
    ~CaptureOutput() override { close(); }

    bool shortMessage(uint32_t message) override {
        char line[48];
        int n = std::snprintf(line, sizeof line, "short %u %08x\n", clock_(), message);
        return writeLine(line, size_t(n));
    }

    bool longMessage(const SysexHeader& header) override {
        if (!header.prepared) return false;
        std::string line = "long " + std::to_string(clock_());
        static constexpr char kHex[] = "0123456789abcdef";
        for (uint32_t i = 0; i < header.size; ++i) {
            line += ' ';
            line += kHex[header.bytes[i] >> 4];
            line += kHex[header.bytes[i] & 0xF];
        }
        line += '\n';
        return writeLine(line.data(), line.size());
    }

    bool reset() override {
        char line[32];
        int n = std::snprintf(line, sizeof line, "reset %u\n", clock_());
        return writeLine(line, size_t(n));
    }

    bool close() override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) return true;
        bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    // One write per line, so the file is complete up to the last message at any moment.
    bool writeLine(const char* text, size_t size) {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) return false;
        while (size > 0) {
            ssize_t n = ::write(fd_, text, size);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            text += n;
            size -= size_t(n);
        }
        return true;
    }

    std::mutex mutex_;
    int fd_;  // the capture file, -1 once closed
    Clock clock_;
};

}  // namespace

std::unique_ptr<MidiOutput> makeCaptureOutput(const char* path, Clock clock) {
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        trace("capture output %s: %s\n", path, std::strerror(errno));
        return nullptr;
    }
    return std::make_unique<CaptureOutput>(fd, clock);
}

}  // namespace ronvalet
