// Bitmap files of every depth and header, written byte by byte in
// bmp_bytes.cpp, and the ways a bitmap file can be wrong.
#include <functional>

#include <gtest/gtest.h>

#include "tests/nviewlib/bmp_bytes.h"
#include "tests/nviewlib/library_test.h"

namespace nvtest {
namespace {

using testsupport::Picture;

std::vector<uint32_t> MakePalette(size_t count, uint32_t seed) {
    std::vector<uint32_t> palette;
    uint32_t state = seed * 2654435761u + 12345;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        palette.push_back((state >> 8) & 0x00FFFFFFu);
    }
    // Distinct entries, so every colour maps back to one index.
    for (size_t i = 0; i < count; ++i) palette[i] = (palette[i] & 0x00FFFF00u) | static_cast<uint32_t>(i & 0xFF);
    return palette;
}

Picture MakeIndexedPicture(int width, int height, const std::vector<uint32_t> &palette) {
    Picture pic;
    pic.width = width;
    pic.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pic.pixels.push_back(palette[(x * 7 + y * 13 + x * y) % palette.size()]);
    return pic;
}

// A photograph-like picture with exact anchors in its corners: a channel
// scaled as v << 3 instead of to the full range shows at once on white.
Picture MakeTrueColourPicture(int width, int height) {
    Picture pic = testsupport::MakePhotoLike(width, height, 3);
    pic.at(0, 0) = 0xFFFFFF;
    pic.at(width - 1, 0) = 0x000000;
    pic.at(0, height - 1) = 0xFF0000;
    pic.at(width - 1, height - 1) = 0x0000FF;
    return pic;
}

struct BmpCase {
    const char *name;
    int width;
    int height;
    BmpLayout layout;
    int tolerance;  // per channel: what rounding to the field width costs
};

void PrintTo(const BmpCase &c, std::ostream *os) { *os << c.name; }

const BmpCase kBmpCases[] = {
    {"Bits1", 37, 11, {.bits = 1}, 0},
    {"Bits4", 35, 13, {.bits = 4}, 0},
    {"Bits4ShortTable", 35, 13, {.bits = 4, .colours_used = 5}, 0},
    {"Bits8", 61, 20, {.bits = 8}, 0},
    {"Bits8CoreHeader", 61, 20, {.bits = 8, .header = 12}, 0},
    {"Bits8TopDown", 61, 20, {.bits = 8, .top_down = true}, 0},
    {"Bits16Default555", 31, 7, {.bits = 16, .filler = 0xEE}, 5},
    {"Bits16Fields565", 31, 7, {.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}}, 5},
    {"Bits16Fields565TopDown", 30, 9, {.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}, .top_down = true}, 5},
    {"Bits16AlphaFields4444", 13, 6, {.bits = 16, .header = 56, .compression = 6, .masks = {0x0F00, 0x00F0, 0x000F, 0xF000}}, 9},
    {"Bits16AlphaFieldsAfter40", 13, 6, {.bits = 16, .compression = 6, .masks = {0x0F00, 0x00F0, 0x000F, 0xF000}}, 9},
    {"Bits24", 33, 17, {.bits = 24, .filler = 0x77}, 0},
    {"Bits24OnePixel", 1, 1, {.bits = 24}, 0},
    {"Bits24TopDown", 33, 17, {.bits = 24, .top_down = true}, 0},
    {"Bits24CoreHeader", 33, 17, {.bits = 24, .header = 12}, 0},
    {"Bits24V5Header", 33, 17, {.bits = 24, .header = 124}, 0},
    {"Bits32Plain", 19, 8, {.bits = 32, .filler = 0xAB}, 0},
    {"Bits32TopDown", 19, 8, {.bits = 32, .top_down = true, .filler = 0x01}, 0},
    {"Bits32FieldsV4WithAlpha", 19, 8, {.bits = 32, .header = 108, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}, 0},
    {"Bits32FieldsRedLow", 19, 8, {.bits = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000, 0}}, 0},
    {"Bits32Fields10Bit", 19, 8, {.bits = 32, .header = 52, .compression = 3, .masks = {0x3FF00000, 0xFFC00, 0x3FF, 0}}, 1},
};

