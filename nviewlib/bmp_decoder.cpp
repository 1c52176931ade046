#include "nviewlib/bmp_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "nviewlib/picture_limits.h"

namespace nviewlib {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

// Rows are converted in chunks of about this many bytes: large reads for
// throughput, small enough to stay in cache while being converted.
constexpr size_t kChunkBytes = 1 << 20;

uint16_t U16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t *p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 0..255.
class Channel {
public:
    bool Set(uint32_t mask, int bits_per_pixel) {
        if (mask == 0) return false;
        if (bits_per_pixel < 32 && (mask >> bits_per_pixel) != 0) return false;
        shift_ = std::countr_zero(mask);
        const uint32_t value_mask = mask >> shift_;
        if ((value_mask & (value_mask + 1)) != 0) return false;  // holes in the mask
        mask_ = mask;
        bits_ = std::popcount(mask);
        if (bits_ < 8) {
            const uint32_t top = value_mask;
            for (uint32_t v = 0; v <= top; ++v) scale_[v] = static_cast<uint8_t>((v * 255 + top / 2) / top);
        }
        return true;
    }
    uint32_t mask() const { return mask_; }
    uint32_t Extract(uint32_t pixel) const {
        const uint32_t v = (pixel & mask_) >> shift_;
        return bits_ < 8 ? scale_[v] : v >> (bits_ - 8);
    }

private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
    uint8_t scale_[128] = {};
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0;  // always positive
    bool top_down = false;
    int bits = 0;
    int64_t pixel_offset = 0;
    uint32_t palette[256] = {};  // 0x00RRGGBB; unused entries stay black
    Channel red, green, blue;
};

// Reads and checks everything before the pixel rows.
bool ReadLayout(InputFile &file, Layout &layout) {
    uint8_t header[14 + 124 + 16];
    const size_t got = file.ReadAt(0, header, sizeof header);
    if (got < 14 + 4 || header[0] != 'B' || header[1] != 'M') return false;
    layout.pixel_offset = U32(header + 10);
    const uint32_t info_size = U32(header + 14);
    const uint8_t *info = header + 14;

    uint32_t compression = kBiRgb;
    uint32_t colours_used = 0;
    size_t palette_entry = 4;
    int64_t masks_end = 0;  // file offset after the header and any masks
    uint32_t masks[3] = {0, 0, 0};
    bool have_masks = false;
    if (info_size == 12) {
        if (got < 14 + 12) return false;
        layout.width = U16(info + 4);
        layout.height = U16(info + 6);
        if (U16(info + 8) != 1) return false;
        layout.bits = U16(info + 10);
        palette_entry = 3;
        masks_end = 14 + 12;
    } else if (info_size == 40 || info_size == 52 || info_size == 56 || info_size == 108 || info_size == 124) {
        if (got < 14 + info_size) return false;
        const int32_t width = static_cast<int32_t>(U32(info + 4));
        const int32_t height = static_cast<int32_t>(U32(info + 8));
        if (height == INT32_MIN) return false;
        layout.width = width;
        layout.height = height < 0 ? -static_cast<int64_t>(height) : height;
        layout.top_down = height < 0;
        if (U16(info + 12) != 1) return false;
        layout.bits = U16(info + 14);
        compression = U32(info + 16);
        colours_used = U32(info + 32);
        masks_end = 14 + info_size;
        if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
            have_masks = true;
            if (info_size == 40) {
                // The masks follow a 40-byte header (alpha too for type 6).
                const size_t extra = compression == kBiAlphaBitfields ? 16 : 12;
                if (got < 14 + 40 + extra) return false;
                masks_end += static_cast<int64_t>(extra);
            }
            for (int i = 0; i < 3; ++i) masks[i] = U32(info + 40 + 4 * i);
        }
    } else {
        return false;
    }

    if (!PictureSizeAllowed(layout.width, layout.height)) return false;
    if (layout.pixel_offset < masks_end) return false;
    switch (layout.bits) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != kBiRgb) return false;
        break;
    case 16:
    case 32:
        if (compression != kBiRgb && !have_masks) return false;
        break;
    default:
        return false;
    }

    if (layout.bits <= 8) {
        const uint32_t capacity = 1u << layout.bits;
        const uint32_t count = colours_used == 0 ? capacity : std::min(colours_used, capacity);
        uint8_t table[256 * 4];
        const size_t bytes = count * palette_entry;
        if (file.ReadAt(masks_end, table, bytes) != bytes) return false;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t *e = table + i * palette_entry;
            layout.palette[i] = (static_cast<uint32_t>(e[2]) << 16) | (static_cast<uint32_t>(e[1]) << 8) | e[0];
        }
    } else if (layout.bits == 16 || layout.bits == 32) {
        if (!have_masks) {
            if (layout.bits == 16) {
                masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
            } else {
                masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
            }
        }
        if (!layout.red.Set(masks[0], layout.bits) || !layout.green.Set(masks[1], layout.bits) ||
            !layout.blue.Set(masks[2], layout.bits))
            return false;
        if ((masks[0] & masks[1]) != 0 || (masks[0] & masks[2]) != 0 || (masks[1] & masks[2]) != 0)
            return false;
    }
    return true;
}

