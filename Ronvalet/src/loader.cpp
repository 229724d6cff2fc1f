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

// Packs a channel message the way the output takes it: status, data 1 << 8, data 2 << 16.
uint32_t packChannel(uint8_t kind, uint8_t channel, uint8_t d1, uint8_t d2) {
    uint32_t data = kind + channel + uint32_t(d1) * 256;
    if (dataBytes(kind) == 2) data += uint32_t(d2) * 65536;
    return data;
}

// Reads one track chunk event by event. `head` is the next event (time in ticks); once it is
// the track's last event (its end of track, or the event that reaches the chunk end) it has
// become the end mark.
class TrackReader {
  public:
    // Checks the chunk at `chunk`; `next` receives the start of the following chunk.
    bool open(const uint8_t* chunk, const uint8_t* fileEnd, uint8_t track, const uint8_t*& next) {
        if (size_t(fileEnd - chunk) < kChunkPrefix) return false;
        uint32_t length = be32(chunk + 4);
        const uint8_t* body = chunk + kChunkPrefix;
        if (length > size_t(fileEnd - body)) return false;  // shorter than the chunk says
        c_ = Cursor{body, body + length};
        next = c_.end;
        track_ = track;
        return c_.p < c_.end;  // a track without events is rejected
    }

    // Reads the next event into `head`; false when the chunk is malformed.
    bool advance(Song& song) {
        uint32_t delta;
        uint8_t status;
        if (!c_.vlq(delta) || !c_.byte(status)) return false;
        tick_ += delta;
        Event e{};
        e.time = tick_;
        e.track = track_;
        bool endOfTrack = false;
        if (status < 0xF0) {
            uint8_t d[2] = {0, 0};
            int have = 0;
            if (status < 0x80) {
                if (running_ == 0) return false;  // running status before any status byte
                d[have++] = status;
                status = running_;
            }
            uint8_t kind = status & 0xF0;
            for (int need = dataBytes(kind); have < need; ++have) {
                if (!c_.byte(d[have])) return false;
            }
            e.kind = kind;
            e.channel = status & 0x0F;
            e.data = packChannel(kind, e.channel, d[0], d[1]);  // packed as soon as read
            running_ = status;
        } else if (status == 0xFF) {
            if (!parseMeta(c_, song, e, endOfTrack)) return false;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!parseSysex(c_, song, e, status)) return false;
        } else {
            return false;  // 0xF1..0xFE have no place in a file
        }
        if (endOfTrack || c_.p >= c_.end) e.kind = kKindEndMark;
        head = e;
        return true;
    }

    bool atEnd() const { return head.kind == kKindEndMark; }

    Event head{};

  private:
    Cursor c_{nullptr, nullptr};
    uint8_t running_ = 0;  // none yet
    uint32_t tick_ = 0;
    uint8_t track_ = 0;
};

// Merges the tracks into `out`: at each step the earliest next event of all tracks, the lowest
// track first on equal times, until every track is at its end mark; then the end mark of the
// track that gave the last event. Tracks are read as they are merged, through a winner tree
// over their next events, so no event is copied twice.
bool mergeTracks(std::vector<TrackReader>& tracks, Song& song, std::vector<Event>& out) {
    constexpr uint64_t kDone = ~uint64_t(0);  // key of a track at its end mark
    size_t leaves = 1;
    while (leaves < tracks.size()) leaves *= 2;
    std::vector<uint64_t> key(leaves, kDone);
    std::vector<uint8_t> winner(leaves, 0);  // winner[n]: the track winning tree node n
    auto keyOf = [&](size_t t) {
        return tracks[t].atEnd() ? kDone : uint64_t(tracks[t].head.time) << 8 | t;
    };
    auto winnerOf = [&](size_t node) { return node >= leaves ? node - leaves : winner[node]; };
    auto pick = [&](size_t node) {
        size_t l = winnerOf(2 * node), r = winnerOf(2 * node + 1);
        // Without a branch: the order of tracks' events is unpredictable.
        size_t leftWins = size_t(0) - size_t(key[l] <= key[r]);
        winner[node] = uint8_t(r ^ ((l ^ r) & leftWins));
    };
    for (size_t t = 0; t < tracks.size(); ++t) key[t] = keyOf(t);
    for (size_t node = leaves - 1; node >= 1; --node) pick(node);

    size_t last = 0;
    for (;;) {
        size_t t = leaves == 1 ? 0 : winner[1];
        if (key[t] == kDone) break;
        out.push_back(tracks[t].head);
        last = t;
        if (!tracks[t].advance(song)) return false;
        key[t] = keyOf(t);
        for (size_t node = (leaves + t) / 2; node >= 1; node /= 2) pick(node);
    }
    out.push_back(tracks[last].head);
    return true;
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
    // Format 0 reads one track whatever the header's count; format 1 all of them, each chunk
    // starting where the previous one ended.
    size_t count = t.format == 0 ? 1 : t.trackCount;
    if (count == 0) return false;
    std::vector<TrackReader> tracks(count);
    for (size_t i = 0; i < count; ++i) {
        if (!tracks[i].open(chunk, end, uint8_t(i), chunk)) return false;
    }
    for (TrackReader& track : tracks) {
        if (!track.advance(out)) return false;
    }
    out.events.reserve(size / 3 + 1);
    if (!mergeTracks(tracks, out, out.events)) return false;
    if (t.format == 1) t.trackCount = 1;
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
