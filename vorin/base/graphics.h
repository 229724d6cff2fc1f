#pragma once
// The graphics layer: 8-bit palettised surfaces in memory and the few drawing operations
// every screen uses. Pixel values are palette indices; nothing here knows about SDL.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Left, top, right, bottom; right and bottom exclusive.
struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Bounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {x, y, x + w, y + h};
}

// A colour entry: blue, green, red, reserved (always 0) - the palette format of the game.
struct TRGBQuad {
    uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
    bool operator==(const TRGBQuad&) const = default;
};
static_assert(sizeof(TRGBQuad) == 4, "colour tables are written to files as 4-byte entries");

using TPalette = std::array<TRGBQuad, 256>;

// An off-screen surface. Empty (no pixels) until SetSize gives it a size; every operation
// on an empty surface does nothing and reports failure or 0.
struct TSurface {
    int32_t W = 0, H = 0;
    uint8_t ColorKey = 0;
    bool Locked = false;
    std::vector<uint8_t> Pixels;  // row-major, pitch = W

    bool Empty() const { return W <= 0 || H <= 0; }
    uint8_t* Row(int32_t y) { return Pixels.data() + static_cast<size_t>(y) * W; }
    const uint8_t* Row(int32_t y) const { return Pixels.data() + static_cast<size_t>(y) * W; }
};

// What Lock hands out: the pixel pointer of the locked rectangle's top-left and the pitch.
struct TSurfaceDesc {
    uint8_t* Pixels = nullptr;
    int32_t Pitch = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

int32_t Width(const TSurface& s);
int32_t Height(const TSurface& s);

// Copies the source rectangle to (x, y), clipped to both surfaces; with transparent, pixels
// equal to the source's colour key are skipped. A rectangle with right < left or
// bottom < top asks for a mirrored copy.
void Draw(TSurface& dest, int32_t x, int32_t y, const TSurface& src, TRect srcRect,
          bool transparent);
void Fill(TSurface& s, uint8_t index);
void FillRect(TSurface& s, TRect r, uint8_t index);
// Reads one pixel; 0 outside the surface or when it cannot be locked.
uint8_t PixelAt(TSurface& s, int32_t x, int32_t y);
// A surface is locked at most once: a second Lock fails and leaves the first in place.
bool Lock(TSurface& s, const TRect* r, TSurfaceDesc* out);
void Unlock(TSurface& s);
// Recreates the surface at the size (width or height <= 0 only releases); colour key 0.
void SetSize(TSurface& s, int32_t width, int32_t height);
void SetColorKey(TSurface& s, uint8_t index);
