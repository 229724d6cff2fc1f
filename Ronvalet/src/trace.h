#pragma once
// Debug traces: written to standard error only when RONVALET_TRACE=1.

namespace ronvalet {

bool traceEnabled();
// printf-style; the text goes out whole in one write.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A message for the host's user, not a debug trace: always written to standard error (and
// shown to a trace sink too).
void report(const char* text);

// Tests may catch traces instead of standard error; the sink sees every trace, enabled or not.
using TraceSink = void (*)(const char* text);
void setTraceSink(TraceSink sink);

}  // namespace ronvalet
