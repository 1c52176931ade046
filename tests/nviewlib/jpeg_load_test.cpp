// Decoding JPEG files that libjpeg itself wrote, judged against libjpeg's
// own decode of the same bytes and against the source pixels.
#include <gtest/gtest.h>

#include "tests/nviewlib/library_test.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/pixel_diff.h"

namespace nvtest {
namespace {

using testsupport::JpegColour;
using testsupport::JpegWriteOptions;
using testsupport::Picture;
using testsupport::Subsampling;

struct JpegCase {
    const char *name;
    int width;
    int height;
    int quality;
    Subsampling subsampling;
    bool progressive;
    JpegColour colour;
    double max_mean_vs_source;  // mean |diff| per channel against the source pixels
};

void PrintTo(const JpegCase &c, std::ostream *os) { *os << c.name; }

const JpegCase kJpegCases[] = {
    {"Baseline420Q90", 640, 480, 90, Subsampling::k420, false, JpegColour::kYCbCr, 3.0},
    {"Baseline444Q95OddSize", 333, 257, 95, Subsampling::k444, false, JpegColour::kYCbCr, 2.0},
    {"Baseline422Q85", 101, 77, 85, Subsampling::k422, false, JpegColour::kYCbCr, 4.0},
    {"OnePixel", 1, 1, 90, Subsampling::k420, false, JpegColour::kYCbCr, 4.0},
    {"PartialMcus", 17, 9, 90, Subsampling::k420, false, JpegColour::kYCbCr, 10.0},
    {"Progressive420", 320, 240, 90, Subsampling::k420, true, JpegColour::kYCbCr, 3.0},
    {"Progressive444", 129, 65, 92, Subsampling::k444, true, JpegColour::kYCbCr, 3.0},
    {"Greyscale", 200, 150, 90, Subsampling::k444, false, JpegColour::kGrey, 0.0},
    {"GreyscaleProgressive", 64, 48, 90, Subsampling::k444, true, JpegColour::kGrey, 0.0},
    {"PlainCmyk", 160, 120, 95, Subsampling::k444, false, JpegColour::kCmyk, 4.0},
    {"AdobeInvertedCmyk", 160, 120, 95, Subsampling::k444, false, JpegColour::kAdobeCmyk, 4.0},
};

class JpegDecode : public LibraryTest, public ::testing::WithParamInterface<JpegCase> {};

TEST_P(JpegDecode, MatchesLibjpegAndSource) {
    const JpegCase &c = GetParam();
    const Picture source = testsupport::MakePhotoLike(c.width, c.height, 7);
    JpegWriteOptions options;
    options.quality = c.quality;
    options.subsampling = c.subsampling;
    options.progressive = c.progressive;
    options.colour = c.colour;
    const std::vector<uint8_t> bytes = testsupport::EncodeJpeg(source, options);
    const auto decoded = Decode(Put("picture.jpg", bytes));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->width, c.width);
    ASSERT_EQ(decoded->height, c.height);

    if (c.colour == JpegColour::kYCbCr || c.colour == JpegColour::kGrey) {
        // Same library underneath: the referee's decode must agree to within
        // rounding of the colour conversion.
        const Picture referee = testsupport::DecodeJpeg(bytes);
        EXPECT_TRUE(SamePicture(referee, *decoded, 1));
    }
    if (c.colour == JpegColour::kGrey) {
        Picture grey = source;
        for (uint32_t &p : grey.pixels) {
            const uint32_t g = static_cast<uint32_t>(testsupport::GreyOf(p));
            p = testsupport::Rgb(g, g, g);
        }
        EXPECT_LT(testsupport::MeanAbsDiff(grey, *decoded), 3.0);
        for (uint32_t p : decoded->pixels) {
            ASSERT_EQ(testsupport::RedOf(p), testsupport::GreenOf(p));
            ASSERT_EQ(testsupport::GreenOf(p), testsupport::BlueOf(p));
        }
    } else {
        // A swapped channel or a wrong CMYK inversion is off by tens, not units.
        EXPECT_LT(testsupport::MeanAbsDiff(source, *decoded), c.max_mean_vs_source);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, JpegDecode, ::testing::ValuesIn(kJpegCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nvtest
