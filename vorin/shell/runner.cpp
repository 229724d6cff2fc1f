#include "shell/runner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "audio/audio.h"
#include "base/paths.h"
#include "platform/platform.h"
#include "render/assets.h"
#include "render/display.h"
#include "screens/game.h"
#include "shell/dump.h"
#include "shell/hooks.h"
#include "shell/input.h"
#include "shell/options.h"
#include "shell/recording.h"
#include "shell/shell.h"
#include "world/state.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"

namespace {

bool ReadFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// The run's input and outputs around the ticks, the same for the window and headless.
struct TRun {
    const Options* Opt = nullptr;
    std::vector<ScriptEvent> Script;  // --input or the recorded play's events
    size_t Next = 0;                  // the next script event to deliver
    bool Shift = false;               // Shift held, as the events tell
    std::FILE* Dump = nullptr;
    std::string Line;
    TRecorder Recorder;
    int64_t Tick = 0;  // the tick being run (counted from 1)
    int64_t Done = 0;  // ticks completed
    // A recorded play's pad: the start-up reading and the readings in update order.
    TRecording Playback;
    bool PlayingBack = false;
    size_t NextJoy = 0;
    plat::JoyReading Joy;
    plat::JoyReading LastRecordedJoy;
};
TRun Run;  // the one run; the pad sources below read it

// Records each pad reading that differs from the last one, with the update that reads it.
bool RecordingJoystick(plat::JoyReading& out) {
    const bool ok = plat::JoystickRead(out);
    if (UpdateCount == 0) return ok;  // the start-up reading goes into the header
    const plat::JoyReading seen = ok ? out : plat::JoyReading{};
    const plat::JoyReading& last = Run.LastRecordedJoy;
    if (seen.x != last.x || seen.y != last.y || seen.buttons != last.buttons) {
        ScriptEvent ev;
        ev.tick = Run.Tick;
        ev.update = UpdateCount;
        ev.joyX = seen.x, ev.joyY = seen.y, ev.joyButtons = seen.buttons;
        Run.Recorder.Event(ev);
        Run.LastRecordedJoy = seen;
    }
    return ok;
}

// The recorded play's pad: its start-up reading, then each recorded reading from its update on.
bool PlaybackJoystick(plat::JoyReading& out) {
    if (UpdateCount == 0) {
        out = Run.Playback.JoyAtStart;
        return Run.Playback.Joystick;
    }
    const auto& events = Run.Script;
    for (; Run.NextJoy < events.size(); ++Run.NextJoy) {
        const ScriptEvent& ev = events[Run.NextJoy];
        if (ev.key != 0) continue;
        if (ev.update > UpdateCount) break;
        Run.Joy = {ev.joyX, ev.joyY, 0, ev.joyButtons};
    }
    out = Run.Joy;
    return true;
}

// One key event into the game (and the recording); the screenshot keys save a screenshot.
void Deliver(const ScriptEvent& ev) {
    if (ev.key == 0) return;  // pad readings are read by the pad source
    if (ev.key == vk::Shift) Run.Shift = ev.down;
    ScriptEvent rec = ev;
    rec.tick = Run.Tick;
    Run.Recorder.Event(rec);
    if (ev.down && (ev.key == vk::Print || ev.key == vk::F9)) {
        std::string report;
        if (SaveScreenshotPair(Run.Opt->scale, report))
            std::fprintf(stderr, "vorin: screenshot %s\n", report.c_str());
        else
            std::fprintf(stderr, "vorin: screenshot failed: %s\n", report.c_str());
    }
    if (ev.down)
        FormKeyDown(ev.key, Run.Shift);
    else
        FormKeyUp(ev.key, Run.Shift);
}

// A key from the window: Shift as the script knows it, then the key; keys the script has no
// name for change nothing in the game and are not passed on.
void DeliverLive(int key, bool down, bool shift) {
    if (KeyName(key).empty()) return;
    if (key != vk::Shift && shift != Run.Shift) {
        ScriptEvent s;
        s.key = vk::Shift;
        s.down = shift;
        Deliver(s);
    }
    ScriptEvent ev;
    ev.key = key;
    ev.down = down;
    Deliver(ev);
}

void DeliverScript(int64_t tick) {
    for (; Run.Next < Run.Script.size() && Run.Script[Run.Next].tick <= tick; ++Run.Next)
        Deliver(Run.Script[Run.Next]);
}

// After a tick: the recording must still be written (the play stops when it is not), then
// the screenshots asked for and the dump line. False on a failed write.
bool AfterTick(int64_t tick) {
    if (Run.Recorder.Failed()) throw EInOutError(Run.Recorder.TakeError());
    for (const auto& s : Run.Opt->screenshots) {
        if (s.tick != tick) continue;
        std::string error;
        if (!WriteScreenshot(s.file, error)) {
            std::fprintf(stderr, "vorin: screenshot %s: %s\n", s.file.c_str(), error.c_str());
            if (Run.Opt->headless) return false;
        }
    }
    if (Run.Dump && (tick == 1 || tick % Run.Opt->dumpEvery == 0)) {
        Run.Line.clear();
        DumpTick(Run.Line, tick, tick == 1);
        Run.Line += '\n';
        std::fwrite(Run.Line.data(), 1, Run.Line.size(), Run.Dump);
    }
    return true;
}

// The headless loop: script events arrive before their tick, the virtual clock moves by the
// interval, screenshots and the dump follow each tick.
int RunHeadless(const Options& o) {
    for (int64_t tick = 1; o.frames < 0 || tick <= o.frames; ++tick) {
        Run.Tick = tick;
        DeliverScript(tick);
        plat::AdvanceClock(FrameInterval);
        DXTimer1Timer();
        Run.Done = tick;
        if (!AfterTick(tick)) return 1;
    }
    return 0;
}

// The real loop: events between ticks; a tick when at least the interval has passed,
// sleeping in between, and only while the window has focus. A playback takes no keys from
// the keyboard but the screenshot keys.
int RunWindowed(const Options& o) {
    uint32_t last = plat::Millis();
    int64_t ticks = 0;
    for (;;) {
        Run.Tick = ticks + 1;
        plat::Event ev;
        while (plat::PollEvent(ev)) {
            const bool key =
                ev.type == plat::EventType::KeyDown || ev.type == plat::EventType::KeyUp;
            if (ev.type == plat::EventType::Quit) return 0;
            if (!key) continue;
            const bool down = ev.type == plat::EventType::KeyDown;
            if (!Run.PlayingBack)
                DeliverLive(ev.vk, down, ev.shift);
            else if (down && (ev.vk == vk::Print || ev.vk == vk::F9)) {
                // No notice: the message line is part of the play being replayed.
                std::string report;
                SaveScreenshotPair(o.scale, report, false);
                std::fprintf(stderr, "vorin: screenshot %s\n", report.c_str());
            }
        }
        if (!plat::HasFocus()) {
            plat::SleepMs(10);
            continue;
        }
        const uint32_t now = plat::Millis();
        const uint32_t elapsed = now - last;
        if (elapsed < FrameInterval) {
            plat::SleepMs(FrameInterval - elapsed > 1 ? FrameInterval - elapsed - 1 : 1);
            continue;
        }
        last = now;  // missed ticks are not caught up
        DeliverScript(Run.Tick);
        DXTimer1Timer();
        Run.Done = ++ticks;
        AfterTick(Run.Tick);  // only a lost recording stops the window (screenshots report)
        if (o.frames >= 0 && ticks >= o.frames) return 0;
    }
}

// --playback: the recorded header replaces the seed and the play options; its events are
// the script. False with a message when the file cannot be used.
bool LoadPlayback(Options& o, std::string& error) {
    std::string text;
    if (!ReadFile(o.playbackFile, text)) {
        error = o.playbackFile + ": cannot be read";
        return false;
    }
    if (!ParseRecording(text, ZV_VERSION, Run.Playback, error)) {
        error = o.playbackFile + ": " + error;
        return false;
    }
    for (const auto& [key, value] : Run.Playback.PlayOptions)
        if (!ApplyPlayOption(key, value, o, error)) {
            error = o.playbackFile + ": " + error;
            return false;
        }
    o.seed = Run.Playback.Seed;
    if (o.frames < 0 && Run.Playback.End >= 0) o.frames = Run.Playback.End;
    if (o.frames < 0 && o.headless)
        o.frames = Run.Playback.Events.empty() ? 0 : Run.Playback.Events.back().tick;
    Run.Script = Run.Playback.Events;
    Run.PlayingBack = true;
    return true;
}

}  // namespace

