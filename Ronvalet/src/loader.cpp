#include "loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <new>
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

// The song's texts and system-exclusive messages (offsets are 32 bits).
struct ByteSink {
    std::vector<uint8_t>* bytes;

    // Reserves n bytes at the end; null when the song's bytes would outgrow 32-bit offsets.
    uint8_t* grow(size_t n, uint32_t& offset) {
        size_t at = bytes->size();
        if (n > std::numeric_limits<uint32_t>::max() - at) return nullptr;
        bytes->resize(at + n);
        offset = uint32_t(at);
        return bytes->data() + at;
    }
};

// Reads one track chunk an event at a time; every read is checked against the chunk end.
struct TrackReader {
    const uint8_t* p = nullptr;
    const uint8_t* end = nullptr;
    uint32_t tick = 0;
    uint8_t running = 0;  // none yet
    uint8_t track = 0;
    ByteSink sink{};

    // Variable-length quantity: 7 bits a byte, most significant first.
    bool vlq(uint32_t& out) {
        uint32_t v = 0;
        for (int i = 1;; ++i) {
            if (p >= end) return false;
            uint8_t b = *p++;
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

    // The rare kinds stay out of line so that the common path of next() stays small.
    [[gnu::noinline]] bool meta(Event& e, bool& endOfTrack);
    [[gnu::noinline]] bool sysex(Event& e, uint8_t status);

    // Reads the next event (time in ticks, channel messages already packed). `last` tells that
    // it ends the track: an end of track, or nothing left in the chunk. False on any fault.
    [[gnu::always_inline]] bool next(Event& e, bool& last) {
        uint32_t delta;
        if (!vlq(delta) || p >= end) return false;
        uint8_t status = *p++;
        tick += delta;
        e = Event{};
        e.time = tick;
        e.track = track;
        bool endOfTrack = false;
        if (status < 0xF0) {
            if (status < 0x80) {
                if (running == 0) return false;  // running status before any status byte
                --p;                             // the byte is data 1
                status = running;
            }
            running = status;
            uint8_t kind = status & 0xF0;
            size_t need = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (size_t(end - p) < need) return false;
            uint32_t d1 = p[0];
            uint32_t d2 = need == 2 ? p[1] : 0;
            p += need;
            e.kind = kind;
            e.channel = status & 0x0F;
            e.data = status | d1 << 8 | d2 << 16;  // packed: kind + channel + d1 * 256 + d2 * 65536
        } else if (status == 0xFF) {
            if (!meta(e, endOfTrack)) return false;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!sysex(e, status)) return false;
        } else {
            return false;  // 0xF1..0xFE have no place in a file
        }
        last = endOfTrack || p >= end;
        return true;
    }
};

bool TrackReader::meta(Event& e, bool& endOfTrack) {
    uint32_t n;
    if (p >= end) return false;
    uint8_t type = *p++;
    if (!vlq(n) || n > size_t(end - p)) return false;
    const uint8_t* d = p;
    p += n;
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
        default: {
            uint8_t* text = sink.grow(size_t(n) + 1, e.data);  // zero-terminated copy
            if (text == nullptr) return false;
            if (n != 0) std::memcpy(text, d, n);
            text[n] = 0;
            break;
        }
    }
    return true;
}

bool TrackReader::sysex(Event& e, uint8_t status) {
    uint32_t n;
    if (!vlq(n) || n > size_t(end - p)) return false;
    // Stored as: 32-bit size of the message, status byte, n data bytes, a zero.
    uint32_t size = n + 1;
    uint32_t at;
    uint8_t* out = sink.grow(sizeof size + size_t(n) + 2, at);
    if (out == nullptr) return false;
    std::memcpy(out, &size, sizeof size);
    uint8_t* buf = out + sizeof size;
    buf[0] = status;
    if (n != 0) std::memcpy(buf + 1, p, n);
    buf[n] = 0xF7;  // the message always ends with its closing byte
    buf[n + 1] = 0;
    p += n;
    e.kind = status;
    e.data = at + uint32_t(sizeof size);
    e.length = uint8_t(n);
    return true;
}

