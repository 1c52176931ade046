#include "tests/nviewlib/bmp_bytes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

namespace nvtest {

using testsupport::BlueOf;
using testsupport::GreenOf;
using testsupport::Picture;
using testsupport::RedOf;

namespace {

void Append16(std::vector<uint8_t> &b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Append32(std::vector<uint8_t> &b, uint32_t v) {
    Append16(b, v & 0xFFFF);
    Append16(b, v >> 16);
}

uint32_t Field(int channel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t top = mask >> shift;
    const uint32_t v = static_cast<uint32_t>(std::lround(channel * static_cast<double>(top) / 255.0));
    return (v << shift) & mask;
}

}  // namespace

void PutU16(std::vector<uint8_t> &bytes, size_t at, uint16_t value) {
    bytes.at(at) = static_cast<uint8_t>(value);
    bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t> &bytes, size_t at, uint32_t value) {
    PutU16(bytes, at, static_cast<uint16_t>(value));
    PutU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

std::vector<uint8_t> MakeBmp(const Picture &pic, const BmpLayout &layout, const std::vector<uint32_t> &palette) {
    const bool core = layout.header == 12;
    const bool indexed = layout.bits <= 8;
    const bool fields = layout.compression == 3 || layout.compression == 6;
    uint32_t masks[4] = {layout.masks[0], layout.masks[1], layout.masks[2], layout.masks[3]};
    if (!fields && layout.bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;

    const size_t table_entries = indexed ? (layout.colours_used != 0 ? layout.colours_used : 1u << layout.bits) : 0;
    const size_t entry_size = core ? 3 : 4;
    size_t extra_masks = 0;
    if (layout.header == 40 && fields) extra_masks = layout.compression == 6 ? 16 : 12;
    const size_t offset = 14 + layout.header + extra_masks + table_entries * entry_size;
    const size_t stride = (static_cast<size_t>(pic.width) * layout.bits + 31) / 32 * 4;
    const size_t image_size = stride * pic.height;

    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Append32(b, static_cast<uint32_t>(offset + image_size));
    Append32(b, 0);
    Append32(b, static_cast<uint32_t>(offset));
    if (core) {
        Append32(b, 12);
        Append16(b, static_cast<uint32_t>(pic.width));
        Append16(b, static_cast<uint32_t>(pic.height));
        Append16(b, 1);
        Append16(b, static_cast<uint32_t>(layout.bits));
    } else {
        Append32(b, static_cast<uint32_t>(layout.header));
        Append32(b, static_cast<uint32_t>(pic.width));
        Append32(b, static_cast<uint32_t>(layout.top_down ? -pic.height : pic.height));
        Append16(b, 1);
        Append16(b, static_cast<uint32_t>(layout.bits));
        Append32(b, layout.compression);
        Append32(b, static_cast<uint32_t>(image_size));
        Append32(b, 2835);
        Append32(b, 2835);
        Append32(b, layout.colours_used);
        Append32(b, 0);
        if (layout.header >= 52 || extra_masks > 0)
            for (int i = 0; i < 3; ++i) Append32(b, masks[i]);
        if (layout.header >= 56 || extra_masks == 16) Append32(b, masks[3]);
        while (b.size() < 14 + static_cast<size_t>(layout.header) + extra_masks) b.push_back(0);
    }
    for (size_t i = 0; i < table_entries; ++i) {
        const uint32_t c = i < palette.size() ? palette[i] : 0;
        b.push_back(static_cast<uint8_t>(BlueOf(c)));
        b.push_back(static_cast<uint8_t>(GreenOf(c)));
        b.push_back(static_cast<uint8_t>(RedOf(c)));
        if (!core) b.push_back(0);
    }
    if (b.size() != offset) throw std::logic_error("MakeBmp: header size mismatch");

    std::vector<uint8_t> row(stride);
    for (int i = 0; i < pic.height; ++i) {
        const int y = layout.top_down ? i : pic.height - 1 - i;
        std::fill(row.begin(), row.end(), layout.filler);
        if (indexed) std::fill(row.begin(), row.begin() + (pic.width * layout.bits + 7) / 8, 0);
        for (int x = 0; x < pic.width; ++x) {
            const uint32_t p = pic.at(x, y);
            switch (layout.bits) {
            case 24:
                row[3 * x] = static_cast<uint8_t>(BlueOf(p));
                row[3 * x + 1] = static_cast<uint8_t>(GreenOf(p));
                row[3 * x + 2] = static_cast<uint8_t>(RedOf(p));
                break;
            case 32:
                if (!fields) {
                    row[4 * x] = static_cast<uint8_t>(BlueOf(p));
                    row[4 * x + 1] = static_cast<uint8_t>(GreenOf(p));
                    row[4 * x + 2] = static_cast<uint8_t>(RedOf(p));
                    row[4 * x + 3] = layout.filler;
                    break;
                }
                [[fallthrough]];
            case 16: {
                uint32_t v = Field(RedOf(p), masks[0]) | Field(GreenOf(p), masks[1]) | Field(BlueOf(p), masks[2]);
                v |= masks[3] & (0xA5A5A5A5u ^ static_cast<uint32_t>(x));
                for (int k = 0; k < layout.bits / 8; ++k) row[x * layout.bits / 8 + k] = static_cast<uint8_t>(v >> (8 * k));
                break;
            }
            default: {
                const auto it = std::find(palette.begin(), palette.end(), p);
                if (it == palette.end()) throw std::logic_error("MakeBmp: colour not in palette");
                const unsigned index = static_cast<unsigned>(it - palette.begin());
                const int per_byte = 8 / layout.bits;
                const int shift = 8 - layout.bits * (x % per_byte + 1);
                row[x / per_byte] = static_cast<uint8_t>(row[x / per_byte] | (index << shift));
            }
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

}  // namespace nvtest
