#include "audio/music.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Ronvalet.h"
#include "audio/audio.h"
#include "audio/music_loader.h"

namespace {

constexpr const char* SongFiles[Song::Count] = {
    "select2.mid", "sekkou.mid", "bQelnRX_zvorin01.mid", "starship.mid", "dawn.mid",
};

// The system's General MIDI SoundFonts (Debian's default-GM alternatives), in the library's order.
constexpr const char* DefaultSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
};

bool MusicOpened = false;  // LoadSongs called the library; ClearMidi is due at shut-down
MusicLoader Loader;        // opens the library while the game starts

void StartSong(int32_t n) {
    if (n == 0)
        StopMidi();
    else
        PlayMidi(n, 0);
}

}  // namespace

const char* SongFile(int32_t song) {
    return song >= 1 && song <= Song::Count ? SongFiles[song - 1] : nullptr;
}

std::string SoundFontInUse() {
    if (const char* named = std::getenv("RONVALET_SOUNDFONT"); named && *named)
        return ::access(named, R_OK) == 0 ? named : "";
    for (const char* path : DefaultSoundFonts)
        if (::access(path, R_OK) == 0) return path;
    return "";
}

void LoadSongs(const std::string& dir) {
    if (!MusicEnabled) return;
    MusicOpened = true;
    Loader.Start({[dir](const std::atomic<bool>& quitting) {
                      // Without an output the songs would have nothing to play on.
                      if (!InitMidi()) return;
                      for (int32_t n = 1; n <= Song::Count && !quitting; ++n)
                          LoadMidi(n, (dir + SongFile(n)).c_str());
                  },
                  StartSong});
}

void ReleaseSongs() {
    if (!MusicOpened) return;
    MusicOpened = false;
    Loader.Finish();
    ClearMidi();
}

void PlaySong(int32_t n) {
    RecordTickSong(n);
    if (!MusicEnabled) return;
    if (MusicOpened)
        Loader.Play(n);
    else
        StartSong(n);
}

void StopSong() {
    PlaySong(0);
}
