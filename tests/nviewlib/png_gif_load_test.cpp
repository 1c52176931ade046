// PNG files of every colour type and depth written by libpng, and GIF files
// written by giflib, with what a viewer shows for them over white.
#include <cmath>

#include <gtest/gtest.h>
#include <png.h>

#include "tests/nviewlib/library_test.h"
#include "tests/nviewlib/png_gif_files.h"
#include "tests/support/jpeg_codec.h"

namespace nvtest {
namespace {

using testsupport::Picture;

struct PngCase {
    const char *name;
    int colour_type;
    int depth;
    bool interlaced;
    bool transparency;  // tRNS for grey and palette types; ignored otherwise
    int tolerance;
};

void PrintTo(const PngCase &c, std::ostream *os) { *os << c.name; }

const PngCase kPngCases[] = {
    {"Rgb8", PNG_COLOR_TYPE_RGB, 8, false, false, 0},
    {"Rgb8Interlaced", PNG_COLOR_TYPE_RGB, 8, true, false, 0},
    {"Rgb16", PNG_COLOR_TYPE_RGB, 16, false, false, 1},
    {"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false, 1},
    {"Rgba8Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, 1},
    {"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false, 1},
    {"Grey1", PNG_COLOR_TYPE_GRAY, 1, false, false, 0},
    {"Grey2", PNG_COLOR_TYPE_GRAY, 2, false, false, 0},
    {"Grey4", PNG_COLOR_TYPE_GRAY, 4, false, false, 0},
    {"Grey8", PNG_COLOR_TYPE_GRAY, 8, false, false, 0},
    {"Grey16", PNG_COLOR_TYPE_GRAY, 16, false, false, 1},
    {"Grey8TransparentValue", PNG_COLOR_TYPE_GRAY, 8, false, true, 0},
    {"Grey2TransparentValue", PNG_COLOR_TYPE_GRAY, 2, false, true, 0},
    {"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false, 1},
    {"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false, 1},
    {"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false, false, 0},
    {"Palette4", PNG_COLOR_TYPE_PALETTE, 4, false, false, 0},
    {"Palette8WithTrns", PNG_COLOR_TYPE_PALETTE, 8, false, true, 1},
    {"Palette2InterlacedWithTrns", PNG_COLOR_TYPE_PALETTE, 2, true, true, 1},
};

// Over white, in exact arithmetic; c and a on a 0..255 scale.
double OverWhite(double c, double a) { return (c * a + 255.0 * (255.0 - a)) / 255.0; }

uint32_t ToPixel(double r, double g, double b) {
    auto q = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return testsupport::Rgb(q(r), q(g), q(b));
}

// The file of a case and the picture it must give.
std::pair<PngLayout, Picture> MakePngCase(const PngCase &c) {
    const int width = 23, height = 11;
    const Picture source = testsupport::MakePhotoLike(width, height, 11);
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colour_type = c.colour_type;
    layout.bit_depth = c.depth;
    layout.interlaced = c.interlaced;
    const int top = (1 << c.depth) - 1;
    // Samples of 16 bits get low-byte noise, so that keeping only the high
    // byte and rounding properly can both pass but garbage cannot.
    auto sample = [&](int v8, int x, int y) -> uint16_t {
        if (c.depth == 16) return static_cast<uint16_t>(std::min(65535, v8 * 257 + (x * 53 + y * 29) % 128));
        return static_cast<uint16_t>(std::lround(v8 * top / 255.0));
    };
    auto to8 = [&](uint16_t s) { return s * 255.0 / top; };
    if (c.colour_type == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i <= top; ++i) layout.palette.push_back(source.pixels[(i * 37) % source.pixels.size()]);
        if (c.transparency) layout.palette_alpha = {0, 128, 255, 40};
    }
    if (c.colour_type == PNG_COLOR_TYPE_GRAY && c.transparency) layout.trns_grey = top / 2;

    Picture expected;
    expected.width = width;
    expected.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = source.at(x, y);
            // Alpha sweeps the full range, 0 and 255 included.
            const int a8 = x == 0 ? 0 : (x == width - 1 ? 255 : (x * 255 / (width - 1) + y * 7) % 256);
            double r, g, b, a = 255.0;
            switch (c.colour_type) {
            case PNG_COLOR_TYPE_GRAY:
            case PNG_COLOR_TYPE_GRAY_ALPHA: {
                const uint16_t s = sample(testsupport::GreyOf(p), x, y);
                layout.samples.push_back(s);
                r = g = b = to8(s);
                if (c.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) {
                    const uint16_t sa = sample(a8, x, y);
                    layout.samples.push_back(sa);
                    a = to8(sa);
                } else if (layout.trns_grey == s) {
                    a = 0.0;
                }
                break;
            }
            case PNG_COLOR_TYPE_PALETTE: {
                const size_t index = static_cast<size_t>(x * 7 + y * 3) % layout.palette.size();
                layout.samples.push_back(static_cast<uint16_t>(index));
                const uint32_t e = layout.palette[index];
                r = testsupport::RedOf(e), g = testsupport::GreenOf(e), b = testsupport::BlueOf(e);
                if (index < layout.palette_alpha.size()) a = layout.palette_alpha[index];
                break;
            }
            default: {
                const uint16_t sr = sample(testsupport::RedOf(p), x, y), sg = sample(testsupport::GreenOf(p), x, y),
                               sb = sample(testsupport::BlueOf(p), x, y);
                layout.samples.insert(layout.samples.end(), {sr, sg, sb});
                r = to8(sr), g = to8(sg), b = to8(sb);
                if (c.colour_type == PNG_COLOR_TYPE_RGB_ALPHA) {
                    const uint16_t sa = sample(a8, x, y);
                    layout.samples.push_back(sa);
                    a = to8(sa);
                }
            }
            }
            expected.pixels.push_back(ToPixel(OverWhite(r, a), OverWhite(g, a), OverWhite(b, a)));
        }
    return {layout, expected};
}

class PngDecode : public LibraryTest, public ::testing::WithParamInterface<PngCase> {};

TEST_P(PngDecode, GivesPixelsOverWhite) {
    const auto [layout, expected] = MakePngCase(GetParam());
    const auto decoded = Decode(Put("picture.png", MakePng(layout)));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(SamePicture(expected, *decoded, GetParam().tolerance));
}

INSTANTIATE_TEST_SUITE_P(Types, PngDecode, ::testing::ValuesIn(kPngCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- GIF ---------------------------------------------------------------

const std::vector<uint32_t> kGlobal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0x123456, 0xABCDEF, 0x654321};
const std::vector<uint32_t> kLocal = {0x111111, 0x222222, 0x333333, 0x444444};

GifFrameSpec Frame(int left, int top, int width, int height, int colours, int seed) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) f.indices.push_back(static_cast<uint8_t>((x * 3 + y * 5 + seed + x * y) % colours));
    return f;
}

// The picture a frame paints on a white screen of the given size.
Picture Painted(int screen_width, int screen_height, const GifFrameSpec &f, const std::vector<uint32_t> &palette) {
    Picture pic = testsupport::MakeSolid(screen_width, screen_height, 0xFFFFFF);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int index = f.indices[static_cast<size_t>(y) * f.width + x];
            if (index != f.transparent) pic.at(f.left + x, f.top + y) = palette[index];
        }
    return pic;
}

struct GifCase {
    const char *name;
    int screen_width;
    int screen_height;
    std::vector<GifFrameSpec> frames;  // the first one is what must show
    int canvas_width;                  // what the library must return
    int canvas_height;
};

void PrintTo(const GifCase &c, std::ostream *os) { *os << c.name; }

std::vector<GifCase> GifCases() {
    GifFrameSpec transparent = Frame(0, 0, 21, 9, 8, 1);
    transparent.transparent = 5;
    GifFrameSpec interlaced = Frame(0, 0, 13, 19, 8, 2);
    interlaced.interlaced = true;
    GifFrameSpec local = Frame(0, 0, 10, 6, 4, 3);
    local.local_palette = kLocal;
    GifFrameSpec second = Frame(0, 0, 21, 9, 8, 4);
    second.local_palette = kLocal;
    for (uint8_t &i : second.indices) i &= 3;
    return {
        {"FullFrame", 21, 9, {Frame(0, 0, 21, 9, 8, 0)}, 21, 9},
        {"TransparentIndexShowsWhite", 21, 9, {transparent}, 21, 9},
        {"TwoFramesGiveTheFirst", 21, 9, {Frame(0, 0, 21, 9, 8, 0), second}, 21, 9},
        {"FrameInsideScreen", 20, 12, {Frame(3, 2, 9, 7, 8, 5)}, 20, 12},
        {"Interlaced", 13, 19, {interlaced}, 13, 19},
        {"LocalPalette", 10, 6, {local}, 10, 6},
        {"FrameLargerThanScreen", 4, 4, {Frame(1, 0, 6, 5, 8, 6)}, 7, 5},
    };
}

class GifDecode : public LibraryTest, public ::testing::WithParamInterface<GifCase> {};

TEST_P(GifDecode, GivesTheFirstFrameOverWhite) {
    const GifCase &c = GetParam();
    const GifFrameSpec &first = c.frames.front();
    const Picture expected = Painted(c.canvas_width, c.canvas_height, first,
                                     first.local_palette.empty() ? kGlobal : first.local_palette);
    const std::string path = Put("picture.gif", MakeGif(c.screen_width, c.screen_height, kGlobal, c.frames));
    const auto decoded = Decode(path);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(SamePicture(expected, *decoded));
    // Load_GIF decodes the same.
    Bitmap direct = lib.LoadGif(path);
    ASSERT_TRUE(direct);
    EXPECT_TRUE(SamePicture(expected, ToPicture(*direct)));
}

INSTANTIATE_TEST_SUITE_P(Files, GifDecode, ::testing::ValuesIn(GifCases()),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nvtest
