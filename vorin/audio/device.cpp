// Opening and closing the sound device for the game: null when headless, SDL otherwise.
#include "audio/audio.h"

#include <cstdio>
#include <string>

#include "audio/effects.h"
#include "platform/audio.h"
#include "platform/platform.h"

void OpenSoundDevice() {
    if (!SoundEnabled || plat::AudioIsOpen()) return;
    std::string error;
    const bool headless = plat::Headless();
    if (!plat::AudioOpen(headless ? plat::AudioKind::Null : plat::AudioKind::Sdl,
                         headless ? &plat::Millis : nullptr, error)) {
        // Like a machine without a sound device: the effects stay silent.
        std::fprintf(stderr, "vorin: no sound device (%s); sound effects are off\n",
                     error.c_str());
    }
}

void CloseSoundDevice() {
    ClearWaveList();
    plat::AudioClose();
}
