#include "library.h"

#include <cstdlib>
#include <cstring>

#include "loader.h"
#include "trace.h"

namespace ronvalet {

Library::Library(Clock clock, bool threaded) : clock_(clock), sequencer_(clock, tempo_, threaded) {}

Library::~Library() {
    sequencer_.stop();
    sequencer_.setOutput(nullptr);
    if (output_ != nullptr) output_->close();
}

int32_t Library::initMidi() {
    if (output_ != nullptr) return 1;  // already open: keep the device the timer may be using
    const char* spec = std::getenv("RONVALET_OUTPUT");
    output_ = makeOutput(spec, clock_);
    if (output_ == nullptr) {
        if (spec == nullptr || std::strcmp(spec, "none") != 0)
            trace("midiOutOpen()に失敗しました\n");
        return 0;
    }
    sequencer_.setOutput(output_.get());
    return 1;
}

int32_t Library::loadMidi(int32_t slot, const char* fileName) {
    if (output_ == nullptr) initMidi();
    if (!validSlot(slot)) return 0;
    if (sequencer_.playing() && sequencer_.currentSlot() == slot) sequencer_.stop();
    slots_[slot].reset();
    auto song = std::make_unique<Song>();
    Tempo tempo;
    if (loadSmfFile(fileName, *song, tempo) != LoadResult::Ok) return 0;
    tempo_.put(tempo);
    slots_[slot] = std::move(song);
    return 1;
}

int32_t Library::playMidi(int32_t slot, int32_t loop) {
    if (!validSlot(slot)) return 0;
    return sequencer_.start(slots_[slot].get(), slot, loop != 0, interruptTime_) ? 1 : 0;
}

int32_t Library::playMidiByName(const char* fileName, int32_t loop) {
    if (!loadMidi(0, fileName)) return 0;
    return playMidi(0, loop);
}

int32_t Library::stopMidi() {
    return sequencer_.stop() ? 1 : 0;
}
int32_t Library::pauseMidi() {
    return sequencer_.pause() ? 1 : 0;
}
int32_t Library::resumeMidi() {
    return sequencer_.resume() ? 1 : 0;
}
int32_t Library::getMidi() const {
    return sequencer_.running() ? 1 : 0;
}
uint32_t Library::getPlayingTime() const {
    return sequencer_.playingTime();
}
double Library::getPlayingBPM() const {
    return tempo_.get().bpm;
}

int32_t Library::setMidiInterruptTime(int32_t milliseconds) {
    interruptTime_ = uint16_t(milliseconds);
    return 1;
}

int32_t Library::clearMidi() {
    sequencer_.stop();
    if (output_ == nullptr || !output_->reset()) {
        trace("midiOutReset()に失敗しました\n");
        return 0;
    }
    if (!output_->close()) {
        trace("midiOutClose()に失敗しました\n");
        return 0;
    }
    sequencer_.setOutput(nullptr);
    output_.reset();
    for (auto& song : slots_) song.reset();
    return 1;
}

}  // namespace ronvalet
