#include "audio/music.h"

#include "Ronvalet.h"
#include "audio/audio.h"

namespace {

constexpr const char* SongFiles[Song::Count] = {
    "select2.mid", "sekkou.mid", "bQelnRX_zvorin01.mid", "starship.mid", "dawn.mid",
};

bool MusicOpened = false;  // LoadSongs called the library; ClearMidi is due at shut-down

}  // namespace

const char* SongFile(int32_t song) {
    return song >= 1 && song <= Song::Count ? SongFiles[song - 1] : nullptr;
}

void LoadSongs(const std::string& dir) {
    if (!MusicEnabled) return;
    MusicOpened = true;
    InitMidi();
    for (int32_t n = 1; n <= Song::Count; ++n) LoadMidi(n, (dir + SongFile(n)).c_str());
}

void ReleaseSongs() {
    if (!MusicOpened) return;
    MusicOpened = false;
    ClearMidi();
}

void PlaySong(int32_t n) {
    RecordTickSong(n);
    if (!MusicEnabled) return;
    if (n == 0) {
        StopMidi();
    } else {
        PlayMidi(n, 0);
    }
}

void StopSong() { PlaySong(0); }
