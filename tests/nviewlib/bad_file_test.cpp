// Format by content, and what must come back as NULL: empty, cut short,
// malformed or oversized files of every format, and things that are not
// files at all. None of them may crash, hang or allocate without bound.
#include <functional>

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <png.h>

#include "tests/nviewlib/bmp_bytes.h"
#include "tests/nviewlib/library_test.h"
#include "tests/nviewlib/png_gif_files.h"
#include "tests/support/jpeg_codec.h"

namespace nvtest {
namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::Picture;

Picture Sample() { return testsupport::MakePhotoLike(48, 32, 21); }

Bytes SampleJpeg(bool progressive = false) {
    testsupport::JpegWriteOptions options;
    options.progressive = progressive;
    return testsupport::EncodeJpeg(Sample(), options);
}

Bytes SampleBmp() { return MakeBmp(Sample(), BmpLayout{}); }

Bytes SamplePng() {
    const Picture pic = Sample();
    PngLayout layout;
    layout.width = pic.width;
    layout.height = pic.height;
    layout.colour_type = PNG_COLOR_TYPE_RGB;
    for (uint32_t p : pic.pixels)
        layout.samples.insert(layout.samples.end(), {static_cast<uint16_t>(testsupport::RedOf(p)),
                                                 static_cast<uint16_t>(testsupport::GreenOf(p)),
                                                 static_cast<uint16_t>(testsupport::BlueOf(p))});
    return MakePng(layout);
}

const std::vector<uint32_t> kPalette = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00};

GifFrameSpec GifFrame(int width, int height) {
    GifFrameSpec f;
    f.width = width;
    f.height = height;
    for (int i = 0; i < width * height; ++i) f.indices.push_back(static_cast<uint8_t>(i % 4));
    return f;
}

// giflib will not write a frame without any colour map: drop the global one
// (flag in the screen descriptor's packed byte, table right after it).
Bytes WithoutGlobalColourMap(Bytes b) {
    const size_t table = size_t{3} << ((b.at(10) & 7) + 1);
    b.at(10) &= 0x7F;
    b.erase(b.begin() + 13, b.begin() + 13 + static_cast<ptrdiff_t>(table));
    return b;
}

Bytes SampleGif() { return MakeGif(48, 32, kPalette, {GifFrame(48, 32)}); }

// Offset of the n-th (0-based) or, for n < 0, the last marker of this code.
size_t FindMarker(const Bytes &b, uint8_t code, int n = 0) {
    size_t found = b.size();
    int seen = 0;
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == code) {
            found = i;
            if (n >= 0 && seen++ == n) return i;
        }
    if (n >= 0 || found == b.size()) throw std::logic_error("marker not found");
    return found;
}

void SetJpegSize(Bytes &b, uint16_t width, uint16_t height) {
    size_t sof = b.size();
    for (uint8_t code : {0xC0, 0xC2}) {
        try {
            sof = FindMarker(b, code);
            break;
        } catch (const std::logic_error &) {
        }
    }
    b.at(sof + 5) = static_cast<uint8_t>(height >> 8);
    b.at(sof + 6) = static_cast<uint8_t>(height);
    b.at(sof + 7) = static_cast<uint8_t>(width >> 8);
    b.at(sof + 8) = static_cast<uint8_t>(width);
}

