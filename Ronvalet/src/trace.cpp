#include "trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace ronvalet {

namespace {
std::atomic<TraceSink> traceSink{nullptr};  // tests' catcher, normally none
}

bool traceEnabled() {
    const char* v = std::getenv("RONVALET_TRACE");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

void setTraceSink(TraceSink sink) {
    traceSink.store(sink);
}

void trace(const char* format, ...) {
    TraceSink sink = traceSink.load();
    if (sink == nullptr && !traceEnabled()) return;
    char text[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) return;
    size_t len = std::strlen(text);
    if (sink != nullptr) {
        sink(text);
        return;
    }
    ssize_t ignored = ::write(STDERR_FILENO, text, len);
    (void)ignored;
}

void report(const char* text) {
    if (TraceSink sink = traceSink.load(); sink != nullptr) sink(text);
    ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

}  // namespace ronvalet
