// The SDL audio output: 44.1 kHz stereo 16-bit with small buffers, fed by the mixer.
#include <SDL.h>

#include "platform/audio_device.h"

namespace plat {

namespace {

SDL_AudioDeviceID Device = 0;  // the open output, 0 while closed

void SDLCALL FillBuffer(void* userdata, Uint8* stream, int len) {
    auto* mixer = static_cast<Mixer*>(userdata);
    const size_t frames = size_t(len) / (sizeof(int16_t) * AudioChannels);
    mixer->Mix(reinterpret_cast<int16_t*>(stream), frames);
}

}  // namespace

bool SdlAudioOpen(Mixer* mixer, std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = AudioRate;
    want.format = AUDIO_S16SYS;
    want.channels = AudioChannels;
    want.samples = AudioBufferFrames;
    want.callback = FillBuffer;
    want.userdata = mixer;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (Device == 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(Device, 0);
    return true;
}

void SdlAudioClose() {
    if (Device == 0) return;
    SDL_CloseAudioDevice(Device);
    Device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioLock() { SDL_LockAudioDevice(Device); }
void SdlAudioUnlock() { SDL_UnlockAudioDevice(Device); }

}  // namespace plat
