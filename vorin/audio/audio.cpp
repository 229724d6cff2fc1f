#include "audio/audio.h"

bool SoundEnabled = true;
bool MusicEnabled = true;
bool MusicVerbose = false;
TTickAudio TickAudio;

void RecordTickSound(int32_t index) {
    if (TickAudio.SoundCount < MaxTickSounds) TickAudio.Sounds[TickAudio.SoundCount++] = index;
}

void RecordTickSong(int32_t song) { TickAudio.Song = song; }

void ResetTickAudio() { TickAudio = TTickAudio{}; }
