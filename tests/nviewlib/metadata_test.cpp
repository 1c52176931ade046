// What a flag-1 load remembers (ICC profile, EXIF) and when a save writes it
// back, step by step as the programs call the library.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/nviewlib/bmp_bytes.h"
#include "tests/nviewlib/library_test.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"

namespace nvtest {
namespace {

using Bytes = std::vector<uint8_t>;

// Larger than one APP2 segment holds, so it travels in several chunks.
Bytes MakeIcc() {
    Bytes icc(100000);
    for (size_t i = 0; i < icc.size(); ++i) icc[i] = static_cast<uint8_t>((i * 131) ^ (i >> 9));
    return icc;
}

// A minimal little-endian TIFF block with one tag: orientation 6 ("rotate
// 90 degrees to show"), which the library must not apply.
Bytes MakeExif() {
    return Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,       // header, IFD at 8
                 1, 0,                                                        // one entry
                 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0,                     // orientation = 6
                 0, 0, 0, 0};                                                 // no next IFD
}

const Bytes *FindExif(const testsupport::JpegInfo &info) {
    for (const auto &m : info.app_markers)
        if (m.code == 0xE1 && m.data.size() >= 6 && std::equal(m.data.begin(), m.data.begin() + 6, "Exif\0\0"))
            return &m.data;
    return nullptr;
}

struct Step {
    char op;           // 'L' load, 'S' save
    const char *file;  // in the scratch folder
    int flag;          // for loads
    bool succeeds;
};

struct MetadataCase {
    const char *name;
    std::vector<Step> steps;  // the last one is a save whose file is examined
    bool carries_metadata;
    int saved_width;  // which picture it holds
};

void PrintTo(const MetadataCase &c, std::ostream *os) { *os << c.name; }

// target.jpg: 64 x 40 with profile and EXIF; work.bmp: 48 x 30; plain.jpg:
// 32 x 20 without either; bad.jpg: does not decode.
const MetadataCase kMetadataCases[] = {
    {"Flag1ThenSaveToSamePath", {{'L', "target.jpg", 1, true}, {'S', "target.jpg", 0, true}}, true, 64},
    {"ApplierSequence",
     {{'L', "target.jpg", 1, true}, {'L', "work.bmp", 0, true}, {'L', "work.bmp", 0, true}, {'S', "target.jpg", 0, true}},
     true, 48},
    {"SameFilePatchedTwice",
     {{'L', "target.jpg", 1, true}, {'L', "work.bmp", 0, true}, {'S', "target.jpg", 0, true},
      {'L', "target.jpg", 1, true}, {'L', "work.bmp", 0, true}, {'S', "target.jpg", 0, true}},
     true, 48},
    {"Flag0OfSamePathForgets", {{'L', "target.jpg", 1, true}, {'L', "target.jpg", 0, true}, {'S', "target.jpg", 0, true}}, false, 64},
    {"OtherFlagValuesCountAsZero", {{'L', "target.jpg", 1, true}, {'L', "target.jpg", 2, true}, {'S', "target.jpg", 0, true}}, false, 64},
    {"Flag0OnlyNeverCarries", {{'L', "target.jpg", 0, true}, {'S', "target.jpg", 0, true}}, false, 64},
    {"SaveToAnotherPath", {{'L', "target.jpg", 1, true}, {'S', "copy.jpg", 0, true}}, false, 64},
    {"Flag1OfAnotherFileReplaces",
     {{'L', "target.jpg", 1, true}, {'L', "plain.jpg", 1, true}, {'L', "work.bmp", 0, true}, {'S', "target.jpg", 0, true}},
     false, 48},
    {"FailedLoadsChangeNothing",
     {{'L', "target.jpg", 1, true}, {'L', "bad.jpg", 1, false}, {'L', "bad.jpg", 0, false}, {'S', "target.jpg", 0, true}},
     true, 64},
    {"SaveFailureKeepsMetadata",
     {{'L', "target.jpg", 1, true}, {'S', "missing/x.jpg", 0, false}, {'S', "target.jpg", 0, true}}, true, 64},
};

class Metadata : public LibraryTest, public ::testing::WithParamInterface<MetadataCase> {};

TEST_P(Metadata, TravelsOnlyAsDocumented) {
    const Bytes icc = MakeIcc();
    const Bytes exif = MakeExif();
    testsupport::JpegWriteOptions options;
    options.markers = {{0xE1, exif}};
    options.icc = icc;
    Put("target.jpg", testsupport::EncodeJpeg(testsupport::MakePhotoLike(64, 40, 1), options));
    Put("work.bmp", MakeBmp(testsupport::MakePhotoLike(48, 30, 2), BmpLayout{}));
    Put("plain.jpg", testsupport::EncodeJpeg(testsupport::MakePhotoLike(32, 20, 3), 90, testsupport::Subsampling::k420));
    Put("bad.jpg", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00});

    {
        // EXIF orientation 6 would swap the sides if it were applied.
        Bitmap target = lib.LoadJpg(dir.File("target.jpg"));
        ASSERT_TRUE(target);
        EXPECT_EQ(target->width, 64);
        EXPECT_EQ(target->height, 40);
    }

    const MetadataCase &c = GetParam();
    for (const Step &s : c.steps) {
        if (s.op == 'L') {
            Bitmap bitmap = lib.Load(dir.File(s.file), s.flag);
            ASSERT_EQ(static_cast<bool>(bitmap), s.succeeds) << "loading " << s.file;
        } else {
            ASSERT_EQ(lib.Save(94, dir.File(s.file)), s.succeeds ? 1 : 0) << "saving " << s.file;
        }
    }
    const testsupport::JpegInfo info = testsupport::ReadJpegInfo(testsupport::ReadFile(dir.File(c.steps.back().file)));
    EXPECT_EQ(info.width, c.saved_width);
    const Bytes *saved_exif = FindExif(info);
    if (c.carries_metadata) {
        EXPECT_EQ(info.icc, icc);
        ASSERT_NE(saved_exif, nullptr);
        EXPECT_EQ(*saved_exif, exif);
        // EXIF right behind the JFIF header, before the profile's chunks.
        ASSERT_GE(info.app_markers.size(), 3u);
        EXPECT_EQ(info.app_markers[0].code, 0xE0);
        EXPECT_EQ(info.app_markers[1].code, 0xE1);
        EXPECT_EQ(info.app_markers[2].code, 0xE2);
    } else {
        EXPECT_TRUE(info.icc.empty());
        EXPECT_EQ(saved_exif, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, Metadata, ::testing::ValuesIn(kMetadataCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nvtest
