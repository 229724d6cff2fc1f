#pragma once
// The pixel kernels under the surface copies, shared with the scene's own passes that clip
// a whole layer at once: keyed copies of sixteen and eight pixels.
#include <cstdint>
#include <cstring>

// Sixteen pixels as one vector (GCC and Clang vector extensions; SSE2 or NEON code).
using TBytes16 = uint8_t __attribute__((vector_size(16)));

inline TBytes16 Load16(const uint8_t* p) {
    TBytes16 v;
    std::memcpy(&v, p, 16);
    return v;
}
inline void Store16(uint8_t* p, TBytes16 v) {
    std::memcpy(p, &v, 16);
}
inline TBytes16 Splat16(uint8_t v) {
    return TBytes16{} + v;
}

// The keyed rule: a byte of the source v replaces the destination's o unless it equals the
// key (keys holds it in every lane).
inline TBytes16 Keyed16(TBytes16 v, TBytes16 o, TBytes16 keys) {
    const TBytes16 keep = reinterpret_cast<TBytes16>(v == keys);  // 0xff where key
    return v ^ ((v ^ o) & keep);
}

// The same on eight pixels in a plain 64-bit word (keys8: the key in every byte). Bytes equal
// to the key become zero in x, and a byte's high bit, spread over the byte, marks where x is
// not zero.
inline uint64_t Keyed8(uint64_t v, uint64_t o, uint64_t keys8) {
    constexpr uint64_t Low7 = 0x7f7f7f7f7f7f7f7fULL, High = 0x8080808080808080ULL;
    const uint64_t x = v ^ keys8;
    const uint64_t take = (((((x & Low7) + Low7) | x) & High) >> 7) * 0xff;
    return (v & take) | (o & ~take);
}

// A keyed copy of one row of w pixels (any width).
inline void KeyedRow(uint8_t* out, const uint8_t* in, int32_t w, uint8_t key) {
    int32_t col = 0;
    if (w >= 16) {
        const TBytes16 keys = Splat16(key);
        for (; col + 16 <= w; col += 16)
            Store16(out + col, Keyed16(Load16(in + col), Load16(out + col), keys));
    }
    for (; col < w; ++col)
        if (in[col] != key) out[col] = in[col];
}
