#pragma once
// The pixel kernels under the surface copies, shared with the scene's own passes that clip
// a whole layer at once: keyed copies of sixteen and eight pixels.
#include <cstddef>
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

// A keyed copy of a w x h block. Rows go in whole vectors, the last one overlapping the one
// before when the width is not a multiple, so above seven columns no pixel is done alone.
// Each pixel's result depends only on its own source and old destination, so the overlap
// writes the same values twice; the last vector is read before the others are written, as
// a read of bytes just written in part cannot be forwarded and stalls. The scene draws
// hundreds of sprites and tiles a frame through here.
inline void KeyedBlock(uint8_t* out, ptrdiff_t outPitch, const uint8_t* in, ptrdiff_t inPitch,
                       int32_t w, int32_t h, uint8_t key) {
    if (w >= 16) {
        const TBytes16 keys = Splat16(key);
        const int32_t last = w - 16;
        for (; h > 0; --h, out += outPitch, in += inPitch) {
            const TBytes16 tail = Keyed16(Load16(in + last), Load16(out + last), keys);
            for (int32_t col = 0; col < last; col += 16)
                Store16(out + col, Keyed16(Load16(in + col), Load16(out + col), keys));
            Store16(out + last, tail);
        }
    } else if (w >= 8) {
        const uint64_t keys8 = 0x0101010101010101ULL * key;
        const int32_t last = w - 8;
        for (; h > 0; --h, out += outPitch, in += inPitch) {
            uint64_t v0, o0, v1, o1;
            std::memcpy(&v0, in, 8);
            std::memcpy(&o0, out, 8);
            std::memcpy(&v1, in + last, 8);
            std::memcpy(&o1, out + last, 8);
            v0 = Keyed8(v0, o0, keys8);
            v1 = Keyed8(v1, o1, keys8);
            std::memcpy(out, &v0, 8);
            std::memcpy(out + last, &v1, 8);
        }
    } else {
        for (; h > 0; --h, out += outPitch, in += inPitch)
            for (int32_t col = 0; col < w; ++col)
                if (in[col] != key) out[col] = in[col];
    }
}
