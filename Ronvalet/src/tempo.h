#pragma once
// The tempo record: the timing of the song most recently loaded and, during playback, the tempo
// most recently played.
#include <cstdint>
#include <mutex>

namespace ronvalet {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 beats a minute)

struct Tempo {
    uint32_t tempo = 0;           // microseconds per quarter note
    uint16_t division = 0;        // ticks per quarter note
    uint8_t format = 0;           // file format, 0 or 1
    uint8_t trackCount = 0;       // 1 once a format 1 file is merged
    double bpm = 0.0;             // beats per minute
    double msPerTick = 0.0;       // milliseconds per tick
    double bpmPerDivision = 0.0;  // beats per minute divided by division

    // Sets the tempo and recomputes the three derived values.
    void set(uint32_t microsPerQuarter);
    // The milliseconds per tick set() gives for a tempo and a division.
    static double msPerTickFor(uint32_t microsPerQuarter, uint16_t division) {
        return (60000.0 / (60000000.0 / microsPerQuarter)) / division;
    }
};

// The library's one tempo record, written by loading and by the timer thread (tempo events),
// read by the host; a lock keeps its values consistent.
class SharedTempo {
  public:
    Tempo get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void put(const Tempo& t) {
        std::lock_guard lock(mutex_);
        value_ = t;
    }
    void setTempo(uint32_t microsPerQuarter) {
        std::lock_guard lock(mutex_);
        value_.set(microsPerQuarter);
    }

  private:
    mutable std::mutex mutex_;
    Tempo value_;
};

}  // namespace ronvalet
