#pragma once
// The library's whole state and the operations behind its twelve exported functions: the
// output device, 256 song slots, the tempo record and the playback state.
#include <array>
#include <cstdint>
#include <memory>

#include "clock.h"
#include "output.h"
#include "sequencer.h"
#include "song.h"
#include "tempo.h"

namespace ronvalet {

constexpr int kSlotCount = 256;

class Library {
  public:
    explicit Library(Clock clock = systemMilliseconds, bool threaded = true);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    int32_t initMidi();
    int32_t loadMidi(int32_t slot, const char* fileName);
    int32_t playMidi(int32_t slot, int32_t loop);
    int32_t playMidiByName(const char* fileName, int32_t loop);
    int32_t stopMidi();
    int32_t pauseMidi();
    int32_t resumeMidi();
    int32_t getMidi() const;
    uint32_t getPlayingTime() const;
    double getPlayingBPM() const;
    int32_t setMidiInterruptTime(int32_t milliseconds);
    int32_t clearMidi();

    // For tests: plays into `output` instead of the device RONVALET_OUTPUT names.
    void adoptOutput(std::unique_ptr<MidiOutput> output) {
        sequencer_.stop();
        output_ = std::move(output);
        sequencer_.setOutput(output_.get());
    }
    const Song* song(int slot) const { return validSlot(slot) ? slots_[slot].get() : nullptr; }
    Sequencer& sequencer() { return sequencer_; }
    bool outputOpen() const { return output_ != nullptr; }
    Tempo tempo() const { return tempo_.get(); }

  private:
    static bool validSlot(int32_t slot) { return slot >= 0 && slot < kSlotCount; }

    Clock clock_;
    SharedTempo tempo_;
    std::unique_ptr<MidiOutput> output_;  // null while closed
    std::array<std::unique_ptr<Song>, kSlotCount> slots_;
    uint16_t interruptTime_ = kDefaultInterruptTime;  // requested timer period
    Sequencer sequencer_;                             // last: stopped before the rest goes
};

}  // namespace ronvalet