// Sets up a reader on the track chunk at `chunk`; `next` receives the start of the following
// chunk. False when the chunk does not fit in the file or holds no events.
bool openTrack(const uint8_t* chunk, const uint8_t* fileEnd, TrackReader& r, const uint8_t*& next) {
    if (size_t(fileEnd - chunk) < kChunkPrefix) return false;
    uint32_t length = be32(chunk + 4);
    const uint8_t* body = chunk + kChunkPrefix;
    if (length > size_t(fileEnd - body)) return false;  // shorter than the chunk says
    if (length == 0) return false;                      // no events
    r.p = body;
    r.end = body + length;
    next = r.end;
    return true;
}

uint32_t toMilliseconds(double ms) {
    constexpr double kMax = double(std::numeric_limits<uint32_t>::max());
    return ms >= kMax ? std::numeric_limits<uint32_t>::max() : uint32_t(ms);
}

// A track's last event becomes its end mark; a channel message there keeps its unpacked data.
Event endMarkOf(Event e) {
    if (e.kind >= 0x80 && e.kind <= 0xE0) e.data = e.data >> 8 & 0xFFFF;
    e.kind = kKindEndMark;
    return e;
}

constexpr uint64_t kTrackDone = std::numeric_limits<uint64_t>::max();

// One track's events once read, times in ticks, without its last event (its end mark).
struct TrackEvents {
    const Event* next;
    const Event* end;
    Event endMark;
};

// Reads a whole track into `out` (room for length / 2 + 1 events). False on any fault.
bool readTrack(TrackReader& r, Event* out, TrackEvents& track) {
    track.next = out;
    for (;;) {
        // Straight into place: a copy would read back the fields just stored one by one.
        bool last = false;
        if (!r.next(*out, last)) return false;
        if (last) {
            track.end = out;
            track.endMark = endMarkOf(*out);
            return true;
        }
        ++out;
    }
}

// Merge key of a track's next event: earliest time first, then the lowest track.
uint64_t nextKey(const TrackEvents& t, size_t k) {
    return t.next != t.end ? uint64_t(t.next->time) << 8 | k : kTrackDone;
}

