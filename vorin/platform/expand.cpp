// The palette expansion of a frame: 8-bit indices through the colour table into 0xAARRGGBB
// pixels, once a frame before the frame goes to the screen. Where the processor has
// byte-permute instructions (AVX-512 VBMI) the table lives in vector registers and 64
// pixels go at a time; anywhere else a 256-entry table of whole pixels does it.
#include <cstddef>

#include "platform/platform.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZV_EXPAND_VBMI 1
#endif

namespace plat {

namespace {

uint32_t Pixel(const uint8_t* c) {
    return 0xff000000u | (uint32_t(c[2]) << 16) | (uint32_t(c[1]) << 8) | c[0];
}

#ifdef ZV_EXPAND_VBMI

bool HasByteGather() {
    static const bool yes = __builtin_cpu_supports("avx512f") &&
                            __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vbmi");
    return yes;
}

// Each colour channel is a 256-byte table in four registers; two two-register permutes look
// up the low and high halves of 64 indices and the index's top bit picks between them. The
// indices are put in an order first that makes the in-lane interleaving of blue, green, red
// and alpha come out as 64 pixels in screen order.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void ExpandByteGather(
    const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx, uint32_t* out) {
    alignas(64) uint8_t planes[3][256];
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) planes[c][i] = bgrx[i * 4 + c];
    __m512i table[3][4];
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 4; ++k) table[c][k] = _mm512_load_si512(planes[c] + 64 * k);
    // Lane L, group q, byte r takes pixel 16 q + 4 L + r.
    alignas(64) uint8_t order[64];
    for (int lane = 0; lane < 4; ++lane)
        for (int q = 0; q < 4; ++q)
            for (int r = 0; r < 4; ++r) order[16 * lane + 4 * q + r] = 16 * q + 4 * lane + r;
    const __m512i shuffle = _mm512_load_si512(order);
    const __m512i opaque = _mm512_set1_epi8(static_cast<char>(0xff));
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = pixels + static_cast<size_t>(y) * pitch;
        uint32_t* row = out + static_cast<size_t>(y) * width;
        int x = 0;
        for (; x + 64 <= width; x += 64) {
            // The zero-masking form: the plain one reads an undefined vector that GCC's
            // headers make look uninitialised.
            const __m512i idx =
                _mm512_maskz_permutexvar_epi8(~__mmask64{0}, shuffle, _mm512_loadu_si512(in + x));
            const __mmask64 high = _mm512_movepi8_mask(idx);
            __m512i ch[3];
            for (int c = 0; c < 3; ++c) {
                const __m512i lo = _mm512_permutex2var_epi8(table[c][0], idx, table[c][1]);
                const __m512i hi = _mm512_permutex2var_epi8(table[c][2], idx, table[c][3]);
                ch[c] = _mm512_mask_blend_epi8(high, lo, hi);
            }
            const __m512i bgLo = _mm512_unpacklo_epi8(ch[0], ch[1]);
            const __m512i bgHi = _mm512_unpackhi_epi8(ch[0], ch[1]);
            const __m512i raLo = _mm512_unpacklo_epi8(ch[2], opaque);
            const __m512i raHi = _mm512_unpackhi_epi8(ch[2], opaque);
            _mm512_storeu_si512(row + x, _mm512_unpacklo_epi16(bgLo, raLo));
            _mm512_storeu_si512(row + x + 16, _mm512_unpackhi_epi16(bgLo, raLo));
            _mm512_storeu_si512(row + x + 32, _mm512_unpacklo_epi16(bgHi, raHi));
            _mm512_storeu_si512(row + x + 48, _mm512_unpackhi_epi16(bgHi, raHi));
        }
        for (; x < width; ++x) row[x] = Pixel(bgrx + in[x] * 4);
    }
}

#endif

}  // namespace

void ExpandFramePlain(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                      uint32_t* out) {
    uint32_t lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = Pixel(bgrx + i * 4);
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = pixels + static_cast<size_t>(y) * pitch;
        uint32_t* row = out + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) row[x] = lut[in[x]];
    }
}

void ExpandFrame(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* bgrx,
                 uint32_t* out) {
#ifdef ZV_EXPAND_VBMI
    if (HasByteGather()) {
        ExpandByteGather(pixels, width, height, pitch, bgrx, out);
        return;
    }
#endif
    ExpandFramePlain(pixels, width, height, pitch, bgrx, out);
}

}  // namespace plat
