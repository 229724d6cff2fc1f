#include "sequencer.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "trace.h"

namespace ronvalet {

namespace {
constexpr int kChannels = 16;
constexpr uint32_t kAllSoundOff = 0x78B0;  // controller 120, value 0, channel added
constexpr uint32_t kAllNotesOff = 0x7BB0;  // controller 123, value 0, channel added
constexpr uint32_t kSysexTraceBytes = 9;   // bytes of a message shown in its trace
// How long after a millisecond turns a tick falls, so that the clock has surely turned.
constexpr auto kTickAfterMillisecond = std::chrono::microseconds(50);
}  // namespace

Sequencer::Sequencer(Clock clock, SharedTempo& tempo, bool threaded)
    : clock_(clock), tempo_(tempo), threaded_(threaded) {}

bool Sequencer::start(Song* song, int slot, bool loop, uint16_t interruptTime) {
    stop();
    if (song == nullptr || song->events.empty()) return false;
    period_ = uint16_t(
        std::clamp<uint32_t>(interruptTime, PeriodicTimer::kMinPeriod, PeriodicTimer::kMaxPeriod));
    if (period_ == 0) return false;

    song_ = song;
    prepareSysex();
    uint32_t now = clock_();
    startTime_.store(now);
    lastTickTime_.store(now);
    position_.store(0);
    slot_ = slot;
    loop_ = loop;
    running_.store(true);
    playing_.store(true);
    // On the system clock, ticks fall just after a millisecond turns: an event then goes out
    // as early after its time as the period allows.
    std::chrono::steady_clock::time_point first{};
    if (clock_ == &systemMilliseconds) {
        first = systemMillisecondInstant(now + period_) + kTickAfterMillisecond;
    }
    if (threaded_ && !timer_.start(period_, &Sequencer::timerCallback, this, first)) {
        stop();
        return false;
    }
    return true;
}

void Sequencer::prepareSysex() {
    headers_.clear();
    MidiOutput* out = output_.load();
    for (Event& e : song_->events) {
        if (!isSysex(e)) continue;
        SysexHeader h;
        h.bytes = song_->sysexBytes(e);
        h.size = song_->sysexSize(e);
        h.offset = e.data;
        // The user sees this one (standard error in place of a message box); playing goes on.
        if (out == nullptr || !out->prepare(h)) report("midiOutPrepareHeader() failed.\n");
        std::string text = "SysEx:";
        char hex[8];
        for (uint32_t i = 0; i < std::min(h.size, kSysexTraceBytes); ++i) {
            std::snprintf(hex, sizeof hex, "%02x,", h.bytes[i]);
            text += hex;
        }
        text.back() = '\n';
        trace("%s", text.c_str());
        e.data = uint32_t(headers_.size());
        headers_.push_back(h);
    }
}

void Sequencer::releaseSysex() {
    if (song_ == nullptr) return;
    MidiOutput* out = output_.load();
    for (Event& e : song_->events) {
        if (!isSysex(e)) continue;
        SysexHeader& h = headers_[e.data];
        if (out != nullptr && h.prepared) out->unprepare(h);
        e.data = h.offset;
    }
    headers_.clear();
}

void Sequencer::tick() {
    if (song_ == nullptr) return;
    uint32_t now = clock_();
    const Event* events = song_->events.data();
    uint32_t pos = position_.load();
    if (events[pos].kind == kKindEndMark) {
        if (loop_) {
            startTime_.store(now);
            position_.store(0);
        } else {
            running_.store(false);
        }
        return;
    }
    if (!running_.load()) {
        uint32_t last = lastTickTime_.load();
        if (last < now) startTime_.fetch_add(now - last);
        lastTickTime_.store(now);
        return;
    }
    uint32_t elapsed = now - startTime_.load();
    MidiOutput* out = output_.load();
    while (events[pos].kind != kKindEndMark && elapsed > events[pos].time) {
        send(events[pos], out);
        ++pos;
    }
    position_.store(pos);
    lastTickTime_.store(now);
}

void Sequencer::send(const Event& e, MidiOutput* out) {
    if (isSysex(e)) {
        if (out != nullptr) out->longMessage(headers_[e.data]);
    } else if (e.kind < kKindSysex) {
        if (out != nullptr && e.data != 0) out->shortMessage(e.data);
    } else if (isTempo(e)) {
        tempo_.setTempo(e.data);
    }
}

void Sequencer::allSoundOff() {
    MidiOutput* out = output_.load();
    if (out == nullptr) return;
    for (uint32_t channel = 0; channel < kChannels; ++channel) {
        out->shortMessage(kAllSoundOff + channel);
        out->shortMessage(kAllNotesOff + channel);
    }
}

bool Sequencer::pause() {
    allSoundOff();
    running_.store(false);
    return true;
}

bool Sequencer::resume() {
    if (!playing_.load() || running_.load()) return false;
    running_.store(true);
    return true;
}

bool Sequencer::stop() {
    if (!playing_.load()) return false;
    timer_.stop();
    allSoundOff();
    if (MidiOutput* out = output_.load()) out->reset();
    releaseSysex();
    song_ = nullptr;
    position_.store(0);
    running_.store(false);
    playing_.store(false);
    return true;
}

}  // namespace ronvalet
