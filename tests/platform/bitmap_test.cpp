#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/errors.h"
#include "test_files.h"

namespace {

using platform::BitmapPtr;

BitmapPtr MakeBitmap(int32_t w, int32_t h, uint32_t (*pixel)(int32_t x, int32_t y)) {
    BitmapPtr b(platform::AllocBitmap(w, h));
    if (!b) throw std::runtime_error("AllocBitmap failed");
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b->pixels[y * w + x] = pixel(x, y);
    return b;
}

uint32_t Zero(int32_t, int32_t) { return 0; }
uint32_t Numbered(int32_t x, int32_t y) { return static_cast<uint32_t>(y * 16 + x + 1); }

struct SizeCase {
    int64_t w, h;
    bool allowed;
};

TEST(Bitmap, SizeLimits) {
    const SizeCase cases[] = {
        {1, 1, true},          {0, 1, false},         {1, 0, false},         {-1, 5, false},
        {65535, 1, true},      {65536, 1, false},     {1, 65536, false},     {65535, 4096, true},
        {16384, 16384, true},  {16384, 16385, false}, {65535, 65535, false}, {INT64_MAX, INT64_MAX, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::BitmapSizeAllowed(c.w, c.h), c.allowed) << c.w << " x " << c.h;
}

TEST(Bitmap, AllocPutsAlignedPixelsAfterTheStruct) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 7}, {640, 480}}) {
        BitmapPtr b(platform::AllocBitmap(w, h));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->width, w);
        EXPECT_EQ(b->height, h);
        const auto base = reinterpret_cast<uintptr_t>(b.get());
        const auto pixels = reinterpret_cast<uintptr_t>(b->pixels);
        EXPECT_EQ(pixels % 16, 0u);
        EXPECT_GE(pixels, base + sizeof(NvBitmap));
        EXPECT_LT(pixels, base + sizeof(NvBitmap) + 16);
        // The whole pixel area belongs to the block (a sanitizer build checks it).
        std::memset(b->pixels, 0xAB, static_cast<size_t>(w) * h * sizeof(uint32_t));
    }
    EXPECT_EQ(platform::AllocBitmap(0, 10), nullptr);
    EXPECT_EQ(platform::AllocBitmap(65536, 1), nullptr);
    EXPECT_EQ(platform::AllocBitmap(-5, -5), nullptr);
}

struct BltCase {
    const char *name;
    int32_t dx, dy, w, h, sx, sy;
};

// Rows are named in test output by their name alone.
void PrintTo(const BltCase &c, std::ostream *os) { *os << c.name; }

// Source 4 x 3, destination 5 x 4.
const BltCase kBltCases[] = {
    {"Inside", 1, 1, 2, 2, 1, 0},
    {"WholeSource", 0, 0, 4, 3, 0, 0},
    {"NegativeDestination", -2, -1, 4, 3, 0, 0},
    {"PastRightAndBottom", 3, 2, 4, 3, 0, 0},
    {"SourcePartlyLeftAndAbove", 0, 0, 4, 3, -1, -2},
    {"SourcePartlyRightAndBelow", 0, 0, 4, 3, 2, 1},
    {"BothNegative", -1, 1, 4, 3, -2, -1},
    {"LargerThanBoth", -10, -10, 100, 100, -3, -3},
    {"ZeroWidth", 0, 0, 0, 3, 0, 0},
    {"NegativeHeight", 0, 0, 4, -3, 0, 0},
    {"EntirelyOutsideDestination", 5, 0, 4, 3, 0, 0},
    {"EntirelyOutsideSource", 0, 0, 4, 3, 4, 0},
    {"HugeSizeNoOverflow", 1, 1, INT32_MAX, INT32_MAX, 0, 0},
    {"HugePositionNoOverflow", INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0},
    {"MostNegativePosition", INT32_MIN, 0, INT32_MAX, 3, 0, 0},
    {"NegativeDestinationHugeWidth", -3, 0, INT32_MAX, 3, 0, 0},
    {"MostNegativeSource", 0, 0, INT32_MAX, 3, INT32_MIN, 0},
};

class BitBltClipping : public ::testing::TestWithParam<BltCase> {};

