#pragma once
// Ronvalet: plays Standard MIDI Files loaded into 256 numbered slots, one song at a time.
// All functions return 1 for success and 0 for failure unless stated otherwise.
#include <stdint.h>

#if defined(RONVALET_BUILD)
#define RONVALET_API __attribute__((visibility("default")))
#else
#define RONVALET_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

RONVALET_API int32_t InitMidi(void);
RONVALET_API int32_t LoadMidi(int32_t slot, const char* fileName);
RONVALET_API int32_t PlayMidi(int32_t slot, int32_t loop);
RONVALET_API int32_t PlayMidiByName(const char* fileName, int32_t loop);
RONVALET_API int32_t StopMidi(void);
RONVALET_API int32_t PauseMidi(void);
RONVALET_API int32_t ResumeMidi(void);
RONVALET_API int32_t GetMidi(void);
RONVALET_API uint32_t GetPlayingTime(void);
RONVALET_API double GetPlayingBPM(void);
RONVALET_API int32_t SetMidiInterruptTime(int32_t milliseconds);
RONVALET_API int32_t ClearMidi(void);

#ifdef __cplusplus
}
#endif