class BmpDecode : public LibraryTest, public ::testing::WithParamInterface<BmpCase> {};

TEST_P(BmpDecode, GivesTheWrittenPixels) {
    const BmpCase &c = GetParam();
    Picture pic;
    std::vector<uint32_t> palette;
    if (c.layout.bits <= 8) {
        const size_t colours = c.layout.colours_used != 0 ? c.layout.colours_used : size_t{1} << c.layout.bits;
        palette = MakePalette(colours, static_cast<uint32_t>(c.layout.bits));
        pic = MakeIndexedPicture(c.width, c.height, palette);
    } else {
        pic = MakeTrueColourPicture(c.width, c.height);
    }
    const std::vector<uint8_t> bytes = MakeBmp(pic, c.layout, palette);
    const auto decoded = Decode(Put("picture.bmp", bytes));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(SamePicture(pic, *decoded, c.tolerance));
    if (c.layout.bits > 8 && c.width > 1 && c.height > 1) {
        EXPECT_EQ(decoded->at(0, 0), 0xFFFFFFu);
        EXPECT_EQ(decoded->at(c.width - 1, 0), 0x000000u);
        EXPECT_EQ(decoded->at(0, c.height - 1), 0xFF0000u);
        EXPECT_EQ(decoded->at(c.width - 1, c.height - 1), 0x0000FFu);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpDecode, ::testing::ValuesIn(kBmpCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The BMP of a package entry: 24 bits, a 1 x 1 rectangle is 58 bytes.
TEST_F(LibraryTest, SmallestPackageBmpIs58BytesAndDecodes) {
    Picture pic = testsupport::MakeSolid(1, 1, 0x123456);
    const std::vector<uint8_t> bytes = MakeBmp(pic, BmpLayout{});
    ASSERT_EQ(bytes.size(), 58u);
    const auto decoded = Decode(Put("tmp.bmp", bytes));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->at(0, 0), 0x123456u);
}

// Spoiled files: each starts from a valid one and breaks one thing.
struct BadBmpCase {
    const char *name;
    BmpLayout layout;
    int width;
    std::function<void(std::vector<uint8_t> &)> spoil;
    bool decodes;  // a few oddities are accepted on purpose
};

void PrintTo(const BadBmpCase &c, std::ostream *os) { *os << c.name; }

std::vector<BadBmpCase> BadBmpCases() {
    using B = std::vector<uint8_t>;
    const BmpLayout b24{};
    const BmpLayout b8{.bits = 8};
    const BmpLayout b16{.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}};
    const size_t masks_at = 54;  // bit-field masks after a 40-byte header
    return {
        {"Rle8", b8, 8, [](B &b) { PutU32(b, kBmpCompressionField, 1); }, false},
        {"Rle4", {.bits = 4}, 8, [](B &b) { PutU32(b, kBmpCompressionField, 2); }, false},
        {"EmbeddedJpeg", b24, 8, [](B &b) { PutU32(b, kBmpCompressionField, 4); }, false},
        {"EmbeddedPng", b24, 8, [](B &b) { PutU32(b, kBmpCompressionField, 5); }, false},
        {"UnknownCompression", b24, 8, [](B &b) { PutU32(b, kBmpCompressionField, 0x1234); }, false},
        {"BitfieldsAt24Bits", b24, 8, [](B &b) { PutU32(b, kBmpCompressionField, 3); }, false},
        {"Bits2", b8, 8, [](B &b) { PutU16(b, kBmpBitsField, 2); }, false},
        {"Bits0", b24, 8, [](B &b) { PutU16(b, kBmpBitsField, 0); }, false},
        {"Bits64", b24, 8, [](B &b) { PutU16(b, kBmpBitsField, 64); }, false},
        {"TwoPlanes", b24, 8, [](B &b) { PutU16(b, kBmpPlanesField, 2); }, false},
        {"Os2HeaderSize64", b24, 8, [](B &b) { PutU32(b, 14, 64); }, false},
        {"HeaderSize20", b24, 8, [](B &b) { PutU32(b, 14, 20); }, false},
        {"WidthZero", b24, 8, [](B &b) { PutU32(b, kBmpWidthField, 0); }, false},
        {"WidthNegative", b24, 8, [](B &b) { PutU32(b, kBmpWidthField, static_cast<uint32_t>(-8)); }, false},
        {"HeightZero", b24, 8, [](B &b) { PutU32(b, kBmpHeightField, 0); }, false},
        {"HeightMostNegative", b24, 8, [](B &b) { PutU32(b, kBmpHeightField, 0x80000000u); }, false},
        {"Width65536", b24, 8, [](B &b) { PutU32(b, kBmpWidthField, 65536); }, false},
        {"AboveTwoTo28Pixels", b24, 8, [](B &b) { PutU32(b, kBmpWidthField, 20000); PutU32(b, kBmpHeightField, 20000); }, false},
        {"HugeClaimSmallFile", b24, 8, [](B &b) { PutU32(b, kBmpWidthField, 16000); PutU32(b, kBmpHeightField, 16000); }, false},
        {"LastRowShortByOne", b24, 7, [](B &b) { b.resize(b.size() - 4); }, false},
        {"LastRowWithoutPadding", b24, 7, [](B &b) { b.resize(b.size() - 3); }, true},
        {"OffsetAtEndOfFile", b24, 8, [](B &b) { PutU32(b, kBmpPixelOffsetField, static_cast<uint32_t>(b.size())); }, false},
        {"OffsetInsideHeader", b24, 8, [](B &b) { PutU32(b, kBmpPixelOffsetField, 20); }, false},
        {"OffsetWrapsAround", b24, 8, [](B &b) { PutU32(b, kBmpPixelOffsetField, 0xFFFFFFF0u); }, false},
        {"OverlappingMasks", b16, 8, [=](B &b) { PutU32(b, masks_at + 4, 0x0FE0); }, false},
        {"MaskWithHole", b16, 8, [=](B &b) { PutU32(b, masks_at, 0xF0F0); }, false},
        {"MaskOutsidePixel", b16, 8, [=](B &b) { PutU32(b, masks_at, 0x1F0000); }, false},
        {"ZeroMask", b16, 8, [=](B &b) { PutU32(b, masks_at + 8, 0); }, false},
        {"PaletteCutOff", b8, 8, [](B &b) { b.resize(54 + 100); }, false},
        {"OnlyFileHeader", b24, 8, [](B &b) { b.resize(14); }, false},
        {"InfoHeaderCutOff", b24, 8, [](B &b) { b.resize(30); }, false},
        {"ColoursUsedHuge", b8, 8, [](B &b) { PutU32(b, kBmpColoursUsedField, 0xFFFFFFFFu); }, true},
        {"FileSizeFieldWrong", b24, 8, [](B &b) { PutU32(b, 2, 3); }, true},
    };
}

class BadBmp : public LibraryTest, public ::testing::WithParamInterface<BadBmpCase> {};

TEST_P(BadBmp, IsRefusedOrAcceptedAsDocumented) {
    const BadBmpCase &c = GetParam();
    std::vector<uint32_t> palette;
    Picture pic;
    if (c.layout.bits <= 8) {
        palette = MakePalette(size_t{1} << c.layout.bits, 1);
        pic = MakeIndexedPicture(c.width, 4, palette);
    } else {
        pic = MakeTrueColourPicture(c.width, 4);
    }
    std::vector<uint8_t> bytes = MakeBmp(pic, c.layout, palette);
    c.spoil(bytes);
    const auto decoded = Decode(Put("spoiled", bytes));
    if (!c.decodes) {
        EXPECT_FALSE(decoded.has_value());
        return;
    }
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(SamePicture(pic, *decoded));
}

INSTANTIATE_TEST_SUITE_P(Spoiled, BadBmp, ::testing::ValuesIn(BadBmpCases()),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nvtest