void ConvertIndexed(const Layout &layout, const uint8_t *in, uint32_t *out) {
    const int bits = layout.bits;
    const int per_byte = 8 / bits;
    const unsigned index_mask = (1u << bits) - 1;
    for (int64_t x = 0; x < layout.width; ++x) {
        const uint8_t byte = in[x / per_byte];
        const int shift = 8 - bits * (static_cast<int>(x % per_byte) + 1);
        out[x] = layout.palette[(byte >> shift) & index_mask];
    }
}

void Convert24(int64_t width, const uint8_t *in, uint32_t *out) {
    for (int64_t x = 0; x < width; ++x, in += 3)
        out[x] = (static_cast<uint32_t>(in[2]) << 16) | (static_cast<uint32_t>(in[1]) << 8) | in[0];
}

void ConvertFields(const Layout &layout, const uint8_t *in, uint32_t *out) {
    const int step = layout.bits / 8;
    for (int64_t x = 0; x < layout.width; ++x, in += step) {
        const uint32_t p = step == 2 ? U16(in) : U32(in);
        out[x] = (layout.red.Extract(p) << 16) | (layout.green.Extract(p) << 8) | layout.blue.Extract(p);
    }
}

void ConvertRow(const Layout &layout, const uint8_t *in, uint32_t *out) {
    switch (layout.bits) {
    case 24:
        Convert24(layout.width, in, out);
        return;
    case 32:
        // The common layout: B, G, R, unused. Same bytes as our word, top
        // byte cleared.
        if (layout.red.mask() == 0xFF0000 && layout.green.mask() == 0xFF00 && layout.blue.mask() == 0xFF) {
            std::memcpy(out, in, static_cast<size_t>(layout.width) * 4);
            for (int64_t x = 0; x < layout.width; ++x) out[x] &= 0x00FFFFFFu;
            return;
        }
        [[fallthrough]];
    case 16:
        ConvertFields(layout, in, out);
        return;
    default:
        ConvertIndexed(layout, in, out);
        return;
    }
}

}  // namespace

BitmapBlock DecodeBmp(InputFile &file) {
    auto layout = std::unique_ptr<Layout>(new (std::nothrow) Layout());
    if (!layout || !ReadLayout(file, *layout)) return nullptr;
    const int64_t width = layout->width, height = layout->height;
    const int64_t stride = (width * layout->bits + 31) / 32 * 4;
    const int64_t row_bytes = (width * layout->bits + 7) / 8;
    // The last row needs only its pixel bytes, not its padding.
    const int64_t needed = stride * (height - 1) + row_bytes;
    if (file.size() - layout->pixel_offset < needed) return nullptr;

    BitmapBlock bitmap = AllocateBitmap(width, height);
    if (!bitmap) return nullptr;
    const int64_t rows_per_chunk = std::max<int64_t>(1, static_cast<int64_t>(kChunkBytes) / stride);
    const size_t chunk_capacity = static_cast<size_t>(rows_per_chunk * stride);
    auto chunk = std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[chunk_capacity]);
    if (!chunk) return nullptr;

    for (int64_t first = 0; first < height; first += rows_per_chunk) {
        const int64_t rows = std::min(rows_per_chunk, height - first);
        const int64_t offset = layout->pixel_offset + first * stride;
        const size_t bytes = static_cast<size_t>(std::min(rows * stride, needed - first * stride));
        if (file.ReadAt(offset, chunk.get(), bytes) != bytes) return nullptr;
        for (int64_t i = 0; i < rows; ++i) {
            const int64_t file_row = first + i;
            const int64_t y = layout->top_down ? file_row : height - 1 - file_row;
            ConvertRow(*layout, chunk.get() + i * stride, RowOf(*bitmap, y));
        }
    }
    return bitmap;
}

}  // namespace nviewlib
