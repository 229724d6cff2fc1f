#pragma once
// Recorded plays: a short header (program version, seed, the options and settings that change
// the play, the pad found at start-up, the high-score table) as "# key=value" lines, then every
// input event in the input-script format with its tick, and "# end=TICK" when the play stops.
// A recording is also a valid input script.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "shell/options.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"

struct TRecording {
    std::string Version;
    int64_t Seed = 0;
    std::vector<std::pair<std::string, std::string>> PlayOptions;  // in the order written
    TSettings Settings;
    TScoreTable Scores{};
    bool Joystick = false;        // a pad answered at start-up
    plat::JoyReading JoyAtStart;  // its first reading
    int64_t End = -1;             // the last tick; -1 when the file has no end line
    std::vector<ScriptEvent> Events;
};

// The header lines (each "# key=value\n", the first naming the format).
std::string RecordingHeader(const TRecording& r);
// One event line (without the line end).
std::string RecordingEventLine(const ScriptEvent& ev);
// Parses a recording; false with "line N: reason" (or what is missing) in error. A file of
// another version is refused with a message naming both versions.
bool ParseRecording(const std::string& text, const std::string& version, TRecording& out,
                    std::string& error);

// The options that change the play, as header pairs, and back; unknown keys are refused.
std::vector<std::pair<std::string, std::string>> PlayOptionsOf(const Options& o);
bool ApplyPlayOption(const std::string& key, const std::string& value, Options& o,
                     std::string& error);

// Writes a recording as the play goes, one flushed line at a time, so a crash keeps
// everything up to it. Every write is checked: the first that fails closes the file, and the
// caller stops the play with its reason, since a play whose recording is lost is lost.
class TRecorder {
  public:
    ~TRecorder();
    bool Open(const std::string& path, const TRecording& header, std::string& error);
    void Event(const ScriptEvent& ev);
    // Writes the end line and closes. False with the reason when that or an earlier write
    // failed and the reason was not taken yet.
    bool Finish(int64_t lastTick, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    bool Failed() const { return !error_.empty(); }
    // The reason of the failed write, which Finish then does not give again.
    std::string TakeError();

  private:
    bool Write(const std::string& text);
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string error_;
    bool told_ = false;
};
