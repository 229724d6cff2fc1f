#pragma once
// Helpers for the library's tests: a hand-driven clock, an output that records what it was
// sent, a trace catcher, and scratch files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

#include "output.h"
#include "smf_writer.h"
#include "trace.h"

namespace rvtest {

// A clock the test moves by hand.
inline uint32_t fakeNow = 0;
inline uint32_t fakeClock() {
    return fakeNow;
}

struct Sent {
    enum Type { Short, Long, Reset } type;
    uint32_t ms;
    uint32_t message;            // short messages
    std::vector<uint8_t> bytes;  // system exclusive
};

class RecordingOutput final : public ronvalet::MidiOutput {
  public:
    bool shortMessage(uint32_t message) override {
        std::lock_guard lock(mutex);
        sent.push_back({Sent::Short, fakeNow, message, {}});
        return true;
    }
    bool longMessage(const ronvalet::SysexHeader& h) override {
        std::lock_guard lock(mutex);
        sent.push_back({Sent::Long, fakeNow, 0, {h.bytes, h.bytes + h.size}});
        return true;
    }
    bool reset() override {
        std::lock_guard lock(mutex);
        sent.push_back({Sent::Reset, fakeNow, 0, {}});
        return true;
    }
    std::vector<uint32_t> shorts() {
        std::lock_guard lock(mutex);
        std::vector<uint32_t> out;
        for (const Sent& s : sent) {
            if (s.type == Sent::Short) out.push_back(s.message);
        }
        return out;
    }

    std::mutex mutex;
    std::vector<Sent> sent;
};

// Collects traces while alive.
class TraceCatcher {
  public:
    TraceCatcher() {
        std::lock_guard lock(mutex());
        text().clear();
        ronvalet::setTraceSink(&sink);
    }
    ~TraceCatcher() { ronvalet::setTraceSink(nullptr); }
    std::string all() {
        std::lock_guard lock(mutex());
        return text();
    }

  private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::string& text() {
        static std::string t;
        return t;
    }
    static void sink(const char* s) {
        std::lock_guard lock(mutex());
        text() += s;
    }
};

// A scratch path unique to this test and process; the file is removed when the process exits.
inline std::string scratchPath(const std::string& name) {
    struct Scratch {
        std::vector<std::string> paths;
        ~Scratch() {
            for (const auto& p : paths) std::remove(p.c_str());
        }
    };
    static Scratch scratch;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = testing::TempDir() + "rv_" + info->test_suite_name() + "_" + info->name() +
                       "_" + std::to_string(::getpid()) + "_" + name;
    scratch.paths.push_back(path);
    return path;
}

inline std::string writeSong(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = scratchPath(name);
    EXPECT_TRUE(smftest::writeFile(path, bytes));
    return path;
}

// The All Sound Off / All Notes Off pairs sent on every channel by pause and stop.
inline std::vector<uint32_t> silenceMessages() {
    std::vector<uint32_t> out;
    for (uint32_t ch = 0; ch < 16; ++ch) {
        out.push_back(0x78B0 + ch);
        out.push_back(0x7BB0 + ch);
    }
    return out;
}

}  // namespace rvtest
