#pragma once
// Input scripts for walks through the front end: taps that last one tick, placed two ticks
// apart so every tap is one edge, and the ticks at which the screens see them.
#include <cstdint>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace e2e {

class Keys {
  public:
    explicit Keys(int64_t start) : next_(start) {}
    // Down in the next free tick, up in the one after; returns the tick whose update sees it.
    int64_t Tap(const std::string& key) {
        const int64_t at = next_;
        Add(at, key, "down");
        Add(at + 1, key, "up");
        next_ = at + 2;
        return at;
    }
    // n taps; returns the tick of the last.
    int64_t Taps(const std::string& key, int n) {
        int64_t at = 0;
        for (int i = 0; i < n; ++i) at = Tap(key);
        return at;
    }
    void Down(const std::string& key) { Add(next_, key, "down"); }
    void Up(const std::string& key) { Add(next_, key, "up"); }
    void Wait(int64_t ticks) { next_ += ticks; }
    void At(int64_t tick) { next_ = tick; }
    int64_t Next() const { return next_; }
    const std::string& Script() const { return text_; }

  private:
    void Add(int64_t tick, const std::string& key, const char* dir) {
        text_ += std::to_string(tick) + " " + key + " " + dir + "\n";
    }
    int64_t next_;
    std::string text_;
};

// Ticks of a fade: a fade-out started in tick t enters the next screen in tick t + 7, and a
// screen entered in tick e takes input (title, configuration) from tick e + 9.
constexpr int64_t FadeOutTicks = 7;
constexpr int64_t FadeInTicks = 9;

// The dump line of a tick (ticks count from 1).
inline const std::string& AtTick(const RunResult& r, int64_t tick) {
    return r.dump.at(static_cast<size_t>(tick - 1));
}

// The effects started in a tick as the dump lists them, such as "[4]".
inline std::string SoundsAt(const RunResult& r, int64_t tick) {
    return RawField(AtTick(r, tick), "Sounds");
}

}  // namespace e2e
