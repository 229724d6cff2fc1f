#pragma once
// A small Standard MIDI File writer for building test songs byte by byte.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace smftest {

inline void putVlq(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t tmp[5];
    int n = 0;
    do {
        tmp[n++] = v & 0x7F;
        v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(tmp[--n] | 0x80);
    out.push_back(tmp[0]);
}

inline void putBe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

// The events of one track chunk; each call appends one event after `delta` ticks.
struct Track {
    std::vector<uint8_t> bytes;

    Track& raw(uint32_t delta, std::initializer_list<uint8_t> b) {
        putVlq(bytes, delta);
        bytes.insert(bytes.end(), b);
        return *this;
    }
    Track& on(uint32_t delta, int ch, int key, int vel = 100) {
        return raw(delta, {uint8_t(0x90 | ch), uint8_t(key), uint8_t(vel)});
    }
    Track& off(uint32_t delta, int ch, int key) {
        return raw(delta, {uint8_t(0x80 | ch), uint8_t(key), 0});
    }
    Track& tempo(uint32_t delta, uint32_t microsPerQuarter) {
        raw(delta, {0xFF, 0x51, 0x03});
        putBe(bytes, microsPerQuarter, 3);
        return *this;
    }
    Track& meta(uint32_t delta, uint8_t type, const std::string& data) {
        raw(delta, {0xFF, type});
        putVlq(bytes, uint32_t(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
    // A system-exclusive event; `body` is everything after the status, including the final F7.
    Track& sysex(uint32_t delta, const std::vector<uint8_t>& body, uint8_t status = 0xF0) {
        raw(delta, {status});
        putVlq(bytes, uint32_t(body.size()));
        bytes.insert(bytes.end(), body.begin(), body.end());
        return *this;
    }
    Track& end(uint32_t delta = 0) { return raw(delta, {0xFF, 0x2F, 0x00}); }
};

struct Header {
    uint32_t length = 6;
    uint16_t format = 0;
    uint16_t trackCount = 0xFFFF;  // 0xFFFF: the number of tracks given
    uint16_t division = 480;
};

inline std::vector<uint8_t> smf(const Header& h, const std::vector<Track>& tracks) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    putBe(out, h.length, 4);
    putBe(out, h.format, 2);
    putBe(out, h.trackCount == 0xFFFF ? uint16_t(tracks.size()) : h.trackCount, 2);
    putBe(out, h.division, 2);
    for (uint32_t i = 6; i < h.length; ++i) out.push_back(0);
    for (const Track& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        putBe(out, uint32_t(t.bytes.size()), 4);
        out.insert(out.end(), t.bytes.begin(), t.bytes.end());
    }
    return out;
}

inline std::vector<uint8_t> smf(uint16_t format, uint16_t division,
                                const std::vector<Track>& tracks) {
    Header h;
    h.format = format;
    h.division = division;
    return smf(h, tracks);
}

inline bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace smftest
