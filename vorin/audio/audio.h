#pragma once
// The audio subsystem's switches and its record of what started in the current tick.
#include <cstdint>

extern bool SoundEnabled;  // false with --nosound: no sound device is opened
extern bool MusicEnabled;  // false with --nomusic: the music library is never called
extern bool MusicVerbose;  // --verbose: the SoundFont in use is named on standard error

// Opens the sound device when sound is enabled and it is not open yet: the null device when
// the platform is headless, else the SDL device. Failing to open one leaves the effects silent.
void OpenSoundDevice();
// Releases the effect list's buffers and closes the sound device.
void CloseSoundDevice();

// What the dump reports for one tick: the effect indices and the song requested in it.
constexpr int32_t MaxTickSounds = 32;  // further effects in one tick are not recorded
constexpr int32_t NoSongEvent = -1;    // TickSong when no song started or stopped
struct TTickAudio {
    int32_t SoundCount = 0;
    int32_t Sounds[MaxTickSounds] = {};
    int32_t Song = NoSongEvent;  // 0 = stopped, 1..5 = started
};
extern TTickAudio TickAudio;  // filled by PlayEffect and PlaySong, emptied by DumpAudio

void RecordTickSound(int32_t index);
void RecordTickSong(int32_t song);
void ResetTickAudio();
