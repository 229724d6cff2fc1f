// The shell's calls into the audio subsystem.
#include "shell/hooks.h"

#include <cstdio>
#include <filesystem>

#include "audio/audio.h"
#include "audio/effects.h"
#include "audio/music.h"
#include "base/json.h"
#include "base/paths.h"

void LoadSoundEffects() {
    OpenSoundDevice();
    LoadWaveList(DataPath("se.dxw"));
}

void InitMusic() {
    // The songs are found like every data file; a missing one is only silence.
    std::string dir = DataDir;
    if (dir.empty()) dir = FindDataFile(SongFile(1), DataSearchFolders());
    if (dir.empty()) dir = ProgramDirectory();
    if (MusicVerbose && MusicEnabled) {
        const std::string font = SoundFontInUse();
        std::error_code ec;
        const auto real = std::filesystem::canonical(font, ec);
        if (font.empty())
            std::fprintf(stderr, "vorin: music: no SoundFont found (set --soundfont)\n");
        else if (!ec && real.string() != font)
            std::fprintf(stderr, "vorin: music: SoundFont %s (%s)\n", font.c_str(), real.c_str());
        else
            std::fprintf(stderr, "vorin: music: SoundFont %s\n", font.c_str());
    }
    LoadSongs(dir);
}

void ClearMusic() {
    ReleaseSongs();
    CloseSoundDevice();  // the sound device goes at shut-down too
}

void DumpAudio(JsonOut& j) {
    j.Key("Sounds").BeginArray();
    for (int32_t i = 0; i < TickAudio.SoundCount; ++i) j.Int(TickAudio.Sounds[i]);
    j.EndArray();
    j.Field("Song", TickAudio.Song);
    ResetTickAudio();
}