TEST_P(BitBltClipping, CopiesExactlyThePixelsInsideBoth) {
    const BltCase &c = GetParam();
    const BitmapPtr src = MakeBitmap(4, 3, Numbered);
    const BitmapPtr dst = MakeBitmap(5, 4, Zero);
    platform::BitBlt(*dst, c.dx, c.dy, c.w, c.h, *src, c.sx, c.sy);

    // Pixel by pixel: which source pixel, if any, lands on each destination pixel.
    for (int64_t y = 0; y < dst->height; ++y) {
        for (int64_t x = 0; x < dst->width; ++x) {
            const int64_t ox = x - c.dx, oy = y - c.dy;
            const int64_t fx = c.sx + ox, fy = c.sy + oy;
            const bool covered = ox >= 0 && ox < c.w && oy >= 0 && oy < c.h && fx >= 0 && fx < src->width &&
                                 fy >= 0 && fy < src->height;
            const uint32_t want = covered ? src->pixels[fy * src->width + fx] : 0;
            EXPECT_EQ(dst->pixels[y * dst->width + x], want) << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BitBltClipping, ::testing::ValuesIn(kBltCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(BitBlt, OverlappingCopyWithinOneBitmap) {
    for (auto [dx, dy] : {std::pair{1, 1}, {-1, -1}, {2, 0}, {0, -2}}) {
        const BitmapPtr b = MakeBitmap(6, 5, Numbered);
        const BitmapPtr original = MakeBitmap(6, 5, Numbered);
        platform::BitBlt(*b, dx, dy, 6, 5, *b, 0, 0);
        for (int32_t y = 0; y < 5; ++y) {
            for (int32_t x = 0; x < 6; ++x) {
                const int32_t fx = x - dx, fy = y - dy;
                const bool covered = fx >= 0 && fx < 6 && fy >= 0 && fy < 5;
                const uint32_t want = original->pixels[(covered ? fy * 6 + fx : y * 6 + x)];
                EXPECT_EQ(b->pixels[y * 6 + x], want) << dx << "," << dy << " at " << x << "," << y;
            }
        }
    }
}

TEST(Bmp24, FileSize) {
    struct {
        int32_t w, h;
        int64_t size;
    } const cases[] = {
        {1, 1, 58},   {2, 2, 70},  {3, 1, 66},  {4, 1, 66},  {5, 1, 70},          {1, 3, 66},
        {0, 1, -1},   {1, 0, -1},  {-1, 1, -1}, {65535, 65535, -1},
        {65535, 4096, 54 + 196608LL * 4096},
    };
    for (const auto &c : cases) EXPECT_EQ(platform::Bmp24FileSize(c.w, c.h), c.size) << c.w << " x " << c.h;
}

std::vector<uint8_t> Le32(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

std::vector<uint8_t> Headers(uint32_t fileSize, int32_t w, int32_t h, uint32_t imageSize) {
    std::vector<uint8_t> out = {'B', 'M'};
    auto add = [&out](const std::vector<uint8_t> &bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); };
    add(Le32(fileSize));
    add({0, 0, 0, 0});  // reserved
    add(Le32(54));
    add(Le32(40));
    add(Le32(static_cast<uint32_t>(w)));
    add(Le32(static_cast<uint32_t>(h)));
    add({1, 0, 24, 0});  // planes, bits per pixel
    add(Le32(0));        // uncompressed
    add(Le32(imageSize));
    for (int i = 0; i < 4; ++i) add(Le32(0));  // resolutions, colours
    return out;
}

TEST(Bmp24, OnePixelIs58Bytes) {
    const BitmapPtr b = MakeBitmap(1, 1, [](int32_t, int32_t) -> uint32_t { return 0x00112233; });
    std::vector<uint8_t> want = Headers(58, 1, 1, 4);
    want.insert(want.end(), {0x33, 0x22, 0x11, 0x00});  // B G R, padded to 4
    EXPECT_EQ(platform::EncodeBmp24(*b), want);
}

TEST(Bmp24, RowsBottomFirstAndPadded) {
    const BitmapPtr b = MakeBitmap(2, 2, [](int32_t x, int32_t y) -> uint32_t {
        const uint32_t rows[2][2] = {{0x010203, 0x040506}, {0x070809, 0x0A0B0C}};
        return rows[y][x];
    });
    std::vector<uint8_t> want = Headers(70, 2, 2, 16);
    want.insert(want.end(), {0x09, 0x08, 0x07, 0x0C, 0x0B, 0x0A, 0, 0,    // bottom row
                             0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0});  // top row
    EXPECT_EQ(platform::EncodeBmp24(*b), want);
}

TEST(Bmp24, SaveWritesTheEncodedBytes) {
    test_files::ScratchFolder folder;
    const std::string path = folder / "tmp.bmp";
    test_files::WriteBytes(path, std::string(1000, 'x'));
    const BitmapPtr b = MakeBitmap(3, 2, Numbered);
    platform::SaveBmp24ToFile(*b, path);
    const std::vector<uint8_t> encoded = platform::EncodeBmp24(*b);
    EXPECT_EQ(test_files::ReadBytes(path), std::string(encoded.begin(), encoded.end()));
}

TEST(Bmp24, SaveFailuresThrowFileCreateError) {
    test_files::ScratchFolder folder;
    const BitmapPtr b = MakeBitmap(100, 100, Numbered);
    const std::string missing = folder / "missing/tmp.bmp";
    try {
        platform::SaveBmp24ToFile(*b, missing);
        FAIL() << "no exception";
    } catch (const platform::FileCreateError &e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + missing + " を作成できません");
    }

    const std::string path = folder / "tmp.bmp";
    {
        test_files::FileSizeLimit limit(1000);
        EXPECT_THROW(platform::SaveBmp24ToFile(*b, path), platform::FileCreateError);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
