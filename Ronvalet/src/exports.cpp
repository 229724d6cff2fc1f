// The twelve exported functions, all forwarding to the one library state.
#include "Ronvalet.h"

#include "library.h"

namespace {
// The library's state, alive from load to unload.
ronvalet::Library& library() {
    static ronvalet::Library instance;
    return instance;
}
}  // namespace

extern "C" {
int32_t InitMidi(void) {
    return library().initMidi();
}
int32_t LoadMidi(int32_t slot, const char* fileName) {
    return library().loadMidi(slot, fileName);
}
int32_t PlayMidi(int32_t slot, int32_t loop) {
    return library().playMidi(slot, loop);
}
int32_t PlayMidiByName(const char* fileName, int32_t loop) {
    return library().playMidiByName(fileName, loop);
}
int32_t StopMidi(void) {
    return library().stopMidi();
}
int32_t PauseMidi(void) {
    return library().pauseMidi();
}
int32_t ResumeMidi(void) {
    return library().resumeMidi();
}
int32_t GetMidi(void) {
    return library().getMidi();
}
uint32_t GetPlayingTime(void) {
    return library().getPlayingTime();
}
double GetPlayingBPM(void) {
    return library().getPlayingBPM();
}
int32_t SetMidiInterruptTime(int32_t milliseconds) {
    return library().setMidiInterruptTime(milliseconds);
}
int32_t ClearMidi(void) {
    return library().clearMidi();
}
}
