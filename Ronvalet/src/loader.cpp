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

// Texts and system-exclusive messages of one track, and the running total of all tracks' bytes
// (offsets are 32 bits).
struct ByteSink {
    std::vector<uint8_t>* bytes;
    uint64_t* total;

    // Reserves n bytes at the end; null when the song's bytes would outgrow 32-bit offsets.
    uint8_t* grow(size_t n, uint32_t& offset) {
        *total += n;
        if (*total > std::numeric_limits<uint32_t>::max()) return nullptr;
        size_t at = bytes->size();
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
    bool hasBytes = false;  // the event just read refers to the track's bytes
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
        hasBytes = false;
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
            hasBytes = true;
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
    hasBytes = true;
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

// Turns tick times into milliseconds as events arrive in song order; the running sum keeps its
// fraction, a tempo event applies from the next interval on.
struct TimeConverter {
    Tempo& tempo;
    double accumulated = 0.0;
    uint32_t previous = 0;

    explicit TimeConverter(Tempo& t) : tempo(t) { tempo.set(kDefaultTempo); }

    void convert(Event& e) {
        accumulated += double(uint32_t(e.time - previous)) * tempo.msPerTick;
        previous = e.time;
        e.time = toMilliseconds(accumulated);
        if (isTempo(e)) tempo.set(e.data);
    }
};

// A track's last event becomes its end mark; a channel message there keeps its unpacked data.
Event endMarkOf(Event e) {
    if (e.kind >= 0x80 && e.kind <= 0xE0) e.data = e.data >> 8 & 0xFFFF;
    e.kind = kKindEndMark;
    return e;
}

// Merge key of a track's next event: earliest time first, then the lowest track.
uint64_t mergeKey(const Event& e) {
    return uint64_t(e.time) << 8 | e.track;
}
constexpr uint64_t kTrackDone = std::numeric_limits<uint64_t>::max();

// Reads all tracks at once and merges them straight into `song.events`: at each step the
// earliest next event of all tracks, the lowest track first on equal times. A tournament tree
// over the tracks' next events finds it; only the winner's path changes per event.
bool mergeTracks(std::vector<TrackReader>& readers, Song& song, Tempo& tempo, Event& endMark) {
    const size_t count = readers.size();
    size_t leaves = 1;
    while (leaves < count) leaves *= 2;
    std::vector<uint64_t> tree(2 * leaves, kTrackDone);  // [1, leaves) winners, then the tracks
    std::vector<Event> pending(count);
    std::vector<Event> endMarks(count);
    // Events of tracks after the first whose offsets into the song's bytes still need the
    // offset of their track's bytes added.
    std::vector<size_t> fixups;

    // Reads track k's next event and gives its merge key.
    auto advance = [&](size_t k, uint64_t& key) {
        bool last = false;
        if (!readers[k].next(pending[k], last)) return false;
        if (last) {
            endMarks[k] = endMarkOf(pending[k]);
            key = kTrackDone;
        } else {
            key = mergeKey(pending[k]);
        }
        return true;
    };
    for (size_t k = 0; k < count; ++k) {
        if (!advance(k, tree[leaves + k])) return false;
    }
    for (size_t i = leaves - 1; i >= 1; --i) tree[i] = std::min(tree[2 * i], tree[2 * i + 1]);

    TimeConverter times(tempo);
    for (uint64_t best = tree[1]; best != kTrackDone;) {
        size_t k = size_t(best & 0xFF);
        Event e = pending[k];
        times.convert(e);
        song.events.push_back(e);
        if (readers[k].hasBytes && k != 0) fixups.push_back(song.events.size() - 1);
        if (!advance(k, best)) return false;
        // Replay the winner's path; the winner so far stays in a register.
        size_t i = leaves + k;
        tree[i] = best;
        while (i > 1) {
            best = std::min(best, tree[i ^ 1]);
            i /= 2;
            tree[i] = best;
        }
    }
    // The end mark of the track that gave the last event.
    size_t endTrack = song.events.empty() ? 0 : song.events.back().track;
    endMark = endMarks[endTrack];
    bool endMarkHasBytes = readers[endTrack].hasBytes && endTrack != 0;
    times.convert(endMark);

    // Lay the tracks' bytes out one after the other, in track order.
    std::vector<uint32_t> base(count, 0);
    for (size_t k = 1; k < count; ++k) {
        base[k] = uint32_t(song.bytes.size());
        song.bytes.insert(song.bytes.end(), readers[k].sink.bytes->begin(),
                          readers[k].sink.bytes->end());
    }
    for (size_t i : fixups) song.events[i].data += base[song.events[i].track];
    if (endMarkHasBytes) endMark.data += base[endTrack];
    return true;
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
    uint64_t bytesTotal = 0;
    std::vector<TrackReader> readers(count);
    std::vector<std::vector<uint8_t>> trackBytes(count);
    for (size_t k = 0; k < count; ++k) {
        if (!openTrack(chunk, end, readers[k], chunk)) return false;
        readers[k].track = uint8_t(k);
        // The first track's texts go straight into the song's bytes.
        readers[k].sink = ByteSink{k == 0 ? &out.bytes : &trackBytes[k], &bytesTotal};
    }
    // Every event takes at least two bytes (a delta and a status or data byte), and each track's
    // last event becomes its end mark, so the events of the whole file fit in size / 2 plus the
    // final end mark.
    out.events.reserve(size / 2 + 1);
    Event endMark{};
    if (!mergeTracks(readers, out, t, endMark)) return false;
    if (t.format == 1) t.trackCount = 1;
    out.events.push_back(endMark);
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
