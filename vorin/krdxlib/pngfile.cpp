#include "krdxlib/pngfile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include "krdxlib/atomicfile.h"

namespace {

constexpr int32_t MaxSide = 1 << 14;  // far beyond any picture the game makes or reads

// libpng reports errors through longjmp; the message is kept here for the caller.
void OnPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error) *error = message;
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}
void NoFlush(png_structp) {}

// One encoding: the header, the palette if any, then the rows, all into memory; the file is
// replaced only when the whole picture is there.
bool Encode(const std::string& path, int32_t width, int32_t height, int colourType,
            const std::vector<png_color>& palette, const std::vector<png_bytep>& rows,
            std::string& error) {
    std::vector<uint8_t> bytes;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (!png) {
        error = "libpng cannot start";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error.empty()) error = "PNG encoding failed";
        return false;
    }
    png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::string why;
    if (!WriteFileAtomic(path, bytes.data(), bytes.size(), why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

bool SizeOk(int32_t width, int32_t height, std::string& error) {
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide) {
        error = "bad picture size " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    return true;
}

}  // namespace

bool WritePng(const std::string& path, int32_t width, int32_t height, PngLayout layout,
              const uint8_t* pixels, std::string& error) {
    error.clear();
    if (!SizeOk(width, height, error)) return false;
    const size_t bpp = layout == PngLayout::Rgb ? 3 : 4;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        rows[y] = const_cast<png_bytep>(pixels + static_cast<size_t>(y) * width * bpp);
    return Encode(path, width, height,
                  layout == PngLayout::Rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, {},
                  rows, error);
}

bool WritePng8(const std::string& path, int32_t width, int32_t height, const TPalette& colours,
               const uint8_t* indices, int32_t scale, std::string& error) {
    error.clear();
    if (scale < 1 || !SizeOk(width, height, error) ||
        !SizeOk(width * scale, height * scale, error)) {
        if (error.empty()) error = "bad scale";
        return false;
    }
    std::vector<png_color> palette(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        palette[i] = {colours[i].Red, colours[i].Green, colours[i].Blue};
    const size_t outW = static_cast<size_t>(width) * scale;
    std::vector<uint8_t> scaled(outW * height * scale);
    for (int32_t y = 0; y < height * scale; ++y) {
        const uint8_t* in = indices + static_cast<size_t>(y / scale) * width;
        uint8_t* out = scaled.data() + static_cast<size_t>(y) * outW;
        for (size_t x = 0; x < outW; ++x) out[x] = in[x / scale];
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height) * scale);
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = scaled.data() + y * outW;
    return Encode(path, width * scale, height * scale, PNG_COLOR_TYPE_PALETTE, palette, rows,
                  error);
}

bool ReadPng(const std::string& path, TPngImage& out, std::string& error) {
    error.clear();
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadWholeFile(path, bytes, why, size_t{64} << 20)) {
        error = path + ": " + why;
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        error = path + ": " + image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    if (static_cast<int64_t>(image.width) > MaxSide ||
        static_cast<int64_t>(image.height) > MaxSide) {
        png_image_free(&image);
        error = path + ": picture too large";
        return false;
    }
    out.Width = static_cast<int32_t>(image.width);
    out.Height = static_cast<int32_t>(image.height);
    out.Rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, out.Rgba.data(), 0, nullptr)) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}
