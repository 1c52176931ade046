#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/picture.h"

namespace nvtest {

// How MakeBmp lays out a bitmap file. Written field by field here, apart
// from any reader, so a reader fault cannot hide in a shared helper.
struct BmpLayout {
    int bits = 24;                      // 1, 4, 8, 16, 24 or 32
    int header = 40;                    // information header size: 12, 40, 52, 56, 108, 124
    uint32_t compression = 0;           // 0 BI_RGB, 3 BI_BITFIELDS, 6 BI_ALPHABITFIELDS
    uint32_t masks[4] = {0, 0, 0, 0};   // red, green, blue, alpha; for bit fields
    bool top_down = false;
    uint32_t colours_used = 0;          // written as biClrUsed; 0 = the full table
    uint8_t filler = 0;                 // unused byte of 32-bit BI_RGB pixels and row padding
};

// A complete file holding pic. For 1, 4 and 8 bits every pixel of pic must
// be one of palette's colours. 16 and 32-bit bit-field channels are rounded
// to their mask's width; alpha bits are set to a pattern a reader must
// ignore.
[[nodiscard]] std::vector<uint8_t> MakeBmp(const testsupport::Picture &pic, const BmpLayout &layout,
                                           const std::vector<uint32_t> &palette = {});

// Byte offsets of fields a test may want to spoil.
inline constexpr size_t kBmpPixelOffsetField = 10;
inline constexpr size_t kBmpWidthField = 18;
inline constexpr size_t kBmpHeightField = 22;
inline constexpr size_t kBmpPlanesField = 26;
inline constexpr size_t kBmpBitsField = 28;
inline constexpr size_t kBmpCompressionField = 30;
inline constexpr size_t kBmpColoursUsedField = 46;

void PutU16(std::vector<uint8_t> &bytes, size_t at, uint16_t value);
void PutU32(std::vector<uint8_t> &bytes, size_t at, uint32_t value);

}  // namespace nvtest
