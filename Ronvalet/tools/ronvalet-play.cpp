// ronvalet-play: plays a Standard MIDI File through the Ronvalet library.
//   ronvalet-play song.mid [--loop] [--period MS]
// Shows the tempo and the playing time; Ctrl+C stops cleanly.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "Ronvalet.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;  // set by Ctrl+C or a termination request

void onSignal(int) {
    interrupted = 1;
}

int usage() {
    std::fprintf(stderr, "usage: ronvalet-play song.mid [--loop] [--period MS]\n");
    return 2;
}

void showStatus() {
    unsigned ms = GetPlayingTime();
    std::printf("\rtime %u:%02u.%u  tempo %.2f BPM ", ms / 60000, ms / 1000 % 60, ms / 100 % 10,
                GetPlayingBPM());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const char* file = nullptr;
    bool loop = false;
    long period = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--loop") == 0) {
            loop = true;
        } else if (std::strcmp(argv[i], "--period") == 0 && i + 1 < argc) {
            char* end = nullptr;
            period = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || period < 0 || period > 65535) return usage();
        } else if (argv[i][0] == '-' || file != nullptr) {
            return usage();
        } else {
            file = argv[i];
        }
    }
    if (file == nullptr) return usage();

    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    if (!InitMidi()) {
        std::fprintf(stderr,
                     "ronvalet-play: no MIDI output, playing silently "
                     "(RONVALET_TRACE=1 tells why)\n");
    }
    if (period >= 0) SetMidiInterruptTime(int32_t(period));
    if (!LoadMidi(1, file)) {
        std::fprintf(stderr, "ronvalet-play: %s: cannot load this MIDI file\n", file);
        ClearMidi();
        return 1;
    }
    std::printf("%s: tempo %.2f BPM at the end of the song\n", file, GetPlayingBPM());
    if (!PlayMidi(1, loop ? 1 : 0)) {
        std::fprintf(stderr, "ronvalet-play: %s: cannot play\n", file);
        ClearMidi();
        return 1;
    }
    while (!interrupted && GetMidi()) {
        showStatus();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!interrupted) {
        // Let the last notes ring out before everything is switched off.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    showStatus();
    std::printf("\n%s\n", interrupted ? "stopped" : "finished");
    StopMidi();
    ClearMidi();
    return 0;
}