uint32_t Crc32(const uint8_t *data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBigEndian32(Bytes &b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.at(at + k) = static_cast<uint8_t>(v >> (24 - 8 * k));
}

// Rewrites IHDR's size and its CRC, so only the claim changes.
void SetPngSize(Bytes &b, uint32_t width, uint32_t height) {
    PutBigEndian32(b, 16, width);
    PutBigEndian32(b, 20, height);
    PutBigEndian32(b, 29, Crc32(b.data() + 12, 17));
}

Bytes Cut(Bytes b, size_t keep) {
    b.resize(std::min(keep, b.size()));
    return b;
}

Bytes Garbage(size_t size, uint32_t seed, const Bytes &prefix = {}) {
    Bytes b = prefix;
    uint32_t s = seed;
    while (b.size() < size) {
        s = s * 1103515245u + 12345u;
        b.push_back(static_cast<uint8_t>(s >> 16));
    }
    return b;
}

struct BadFileCase {
    const char *name;
    std::function<Bytes()> make;
};

void PrintTo(const BadFileCase &c, std::ostream *os) { *os << c.name; }

std::vector<BadFileCase> BadFileCases() {
    return {
        {"Empty", [] { return Bytes{}; }},
        {"OneByte", [] { return Bytes{0xFF}; }},
        {"JpegMagicOnly", [] { return Bytes{0xFF, 0xD8, 0xFF}; }},
        {"BmPrefixOnly", [] { return Bytes{'B', 'M'}; }},
        {"Text", [] { return Bytes{'h', 'e', 'l', 'l', 'o', '\n'}; }},
        {"Garbage", [] { return Garbage(4096, 1); }},
        {"GarbageAfterJpegMagic", [] { return Garbage(4096, 2, {0xFF, 0xD8, 0xFF, 0xE0}); }},
        {"GarbageAfterPngSignature", [] { return Garbage(4096, 3, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}); }},
        {"GarbageAfterGifHeader", [] { return Garbage(4096, 4, {'G', 'I', 'F', '8', '9', 'a'}); }},
        {"GarbageAfterBm", [] { return Garbage(4096, 5, {'B', 'M'}); }},
        // JPEG cut short anywhere: in the headers, in the entropy data, just
        // before the end of the data.
        {"JpegCutInHeaders", [] { return Cut(SampleJpeg(), 100); }},
        {"JpegCutAtHalf", [] { const Bytes b = SampleJpeg(); return Cut(b, b.size() / 2); }},
        {"JpegCutNearEnd", [] { const Bytes b = SampleJpeg(); return Cut(b, b.size() - 40); }},
        {"JpegCutAtHalfWithEoi", [] { Bytes b = SampleJpeg(); b = Cut(b, b.size() / 2); b.push_back(0xFF); b.push_back(0xD9); return b; }},
        {"ProgressiveCutAtHalf", [] { const Bytes b = SampleJpeg(true); return Cut(b, b.size() / 2); }},
        {"ProgressiveCutBeforeLastScan", [] { const Bytes b = SampleJpeg(true); return Cut(b, FindMarker(b, 0xDA, -1)); }},
        {"ProgressiveMissingEoi", [] { const Bytes b = SampleJpeg(true); return Cut(b, b.size() - 2); }},
        {"JpegAboveTwoTo28Pixels", [] { Bytes b = SampleJpeg(); SetJpegSize(b, 65500, 65500); return b; }},
        {"JpegZeroHeight", [] { Bytes b = SampleJpeg(); SetJpegSize(b, 48, 0); return b; }},
        {"JpegHugeClaimSmallData", [] { Bytes b = SampleJpeg(); SetJpegSize(b, 16000, 16000); return b; }},
        {"ProgressiveHugeClaimSmallData", [] { Bytes b = SampleJpeg(true); SetJpegSize(b, 16000, 16000); return b; }},
        {"BmpCutAtHalf", [] { const Bytes b = SampleBmp(); return Cut(b, b.size() / 2); }},
        {"PngCutInHeader", [] { return Cut(SamplePng(), 20); }},
        {"PngCutAtHalf", [] { const Bytes b = SamplePng(); return Cut(b, b.size() / 2); }},
        {"PngBadHeaderCrc", [] { Bytes b = SamplePng(); b.at(29) ^= 0x55; return b; }},
        {"PngWidth70000", [] { Bytes b = SamplePng(); SetPngSize(b, 70000, 1); return b; }},
        {"PngAboveTwoTo28Pixels", [] { Bytes b = SamplePng(); SetPngSize(b, 20000, 20000); return b; }},
        {"PngHugeClaimSmallData", [] { Bytes b = SamplePng(); SetPngSize(b, 16000, 16000); return b; }},
        {"GifCutAtHalf", [] { const Bytes b = SampleGif(); return Cut(b, b.size() / 2); }},
        {"GifCutAfterScreen", [] { return Cut(SampleGif(), 13 + 12); }},
        {"GifWithoutFrames", [] { return MakeGif(8, 8, kPalette, {}); }},
        {"GifWithoutColourMap", [] { return WithoutGlobalColourMap(MakeGif(8, 8, kPalette, {GifFrame(8, 8)})); }},
        {"GifScreenAboveTwoTo28Pixels", [] { return MakeGif(65535, 65535, kPalette, {GifFrame(1, 1)}); }},
    };
}

