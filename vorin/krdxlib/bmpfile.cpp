#include "krdxlib/bmpfile.h"

#include "krdxlib/atomicfile.h"

namespace {

// Header sizes this reader knows: the OS/2 core header, and the Windows information header
// with its later extensions (which only add fields after the first 40 bytes).
constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t KnownInfoSizes[] = {40, 52, 56, 64, 108, 124};

// Compression codes.
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;

// Limits that keep a hostile file from asking for absurd amounts of memory.
constexpr int64_t MaxDimension = 16384;
constexpr int64_t MaxPixels = int64_t{1} << 24;
constexpr size_t MaxFileSize = size_t{1} << 28;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

// Picture row (0 = top) of a file row, which counts from the bottom unless top-down.
int32_t PictureRow(const TBitmap& bmp, bool topDown, int64_t fileRow) {
    return topDown ? static_cast<int32_t>(fileRow) : static_cast<int32_t>(bmp.Height - 1 - fileRow);
}

bool DecodeUncompressed(const uint8_t* data, size_t size, bool topDown, TBitmap& bmp,
                        std::string& error) {
    const int64_t rowBits = int64_t{bmp.Width} * bmp.BitCount;
    const int64_t stride = (rowBits + 31) / 32 * 4;
    const int64_t rowBytes = (rowBits + 7) / 8;
    // The last row may omit its padding; every byte a pixel needs must be present.
    const int64_t needed = stride * (bmp.Height - 1) + rowBytes;
    if (static_cast<int64_t>(size) < needed)
        return Fail(error, "pixel data truncated (" + std::to_string(size) + " of " +
                               std::to_string(needed) + " bytes)");
    for (int64_t r = 0; r < bmp.Height; ++r) {
        const uint8_t* src = data + r * stride;
        uint8_t* dst = bmp.Indices.data() + static_cast<size_t>(PictureRow(bmp, topDown, r)) * bmp.Width;
        if (bmp.BitCount == 8) {
            for (int32_t x = 0; x < bmp.Width; ++x) dst[x] = src[x];
        } else {
            for (int32_t x = 0; x < bmp.Width; ++x) {
                const uint8_t b = src[x / 2];
                dst[x] = (x & 1) ? (b & 0x0f) : (b >> 4);
            }
        }
    }
    return true;
}

// Run-length data: runs of one value, absolute runs of literal values (padded to a 16-bit
// boundary), end of line, delta moves and end of bitmap. Skipped pixels stay 0.
bool DecodeRle(const uint8_t* data, size_t size, TBitmap& bmp, std::string& error) {
    const bool four = bmp.BitCount == 4;
    int64_t x = 0, y = 0;  // y counts file rows from the bottom
    size_t pos = 0;
    auto put = [&](uint8_t v) {
        bmp.Indices[static_cast<size_t>(PictureRow(bmp, false, y)) * bmp.Width + x] = v;
        ++x;
    };
    auto runFits = [&](int64_t count) {
        if (y >= bmp.Height) return Fail(error, "run-length data runs past the last row");
        if (x + count > bmp.Width)
            return Fail(error, "run-length run passes the end of row " + std::to_string(y));
        return true;
    };
    for (;;) {
        if (size - pos < 2) return Fail(error, "run-length data ends before the end-of-bitmap mark");
        const uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            if (!runFits(count)) return false;
            for (int32_t i = 0; i < count; ++i)
                put(four ? ((i & 1) ? (value & 0x0f) : (value >> 4)) : value);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                if (y > bmp.Height) return Fail(error, "run-length data runs past the last row");
                break;
            case 1:  // end of bitmap
                return true;
            case 2: {  // delta: right and up
                if (size - pos < 2) return Fail(error, "run-length delta truncated");
                x += data[pos];
                y += data[pos + 1];
                pos += 2;
                if (x > bmp.Width || y > bmp.Height)
                    return Fail(error, "run-length delta moves outside the picture");
                break;
            }
            default: {  // absolute run of `value` literal pixels
                const size_t bytes = four ? (value + 1u) / 2u : value;
                const size_t padded = bytes + (bytes & 1u);
                if (size - pos < bytes) return Fail(error, "run-length absolute run truncated");
                if (!runFits(value)) return false;
                for (int32_t i = 0; i < value; ++i) {
                    const uint8_t b = data[pos + (four ? i / 2 : i)];
                    put(four ? ((i & 1) ? (b & 0x0f) : (b >> 4)) : b);
                }
                // A missing final pad byte is harmless; the next read reports the end.
                pos += padded <= size - pos ? padded : bytes;
                break;
            }
        }
    }
}

}  // namespace

