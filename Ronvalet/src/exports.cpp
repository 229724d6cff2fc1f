// Placeholder until the sequencer lands: every call fails politely.
#include "Ronvalet.h"

extern "C" {
int32_t InitMidi(void) { return 0; }
int32_t LoadMidi(int32_t, const char*) { return 0; }
int32_t PlayMidi(int32_t, int32_t) { return 0; }
int32_t PlayMidiByName(const char*, int32_t) { return 0; }
int32_t StopMidi(void) { return 0; }
int32_t PauseMidi(void) { return 1; }
int32_t ResumeMidi(void) { return 0; }
int32_t GetMidi(void) { return 0; }
uint32_t GetPlayingTime(void) { return 0; }
double GetPlayingBPM(void) { return 0.0; }
int32_t SetMidiInterruptTime(int32_t) { return 1; }
int32_t ClearMidi(void) { return 1; }
}
