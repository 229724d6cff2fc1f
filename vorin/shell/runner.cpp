#include "shell/runner.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "audio/audio.h"
#include "krdxlib/bmpwrite.h"
#include "platform/platform.h"
#include "render/display.h"
#include "shell/dump.h"
#include "shell/hooks.h"
#include "shell/input.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "shell/shell.h"

bool WriteScreenshot(const std::string& path, std::string& error) {
    const TSurface& b = Display.BackBuffer;
    if (b.Empty()) {
        error = "no display";
        return false;
    }
    std::vector<TRGBQuad> colours(Display.Hardware.begin(), Display.Hardware.end());
    return WriteBitmap8(path, b.W, b.H, colours, b.Pixels, error);
}

namespace {

bool ReadFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// The headless loop: script events arrive before their tick, the virtual clock moves by the
// interval, screenshots and the dump follow each tick.
int RunHeadless(const Options& o, const std::vector<ScriptEvent>& script) {
    std::FILE* dump = nullptr;
    if (!o.dumpFile.empty()) {
        dump = std::fopen(o.dumpFile.c_str(), "wb");
        if (!dump) {
            std::fprintf(stderr, "vorin: cannot write %s\n", o.dumpFile.c_str());
            return 1;
        }
    }
    size_t next = 0;
    bool shift = false;
    std::string line;
    for (int64_t tick = 1; o.frames < 0 || tick <= o.frames; ++tick) {
        for (; next < script.size() && script[next].tick <= tick; ++next) {
            const ScriptEvent& ev = script[next];
            if (ev.key == vk::Shift) shift = ev.down;
            if (ev.down)
                FormKeyDown(ev.key, shift);
            else
                FormKeyUp(ev.key, shift);
        }
        plat::AdvanceClock(FrameInterval);
        DXTimer1Timer();
        for (const auto& s : o.screenshots) {
            if (s.tick != tick) continue;
            std::string error;
            if (!WriteScreenshot(s.file, error)) {
                std::fprintf(stderr, "vorin: screenshot %s: %s\n", s.file.c_str(), error.c_str());
                if (dump) std::fclose(dump);
                return 1;
            }
        }
        if (dump && (tick == 1 || tick % o.dumpEvery == 0)) {
            line.clear();
            DumpTick(line, tick, tick == 1);
            line += '\n';
            std::fwrite(line.data(), 1, line.size(), dump);
        }
    }
    if (dump && std::fclose(dump) != 0) {
        std::fprintf(stderr, "vorin: cannot write %s\n", o.dumpFile.c_str());
        return 1;
    }
    return 0;
}

// The real loop: events between ticks; a tick when at least the interval has passed,
// sleeping in between, and only while the window has focus.
void RunWindowed(const Options& o) {
    uint32_t last = plat::Millis();
    int64_t ticks = 0;
    for (;;) {
        plat::Event ev;
        while (plat::PollEvent(ev)) {
            switch (ev.type) {
                case plat::EventType::Quit:
                    return;
                case plat::EventType::KeyDown:
                    FormKeyDown(ev.vk, ev.shift);
                    break;
                case plat::EventType::KeyUp:
                    FormKeyUp(ev.vk, ev.shift);
                    break;
                default:
                    break;
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
        DXTimer1Timer();
        for (const auto& s : o.screenshots) {
            std::string error;
            if (s.tick == ticks + 1 && !WriteScreenshot(s.file, error))
                std::fprintf(stderr, "vorin: screenshot %s: %s\n", s.file.c_str(), error.c_str());
        }
        if (o.frames >= 0 && ++ticks >= o.frames) return;
    }
}

}  // namespace

int RunProgram(int argc, const char* const* argv) {
    Options o;
    std::string error;
    if (!ParseOptions(argc, argv, o, error)) {
        std::fprintf(stderr, "vorin: %s\n%s", error.c_str(), UsageText());
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
    std::vector<ScriptEvent> script;
    if (!o.inputFile.empty()) {
        std::string text;
        if (!ReadFile(o.inputFile, text)) {
            std::fprintf(stderr, "vorin: cannot read %s\n", o.inputFile.c_str());
            return 2;
        }
        if (!ParseInputScript(text, script, error)) {
            std::fprintf(stderr, "vorin: %s: %s\n", o.inputFile.c_str(), error.c_str());
            return 2;
        }
    }
    if (!o.dataDir.empty()) {
        DataDir = o.dataDir;
        if (DataDir.back() != '/') DataDir += '/';
    }
    RequestedSeed = o.seed;
    SoundEnabled = !o.noSound;
    MusicEnabled = !o.noMusic;

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
        ApplyPlayChoice(o.choice);
        if (o.stage > 0) {
            TestInvulnerable = o.invulnerable;
            LaunchStage(static_cast<int32_t>(o.stage), static_cast<int32_t>(o.character), o.atBoss);
        }
        if (o.headless)
            status = RunHeadless(o, script);
        else
            RunWindowed(o);
    } catch (const std::exception& e) {
        ShowErrorReport(e.what());
        status = 1;
    }
    FormDestroy();
    FinalizeDisplay();
    plat::Close();
    return status;
}