int RunProgram(int argc, const char* const* argv) {
    Options o;
    std::string error;
    if (!ParseOptions(argc, argv, o, error)) {
        std::fprintf(stderr, "vorin: %s\n", error.c_str());
        return 2;
    }
    if (o.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (o.version) {
        std::printf("vorin %s\n", ZV_VERSION);
        return 0;
    }
    if (!CheckOptionFiles(o, error)) {
        std::fprintf(stderr, "vorin: %s\n", error.c_str());
        return 2;
    }
    Run = TRun{};
    Run.Opt = &o;
    if (!o.playbackFile.empty() && !LoadPlayback(o, error)) {
        std::fprintf(stderr, "vorin: %s\n", error.c_str());
        return 2;
    }
    if (!o.inputFile.empty()) {
        std::string text;
        if (!ReadFile(o.inputFile, text)) {
            std::fprintf(stderr, "vorin: cannot read %s\n", o.inputFile.c_str());
            return 2;
        }
        if (!ParseInputScript(text, Run.Script, error)) {
            std::fprintf(stderr, "vorin: %s: %s\n", o.inputFile.c_str(), error.c_str());
            return 2;
        }
    }
    if (!o.dataDir.empty()) {
        DataDir = o.dataDir;
        if (DataDir.back() != '/') DataDir += '/';
    }
    // A recorded play needs the seed, so one is drawn here when none was given.
    if (!o.recordFile.empty() && o.seed < 0)
        o.seed = static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    if (!o.soundFont.empty()) setenv("RONVALET_SOUNDFONT", o.soundFont.c_str(), 1);
    if (o.verbose) MusicVerbose = true;
    RequestedSeed = o.seed;
    SoundEnabled = !o.noSound;
    MusicEnabled = !o.noMusic;
    SavesDisabled = Run.PlayingBack;  // a played-back run leaves the player's files alone
    if (Run.PlayingBack)
        JoystickSource = PlaybackJoystick;
    else if (!o.recordFile.empty())
        JoystickSource = RecordingJoystick;

    if (!o.dumpFile.empty()) {
        Run.Dump = std::fopen(o.dumpFile.c_str(), "wb");
        if (!Run.Dump) {
            std::fprintf(stderr, "vorin: cannot write %s\n", o.dumpFile.c_str());
            return 1;
        }
    }
    plat::VideoOptions video;
    video.headless = o.headless;
    video.windowed = o.window;
    video.scale = o.scale;
    if (!plat::Open(video, error)) {
        ShowErrorReport(error);
        return 1;
    }
    int status = 0;
    try {
        FormCreate();
        InitializeDisplay();  // the window is shown
        SetShipWindowIcon();
        if (Run.PlayingBack) {
            // The player's settings and table as they were when the play was recorded.
            Settings = Run.Playback.Settings;
            for (int32_t k = 0; k < ScoreEntries; ++k) ScoreTable[k] = Run.Playback.Scores[k];
            JoystickPresent = Run.Playback.Joystick;
            JoySample = Run.Playback.JoyAtStart;
        }
        Run.Joy = Run.LastRecordedJoy = JoySample;
        if (!o.recordFile.empty()) {
            TRecording header;
            header.Version = ZV_VERSION;
            header.Seed = o.seed;
            header.PlayOptions = PlayOptionsOf(o);
            header.Settings = Settings;
            for (int32_t k = 0; k < ScoreEntries; ++k) header.Scores[k] = ScoreTable[k];
            header.Joystick = JoystickPresent;
            header.JoyAtStart = JoySample;
            if (!Run.Recorder.Open(o.recordFile, header, error)) throw EInOutError(error);
        }
        ApplyPlayChoice(o.choice);
        if (o.stage > 0) {
            TestInvulnerable = o.invulnerable;
            LaunchStage(static_cast<int32_t>(o.stage), static_cast<int32_t>(o.character), o.atBoss);
        }
        if (o.headless)
            status = RunHeadless(o);
        else
            status = RunWindowed(o);
    } catch (const std::exception& e) {
        ShowErrorReport(e.what());
        status = 1;
    }
    if (!Run.Recorder.Finish(Run.Done, error)) {
        ShowErrorReport(error);
        status = 1;
    }
    if (Run.Dump && std::fclose(Run.Dump) != 0) {
        std::fprintf(stderr, "vorin: cannot write %s\n", o.dumpFile.c_str());
        if (status == 0) status = 1;
    }
    Run.Dump = nullptr;
    JoystickSource = plat::JoystickRead;
    FormDestroy();
    FinalizeDisplay();
    plat::Close();
    return status;
}