// Merges the tracks' events into `song.events` in song order: at each step the earliest next
// event of all tracks, the lowest track first on equal times. A tournament tree over the
// tracks' next events finds it; only the winner's path changes per event. Times turn into
// milliseconds on the way: the running sum keeps its fraction, a tempo event applies from the
// next interval on. Gives the end mark of the track of the last event, converted too.
void mergeTracks(std::vector<TrackEvents>& tracks, size_t eventCount, Song& song, Tempo& tempo) {
    const size_t count = tracks.size();
    size_t leaves = 1;
    while (leaves < count) leaves *= 2;
    std::vector<uint64_t> tree(2 * leaves, kTrackDone);  // [1, leaves) winners, then the tracks
    for (size_t k = 0; k < count; ++k) tree[leaves + k] = nextKey(tracks[k], k);
    for (size_t i = leaves - 1; i >= 1; --i) tree[i] = std::min(tree[2 * i], tree[2 * i + 1]);

    // Sized at once (the end mark's place too), so the loop below stores through a pointer and
    // calls nothing: its running values stay in registers.
    song.events.resize(eventCount + 1);
    Event* out = song.events.data();
    uint32_t lastTempo = kDefaultTempo;  // set on `tempo` once at the end
    double msPerTick = Tempo::msPerTickFor(lastTempo, tempo.division);
    double accumulated = 0.0;
    uint32_t previous = 0;
    auto convert = [&](Event& e) {
        accumulated += double(uint32_t(e.time - previous)) * msPerTick;
        previous = e.time;
        e.time = toMilliseconds(accumulated);
        if (isTempo(e)) [[unlikely]] {
            lastTempo = e.data;
            msPerTick = Tempo::msPerTickFor(lastTempo, tempo.division);
        }
    };
    uint64_t* const nodes = tree.data();
    size_t endTrack = 0;
    for (uint64_t best = nodes[1]; best != kTrackDone;) {
        size_t k = size_t(best & 0xFF);
        TrackEvents& t = tracks[k];
        Event e = *t.next++;
        best = nextKey(t, k);
        convert(e);
        *out++ = e;
        endTrack = k;
        // Replay the winner's path; the winner so far stays in a register.
        size_t i = leaves + k;
        nodes[i] = best;
        while (i > 1) {
            best = std::min(best, nodes[i ^ 1]);
            i /= 2;
            nodes[i] = best;
        }
    }
    Event endMark = tracks[endTrack].endMark;
    convert(endMark);
    *out = endMark;
    tempo.set(lastTempo);
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
    if (t.format == 1 && t.trackCount == 0) return false;

    Song out;
    const uint8_t* end = data + size;
    const uint8_t* chunk = data + kHeaderSize;
    const size_t count = t.format == 0 ? 1 : t.trackCount;
    std::vector<TrackReader> readers(count);
    // Every event takes at least two bytes (a delta and a status or data byte), so a track of
    // n bytes holds at most n / 2 + 1 of them; the file's tracks fit in size / 2 + count.
    size_t room = 0;
    for (size_t k = 0; k < count; ++k) {
        if (!openTrack(chunk, end, readers[k], chunk)) return false;
        readers[k].track = uint8_t(k);
        room += size_t(readers[k].end - readers[k].p) / 2 + 1;
    }
    // Tracks are read one after the other, each straight through, and merged afterwards. Their
    // texts go into the song's bytes in track order, so their offsets are final at once.
    std::unique_ptr<Event[]> read(new Event[room]);
    std::vector<TrackEvents> tracks(count);
    Event* at = read.get();
    size_t events = 0;
    for (size_t k = 0; k < count; ++k) {
        const size_t trackRoom = size_t(readers[k].end - readers[k].p) / 2 + 1;
        readers[k].sink = ByteSink{&out.bytes};
        if (!readTrack(readers[k], at, tracks[k])) return false;
        events += size_t(tracks[k].end - tracks[k].next);
        at += trackRoom;
    }
    mergeTracks(tracks, events, out, t);
    if (t.format == 1) t.trackCount = 1;
    song = std::move(out);
    tempo = t;
    return true;
}

namespace {

// A file's bytes, left uninitialised until read.
struct FileImage {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Reads a whole file; false on any failure (also a file too large for 32 bits).
bool readFile(const char* fileName, FileImage& image) {
    int fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              uint64_t(st.st_size) <= std::numeric_limits<uint32_t>::max();
    if (ok) {
        image.size = size_t(st.st_size);
        image.data.reset(new (std::nothrow) uint8_t[image.size + 1]);
        ok = image.data != nullptr;
        size_t done = 0;
        while (ok && done < image.size) {
            ssize_t n = ::read(fd, image.data.get() + done, image.size - done);
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

// Writes the trace of a failed read or conversion, naming the current directory and the file.
void traceFailure(LoadResult result, const char* fileName) {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) == nullptr) cwd[0] = '\0';
    const char* name = fileName != nullptr ? fileName : "";
    if (result == LoadResult::ReadFailed)
        trace("MIDIファイル[%s\\%s]の読み込みに失敗しました\n", cwd, name);
    else
        trace("MIDIファイル[%s\\%s]の変換に失敗しました\n", cwd, name);
}

}  // namespace

LoadResult loadSmfFile(const char* fileName, Song& song, Tempo& tempo) {
    FileImage image;
    if (fileName == nullptr || !readFile(fileName, image)) {
        traceFailure(LoadResult::ReadFailed, fileName);
        return LoadResult::ReadFailed;
    }
    bool parsed = false;
    try {
        parsed = parseSmf(image.data.get(), image.size, song, tempo);
    } catch (const std::bad_alloc&) {
        parsed = false;  // a song too large for memory fails to load instead of ending the host
    }
    if (!parsed) {
        traceFailure(LoadResult::ConvertFailed, fileName);
        return LoadResult::ConvertFailed;
    }
    return LoadResult::Ok;
}

}  // namespace ronvalet
