#include "nviewlib/png_decoder.h"

#include <memory>
#include <new>

#include <png.h>

#include "nviewlib/picture_limits.h"

namespace nviewlib {

namespace {

struct Decode {
    InputFile *file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    BitmapBlock bitmap;
};

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep data, size_t length) {
    auto *file = static_cast<InputFile *>(png_get_io_ptr(png));
    if (file->Read(data, length) != length) png_error(png, "short read");
}

// Rows arrive as B, G, R, A bytes, which is exactly the memory of a
// little-endian 0x00RRGGBB word once A is folded in over white.
void CompositeRow(uint32_t *row, size_t width) {
    for (size_t x = 0; x < width; ++x) {
        const uint32_t p = row[x];
        const uint32_t a = p >> 24;
        if (a == 255) {
            row[x] = p & 0x00FFFFFFu;
            continue;
        }
        const uint32_t white = 255 * (255 - a);
        const uint32_t r = (((p >> 16) & 0xFF) * a + white + 127) / 255;
        const uint32_t g = (((p >> 8) & 0xFF) * a + white + 127) / 255;
        const uint32_t b = ((p & 0xFF) * a + white + 127) / 255;
        row[x] = (r << 16) | (g << 8) | b;
    }
}

bool Run(Decode *d) {
    if (setjmp(png_jmpbuf(d->png))) return false;
    png_set_read_fn(d->png, d->file, ReadBytes);
    png_set_user_limits(d->png, static_cast<png_uint_32>(kMaxSide), static_cast<png_uint_32>(kMaxSide));
    png_read_info(d->png, d->info);

    const png_uint_32 width = png_get_image_width(d->png, d->info);
    const png_uint_32 height = png_get_image_height(d->png, d->info);
    if (!PictureSizeAllowed(width, height)) return false;
    const int colour = png_get_color_type(d->png, d->info);
    const int depth = png_get_bit_depth(d->png, d->info);

    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d->png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(d->png);
    const bool has_trns = png_get_valid(d->png, d->info, PNG_INFO_tRNS) != 0;
    if (has_trns) png_set_tRNS_to_alpha(d->png);
    if (depth == 16) png_set_scale_16(d->png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(d->png);
    png_set_bgr(d->png);
    if ((colour & PNG_COLOR_MASK_ALPHA) == 0 && !has_trns) png_set_filler(d->png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(d->png);
    png_read_update_info(d->png, d->info);
    if (png_get_rowbytes(d->png, d->info) != static_cast<size_t>(width) * 4) return false;

    d->bitmap = AllocateBitmap(width, height);
    if (!d->bitmap) return false;
    // Interlaced passes refine rows already written, so compositing waits
    // for the last pass there; otherwise each row is done while in cache.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            uint32_t *row = RowOf(*d->bitmap, y);
            png_read_row(d->png, reinterpret_cast<png_bytep>(row), nullptr);
            if (passes == 1) CompositeRow(row, width);
        }
    }
    if (passes > 1)
        for (png_uint_32 y = 0; y < height; ++y) CompositeRow(RowOf(*d->bitmap, y), width);
    return true;
}

}  // namespace

BitmapBlock DecodePng(InputFile &file) {
    auto d = std::unique_ptr<Decode>(new (std::nothrow) Decode());
    if (!d) return nullptr;
    d->file = &file;
    d->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (d->png == nullptr) return nullptr;
    d->info = png_create_info_struct(d->png);
    bool ok = false;
    if (d->info != nullptr) ok = Run(d.get());
    png_destroy_read_struct(&d->png, d->info != nullptr ? &d->info : nullptr, nullptr);
    if (!ok) return nullptr;
    return std::move(d->bitmap);
}

}  // namespace nviewlib
