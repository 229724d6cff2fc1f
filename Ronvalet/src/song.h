#pragma once
// A loaded song: one flat, time-ordered list of events in milliseconds, ending with an end mark,
// plus the bytes of its meta-event texts and system-exclusive messages.
#include <cstdint>
#include <vector>

namespace ronvalet {

// Event kinds beyond the channel-message nibbles 0x80..0xE0.
constexpr uint16_t kKindSysex = 0xF0;
constexpr uint16_t kKindSysexEscape = 0xF7;
constexpr uint16_t kKindMeta = 0xFF;
constexpr uint16_t kKindEndMark = 0xFFFF;

// Meta types the library looks at.
constexpr uint16_t kMetaSequenceNumber = 0x00;
constexpr uint16_t kMetaEndOfTrack = 0x2F;
constexpr uint16_t kMetaTempo = 0x51;
constexpr uint16_t kMetaTimeSignature = 0x58;

// One timed event. `data` holds the packed short message, the tempo, the time signature, or
// (texts and system exclusive) the offset of the event's bytes in the song's `bytes`.
struct Event {
    uint32_t time;      // ticks while parsing, milliseconds from the song start once loaded
    uint32_t data;      // see above
    uint16_t kind;      // status high nibble, 0xF0/0xF7, 0xFF meta, 0xFFFF end mark
    uint16_t metaType;  // meta type byte of a meta event
    uint8_t length;     // low 8 bits of a system-exclusive data length
    uint8_t channel;    // 0..15 for channel messages
    uint8_t track;      // the track chunk the event came from
    uint8_t unused;
};
static_assert(sizeof(Event) == 16, "event records are 16 bytes");

inline bool isSysex(const Event& e) {
    return e.kind == kKindSysex || e.kind == kKindSysexEscape;
}
inline bool isTempo(const Event& e) {
    return e.kind == kKindMeta && e.metaType == kMetaTempo;
}

struct Song {
    std::vector<Event> events;  // always ends with exactly one end mark
    // Texts (zero-terminated) and system-exclusive messages. A system-exclusive message is
    // stored as a 32-bit length followed by its bytes (status byte first, ending in 0xF7);
    // the event's data is the offset of the bytes, just after the length.
    std::vector<uint8_t> bytes;

    const char* text(const Event& e) const {
        return reinterpret_cast<const char*>(bytes.data() + e.data);
    }
    const uint8_t* sysexBytes(const Event& e) const { return bytes.data() + e.data; }
    uint32_t sysexSize(const Event& e) const;  // status byte + data bytes
};

}  // namespace ronvalet