class BadFile : public LibraryTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFile, GivesNull) {
    const std::string path = Put("bad.jpg", GetParam().make());
    EXPECT_FALSE(lib.Load(path, 0));
    EXPECT_FALSE(lib.Load(path, 1));
    EXPECT_FALSE(lib.LoadJpg(path));
    EXPECT_FALSE(lib.LoadGif(path));
}

INSTANTIATE_TEST_SUITE_P(Files, BadFile, ::testing::ValuesIn(BadFileCases()),
                         [](const auto &info) { return std::string(info.param.name); });

// Tolerated on purpose: every pixel is present.
TEST_F(LibraryTest, JpegWithoutEoiOrWithTrailingJunkStillDecodes) {
    const Bytes full = SampleJpeg();
    const Picture expected = testsupport::DecodeJpeg(full);
    Bytes junk = full;
    junk.insert(junk.end(), {0x00, 0x12, 0xFF, 0xFF, 0x34});
    for (const Bytes &bytes : {Cut(full, full.size() - 2), junk}) {
        const auto decoded = Decode(Put("picture.jpg", bytes));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_TRUE(SamePicture(expected, *decoded, 1));
    }
}

TEST_F(LibraryTest, NonFilesGiveNull) {
    EXPECT_FALSE(lib.raw().NViewLibLoad(nullptr, 0));
    EXPECT_FALSE(lib.raw().Load_JPG(nullptr));
    EXPECT_FALSE(lib.raw().Load_GIF(nullptr));
    EXPECT_FALSE(lib.Load(""));
    EXPECT_FALSE(lib.Load(dir.File("missing.jpg")));
    EXPECT_FALSE(lib.Load(dir.path()));
    // A FIFO without a writer: opening it the usual way would wait forever.
    const std::string fifo = dir.File("fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(lib.Load(fifo));
}

struct ContentCase {
    const char *name;
    const char *file_name;
    std::function<Bytes()> make;
    bool is_jpeg;
    bool is_gif;
};

void PrintTo(const ContentCase &c, std::ostream *os) { *os << c.name; }

const ContentCase kContentCases[] = {
    {"JpegNamedBmp", "tmp.bmp", [] { return SampleJpeg(); }, true, false},
    {"BmpWithoutExtension", "temp", SampleBmp, false, false},
    {"PngNamedJpg", "picture.jpg", SamplePng, false, false},
    {"GifNamedPng", "picture.png", SampleGif, false, true},
    {"JpegNamedGif", "picture.gif", [] { return SampleJpeg(true); }, true, false},
};

class ByContent : public LibraryTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(ByContent, FormatComesFromTheBytesNotTheName) {
    const ContentCase &c = GetParam();
    const std::string path = Put(c.file_name, c.make());
    const auto decoded = Decode(path);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 48);
    EXPECT_EQ(decoded->height, 32);
    // The single-format entry points take their own format only.
    EXPECT_EQ(static_cast<bool>(lib.LoadJpg(path)), c.is_jpeg);
    EXPECT_EQ(static_cast<bool>(lib.LoadGif(path)), c.is_gif);
}

INSTANTIATE_TEST_SUITE_P(Files, ByContent, ::testing::ValuesIn(kContentCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nvtest
