#include "tests/nviewlib/png_gif_files.h"

#include <csetjmp>
#include <stdexcept>

#include <gif_lib.h>
#include <png.h>

namespace nvtest {

namespace {

void AppendPng(png_structp png, png_bytep data, size_t length) {
    auto *out = static_cast<std::vector<uint8_t> *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

int Channels(int colour_type) {
    switch (colour_type) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    default:
        return 4;
    }
}

// One row in PNG's packed, big-endian layout.
std::vector<uint8_t> PackRow(const PngLayout &layout, int y) {
    const int channels = Channels(layout.colour_type);
    const size_t per_row = static_cast<size_t>(layout.width) * channels;
    std::vector<uint8_t> row((per_row * layout.bit_depth + 7) / 8, 0);
    for (size_t i = 0; i < per_row; ++i) {
        const uint16_t v = layout.samples[static_cast<size_t>(y) * per_row + i];
        if (layout.bit_depth == 16) {
            row[2 * i] = static_cast<uint8_t>(v >> 8);
            row[2 * i + 1] = static_cast<uint8_t>(v);
        } else if (layout.bit_depth == 8) {
            row[i] = static_cast<uint8_t>(v);
        } else {
            const size_t bit = i * layout.bit_depth;
            row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (v << (8 - layout.bit_depth - bit % 8)));
        }
    }
    return row;
}

int AppendGif(GifFileType *gif, const GifByteType *data, int length) {
    auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

ColorMapObject *MakeMap(const std::vector<uint32_t> &palette) {
    if (palette.empty()) return nullptr;
    int size = 2;
    while (size < static_cast<int>(palette.size())) size *= 2;
    std::vector<GifColorType> colours(size, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i)
        colours[i] = GifColorType{static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
                                  static_cast<GifByteType>(palette[i])};
    return GifMakeMapObject(size, colours.data());
}

}  // namespace

std::vector<uint8_t> MakePng(const PngLayout &layout) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the test file");
    }
    png_set_write_fn(png, &out, AppendPng, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width), static_cast<png_uint_32>(layout.height),
                 layout.bit_depth, layout.colour_type, layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : layout.palette)
        palette.push_back(png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!layout.palette_alpha.empty())
        png_set_tRNS(png, info, layout.palette_alpha.data(), static_cast<int>(layout.palette_alpha.size()), nullptr);
    if (layout.trns_grey >= 0) {
        png_color_16 grey{};
        grey.gray = static_cast<png_uint_16>(layout.trns_grey);
        png_set_tRNS(png, info, nullptr, 0, &grey);
    }
    png_write_info(png, info);
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < layout.height; ++y) rows.push_back(PackRow(layout, y));
    for (auto &r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> MakeGif(int screen_width, int screen_height, const std::vector<uint32_t> &global_palette,
                             const std::vector<GifFrameSpec> &frames) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, AppendGif, &error);
    if (gif == nullptr) throw std::runtime_error("giflib could not start the test file");
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = MakeMap(global_palette);
    bool ok = EGifPutScreenDesc(gif, screen_width, screen_height, 8, 0, global) == GIF_OK;
    GifFreeMapObject(global);
    for (const GifFrameSpec &f : frames) {
        if (!ok) break;
        if (f.transparent >= 0) {
            GraphicsControlBlock gcb{};
            gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
            gcb.TransparentColor = f.transparent;
            GifByteType ext[4];
            const size_t length = EGifGCBToExtension(&gcb, ext);
            ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext) == GIF_OK;
        }
        ColorMapObject *local = MakeMap(f.local_palette);
        ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        // giflib writes lines in the order given: an interlaced frame wants
        // them in pass order.
        std::vector<int> order;
        if (f.interlaced) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.height; y += step[pass]) order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y) order.push_back(y);
        }
        for (int y : order) {
            if (!ok) break;
            std::vector<GifPixelType> line(f.indices.begin() + static_cast<ptrdiff_t>(y) * f.width,
                                           f.indices.begin() + static_cast<ptrdiff_t>(y + 1) * f.width);
            ok = EGifPutLine(gif, line.data(), f.width) == GIF_OK;
        }
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (!ok) throw std::runtime_error("giflib could not write the test file");
    return out;
}

}  // namespace nvtest