bool ParseBitmap(const uint8_t* data, size_t size, TBitmap& out, std::string& error) {
    out = TBitmap{};
    if (size < FileHeaderSize + 4) return Fail(error, "file too short for a bitmap header");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap (no BM signature)");
    const uint32_t pixelOffset = Get32(data + 10);
    const uint32_t headerSize = Get32(data + 14);

    bool core = false;
    if (headerSize == CoreHeaderSize) {
        core = true;
    } else {
        bool known = false;
        for (uint32_t s : KnownInfoSizes) known = known || s == headerSize;
        if (!known)
            return Fail(error, "unsupported bitmap header size " + std::to_string(headerSize));
    }
    if (size - FileHeaderSize < headerSize) return Fail(error, "bitmap header truncated");
    const uint8_t* h = data + FileHeaderSize;

    int64_t width, height;
    uint32_t planes, bits, compression = BiRgb, colorsUsed = 0;
    if (core) {
        width = Get16(h + 4);
        height = Get16(h + 6);
        planes = Get16(h + 8);
        bits = Get16(h + 10);
    } else {
        width = static_cast<int32_t>(Get32(h + 4));
        height = static_cast<int32_t>(Get32(h + 8));
        planes = Get16(h + 12);
        bits = Get16(h + 14);
        compression = Get32(h + 16);
        colorsUsed = Get32(h + 32);
    }
    if (planes != 1) return Fail(error, "bad plane count " + std::to_string(planes));
    if (bits != 4 && bits != 8)
        return Fail(error, "unsupported bit depth " + std::to_string(bits) + " (only 4 and 8)");
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0)
        return Fail(error, "bad size " + std::to_string(width) + "x" + std::to_string(height));
    if (width > MaxDimension || height > MaxDimension || width * height > MaxPixels)
        return Fail(error, "picture too large (" + std::to_string(width) + "x" +
                               std::to_string(height) + ")");
    if (compression != BiRgb && compression != BiRle8 && compression != BiRle4)
        return Fail(error, "unsupported compression " + std::to_string(compression));
    if ((compression == BiRle8 && bits != 8) || (compression == BiRle4 && bits != 4))
        return Fail(error, "compression does not match the bit depth");
    if (compression != BiRgb && topDown)
        return Fail(error, "a top-down bitmap cannot be run-length compressed");

    const uint32_t maxColors = 1u << bits;
    if (colorsUsed > 256)
        return Fail(error, "colour table too long (" + std::to_string(colorsUsed) + " entries)");
    const uint32_t colorCount = colorsUsed != 0 ? colorsUsed : maxColors;
    const uint32_t entrySize = core ? 3 : 4;
    const uint64_t tableStart = uint64_t{FileHeaderSize} + headerSize;
    const uint64_t tableEnd = tableStart + uint64_t{colorCount} * entrySize;
    if (tableEnd > size) return Fail(error, "colour table truncated");
    if (pixelOffset < tableEnd)
        return Fail(error, "pixel data offset " + std::to_string(pixelOffset) +
                               " lies inside the headers or colour table");
    if (pixelOffset > size) return Fail(error, "pixel data offset beyond the end of the file");

    out.Width = static_cast<int32_t>(width);
    out.Height = static_cast<int32_t>(height);
    out.BitCount = static_cast<int32_t>(bits);
    out.Colors.resize(colorCount);
    for (uint32_t i = 0; i < colorCount; ++i) {
        const uint8_t* e = data + tableStart + uint64_t{i} * entrySize;
        out.Colors[i] = {e[0], e[1], e[2], core ? uint8_t{0} : e[3]};
    }
    out.Indices.assign(static_cast<size_t>(width * height), 0);

    const uint8_t* pixels = data + pixelOffset;
    const size_t pixelBytes = size - pixelOffset;
    const bool ok = compression == BiRgb
                        ? DecodeUncompressed(pixels, pixelBytes, topDown, out, error)
                        : DecodeRle(pixels, pixelBytes, out, error);
    if (!ok) out = TBitmap{};
    return ok;
}

TBitmap LoadBitmapFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    TBitmap bmp;
    if (!ReadWholeFile(path, bytes, error, MaxFileSize) ||
        !ParseBitmap(bytes.data(), bytes.size(), bmp, error))
        throw EBitmapError(path + ": " + error);
    return bmp;
}
