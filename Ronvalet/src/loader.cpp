#include "loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "trace.h"

namespace ronvalet {

namespace {

constexpr size_t kHeaderSize = 14;     // "MThd", length, format, tracks, division
constexpr uint32_t kHeaderLength = 6;  // the only header length accepted
constexpr unsigned kMaxTracks = 33;    // more tracks are rejected
constexpr size_t kChunkPrefix = 8;     // identifier and length of every chunk
constexpr int kMaxVlqBytes = 4;        // a longer variable-length quantity reads as 0

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint16_t be16(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}

// Walks one chunk's bytes; every read is checked against the chunk end.
struct Cursor {
    const uint8_t* p;
    const uint8_t* end;

    bool byte(uint8_t& out) {
        if (p >= end) return false;
        out = *p++;
        return true;
    }
    // Variable-length quantity: 7 bits a byte, most significant first.
    bool vlq(uint32_t& out) {
        uint32_t v = 0;
        for (int i = 1;; ++i) {
            uint8_t b;
            if (!byte(b)) return false;
            v = v << 7 | (b & 0x7F);
            if ((b & 0x80) == 0) break;
            if (i == kMaxVlqBytes) {
                v = 0;
                break;
            }
        }
        out = v;
        return true;
    }
};

// Number of data bytes that follow a channel status of this kind.
int dataBytes(uint8_t kind) {
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Appends a text or system-exclusive message to the song's bytes; returns its offset.
uint32_t appendBytes(Song& song, const uint8_t* src, size_t n, size_t extra) {
    size_t at = song.bytes.size();
    song.bytes.resize(at + n + extra);
    if (n != 0) std::memcpy(song.bytes.data() + at, src, n);
    return uint32_t(at);
}

bool parseMeta(Cursor& c, Song& song, Event& e, bool& endOfTrack) {
    uint8_t type;
    uint32_t n;
    if (!c.byte(type) || !c.vlq(n) || n > size_t(c.end - c.p)) return false;
    const uint8_t* d = c.p;
    c.p += n;
    e.kind = kKindMeta;
    e.metaType = type;
    switch (type) {
        case kMetaSequenceNumber:
            e.data = (n & 0xFF) | (n >= 2 ? uint32_t(be16(d)) << 16 : 0);
            break;
        case kMetaEndOfTrack:
            endOfTrack = true;
            break;
        case kMetaTempo:
            if (n < 4) {
                for (uint32_t i = 0; i < n; ++i) e.data = e.data << 8 | d[i];
            }
            break;
        case kMetaTimeSignature:
            if (n >= 1) e.data = d[0];
            if (n >= 2) e.data |= uint32_t(d[1]) << 8;
            break;
        default:
            if (song.bytes.size() + n + 1 > std::numeric_limits<uint32_t>::max()) return false;
            e.data = appendBytes(song, d, n, 1);  // zero-terminated copy
            break;
    }
    return true;
}

bool parseSysex(Cursor& c, Song& song, Event& e, uint8_t status) {
    uint32_t n;
    if (!c.vlq(n) || n > size_t(c.end - c.p)) return false;
    if (song.bytes.size() + n + 6 > std::numeric_limits<uint32_t>::max()) return false;
    // Stored as: 32-bit size of the message, status byte, n data bytes, a zero.
    uint32_t size = n + 1;
    size_t at = song.bytes.size();
    song.bytes.resize(at + sizeof size + n + 2);
    uint8_t* buf = song.bytes.data() + at + sizeof size;
    std::memcpy(song.bytes.data() + at, &size, sizeof size);
    buf[0] = status;
    if (n != 0) std::memcpy(buf + 1, c.p, n);
    buf[n] = 0xF7;  // the message always ends with its closing byte
    c.p += n;
    e.kind = status;
    e.data = uint32_t(at + sizeof size);
    e.length = uint8_t(n);
    return true;
}

// Parses the track chunk at `chunk`, appending its events (times in ticks) to `events` and
// giving its last event, turned into the end mark, in `endMark`. `next` receives the start of
// the following chunk.
bool parseTrack(const uint8_t* chunk, const uint8_t* fileEnd, uint8_t track, Song& song,
                std::vector<Event>& events, Event& endMark, const uint8_t*& next) {
    if (size_t(fileEnd - chunk) < kChunkPrefix) return false;
    uint32_t length = be32(chunk + 4);
    const uint8_t* body = chunk + kChunkPrefix;
    if (length > size_t(fileEnd - body)) return false;  // shorter than the chunk says
    Cursor c{body, body + length};
    next = c.end;
    const size_t first = events.size();

    uint8_t running = 0;  // none yet
    uint32_t tick = 0;
    bool endOfTrack = false;
    while (!endOfTrack && c.p < c.end) {
        uint32_t delta;
        uint8_t status;
        if (!c.vlq(delta) || !c.byte(status)) return false;
        tick += delta;
        Event e{};
        e.time = tick;
        e.track = track;
        if (status < 0xF0) {
            uint8_t d[2] = {0, 0};
            int have = 0;
            if (status < 0x80) {
                if (running == 0) return false;  // running status before any status byte
                d[have++] = status;
                status = running;
            }
            uint8_t kind = status & 0xF0;
            for (int need = dataBytes(kind); have < need; ++have) {
                if (!c.byte(d[have])) return false;
            }
            e.kind = kind;
            e.channel = status & 0x0F;
            e.data = d[0] | uint32_t(d[1]) << 8;
            running = status;
        } else if (status == 0xFF) {
            if (!parseMeta(c, song, e, endOfTrack)) return false;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!parseSysex(c, song, e, status)) return false;
        } else {
            return false;  // 0xF1..0xFE have no place in a file
        }
        events.push_back(e);
    }
    if (events.size() == first) return false;  // no events
    endMark = events.back();
    endMark.kind = kKindEndMark;
    events.pop_back();
    return true;
}

// Merges two neighbouring runs into `out`, the first run's event first on equal times. Written
// without branches on the comparison, which interleaved tracks make unpredictable.
void mergeRuns(const Event* a, const Event* aEnd, const Event* b, const Event* bEnd, Event* out) {
    while (a != aEnd && b != bEnd) {
        bool takeB = b->time < a->time;
        const Event* src = takeB ? b : a;
        *out++ = *src;
        b += takeB;
        a += !takeB;
    }
    out = std::copy(a, aEnd, out);
    std::copy(b, bEnd, out);
}

// Merges the tracks' runs of `events` (run i is [runs[i], runs[i + 1])) into one list: at each
// step the earliest next event of all tracks, the lowest track first on equal times. Merging
// neighbouring runs pairwise, earlier run first on ties, gives exactly that order.
void mergeTracks(std::vector<Event>& events, std::vector<size_t> runs) {
    if (runs.size() <= 2) return;
    // Scratch left uninitialised: every element is written before it is read.
    std::unique_ptr<Event[]> scratch(new Event[events.size()]);
    Event* src = events.data();
    Event* dst = scratch.get();
    while (runs.size() > 2) {
        std::vector<size_t> merged{0};
        for (size_t i = 0; i + 1 < runs.size(); i += 2) {
            size_t c = i + 2 < runs.size() ? runs[i + 2] : runs[i + 1];
            mergeRuns(src + runs[i], src + runs[i + 1], src + runs[i + 1], src + c, dst + runs[i]);
            merged.push_back(c);
        }
        std::swap(src, dst);
        runs = std::move(merged);
    }
    if (src != events.data()) std::copy(src, src + events.size(), events.data());
}

void pack(std::vector<Event>& events) {
    for (Event& e : events) {
        if (e.kind >= 0x80 && e.kind <= 0xE0) {
            uint32_t d1 = e.data & 0xFF;
            uint32_t d2 = e.kind == 0xC0 || e.kind == 0xD0 ? 0 : (e.data >> 8 & 0xFF);
            e.data = e.kind + e.channel + d1 * 256 + d2 * 65536;
        }
    }
}

uint32_t toMilliseconds(double ms) {
    constexpr double kMax = double(std::numeric_limits<uint32_t>::max());
    return ms >= kMax ? std::numeric_limits<uint32_t>::max() : uint32_t(ms);
}

// Turns tick times into milliseconds; the running sum keeps its fraction, tempo events apply
// from the next interval on.
void convertTimes(std::vector<Event>& events, Tempo& tempo) {
    tempo.set(kDefaultTempo);
    double accumulated = 0.0;
    uint32_t previous = 0;
    for (Event& e : events) {
        accumulated += double(uint32_t(e.time - previous)) * tempo.msPerTick;
        previous = e.time;
        e.time = toMilliseconds(accumulated);
        if (isTempo(e)) tempo.set(e.data);
    }
}

}  // namespace

bool parseSmf(const uint8_t* data, size_t size, Song& song, Tempo& tempo) {
    if (data == nullptr || size < kHeaderSize) return false;
    if (be32(data + 4) != kHeaderLength) return false;
    Tempo t;
    t.format = uint8_t(be16(data + 8));
    t.trackCount = uint8_t(be16(data + 10));
    t.division = be16(data + 12);
    if (t.format > 1 || t.trackCount > kMaxTracks) return false;
    if (t.division == 0) return false;  // every tick would last forever

    Song out;
    const uint8_t* end = data + size;
    const uint8_t* chunk = data + kHeaderSize;
    out.events.reserve(size / 3 + 1);
    Event endMark{};
    if (t.format == 0) {
        if (!parseTrack(chunk, end, 0, out, out.events, endMark, chunk)) return false;
    } else {
        if (t.trackCount == 0) return false;
        std::vector<size_t> runs{0};
        std::vector<Event> endMarks(t.trackCount);
        for (uint8_t i = 0; i < t.trackCount; ++i) {
            if (!parseTrack(chunk, end, i, out, out.events, endMarks[i], chunk)) return false;
            runs.push_back(out.events.size());
        }
        mergeTracks(out.events, runs);
        // The end mark of the track that gave the last event.
        endMark = endMarks[out.events.empty() ? 0 : out.events.back().track];
        t.trackCount = 1;
    }
    out.events.push_back(endMark);
    pack(out.events);
    convertTimes(out.events, t);
    song = std::move(out);
    tempo = t;
    return true;
}

namespace {

// Reads a whole file; false on any failure (also a file too large for 32 bits).
bool readFile(const char* fileName, std::vector<uint8_t>& image) {
    int fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              uint64_t(st.st_size) <= std::numeric_limits<uint32_t>::max();
    if (ok) {
        image.resize(size_t(st.st_size));
        size_t done = 0;
        while (ok && done < image.size()) {
            ssize_t n = ::read(fd, image.data() + done, image.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                ok = false;
            else
                done += size_t(n);
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace

LoadResult loadSmfFile(const char* fileName, Song& song, Tempo& tempo) {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) == nullptr) cwd[0] = '\0';
    const char* name = fileName != nullptr ? fileName : "";
    std::vector<uint8_t> image;
    if (fileName == nullptr || !readFile(fileName, image)) {
        trace("MIDIファイル[%s\\%s]の読み込みに失敗しました\n", cwd, name);
        return LoadResult::ReadFailed;
    }
    if (!parseSmf(image.data(), image.size(), song, tempo)) {
        trace("MIDIファイル[%s\\%s]の変換に失敗しました\n", cwd, name);
        return LoadResult::ConvertFailed;
    }
    return LoadResult::Ok;
}

}  // namespace ronvalet
