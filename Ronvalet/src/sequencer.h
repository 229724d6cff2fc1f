#pragma once
// Playback of one song at a time: the playback state, start, the timer callback, pause, resume
// and stop. The timer thread shares the state with the host's thread through atomics.
#include <atomic>
#include <cstdint>
#include <vector>

#include "clock.h"
#include "output.h"
#include "song.h"
#include "tempo.h"
#include "timer.h"

namespace ronvalet {

constexpr uint16_t kDefaultInterruptTime = 5;  // milliseconds between timer ticks

class Sequencer {
  public:
    // With `threaded` false no timer thread is made: the owner calls tick() itself (tests).
    Sequencer(Clock clock, SharedTempo& tempo, bool threaded = true);
    ~Sequencer() { stop(); }
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    void setOutput(MidiOutput* output) { output_.store(output); }

    // Stops whatever plays, then plays `song` (from `slot`) from its start. False when the
    // song is missing or no timer period can be set.
    bool start(Song* song, int slot, bool loop, uint16_t interruptTime);
    bool stop();    // false when nothing was playing
    bool pause();   // always true
    bool resume();  // false unless paused (or ended)

    // The timer callback.
    void tick();

    bool running() const { return running_.load(); }
    bool playing() const { return playing_.load(); }
    int currentSlot() const { return slot_; }
    uint32_t position() const { return position_.load(); }
    uint32_t startTime() const { return startTime_.load(); }
    uint16_t period() const { return period_; }
    // Milliseconds played, excluding pauses.
    uint32_t playingTime() const { return clock_() - startTime_.load(); }

  private:
    static void timerCallback(void* self) { static_cast<Sequencer*>(self)->tick(); }
    void allSoundOff();
    void prepareSysex();
    void releaseSysex();
    void send(const Event& e, MidiOutput* out);

    Clock clock_;
    SharedTempo& tempo_;
    const bool threaded_;
    PeriodicTimer timer_;
    std::atomic<MidiOutput*> output_{nullptr};  // null while no device is open

    // Set by start before the timer runs, cleared by stop after it ended.
    Song* song_ = nullptr;
    int slot_ = -1;
    bool loop_ = false;
    uint16_t period_ = 0;
    std::vector<SysexHeader> headers_;  // the current song's prepared messages

    // Shared with the timer thread.
    std::atomic<uint32_t> position_{0};      // next event to send
    std::atomic<uint32_t> startTime_{0};     // clock value at song time 0
    std::atomic<uint32_t> lastTickTime_{0};  // clock value seen by the previous tick
    std::atomic<bool> running_{false};       // events are being sent
    std::atomic<bool> playing_{false};       // started and not stopped
};

}  // namespace ronvalet
