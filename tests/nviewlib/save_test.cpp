// NViewLibSaveAsJPG: what it writes (quality, chroma subsampling, Huffman
// optimisation, pixels), which picture it writes, and how it fails: never
// leaving a half-written target or a stray temporary file behind.
#include <csignal>
#include <functional>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/nviewlib/bmp_bytes.h"
#include "tests/nviewlib/library_test.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/pixel_diff.h"

namespace nvtest {
namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::Picture;

class Save : public LibraryTest {
protected:
    // Loads a lossless copy of pic, so that what a save writes can be
    // compared with known pixels.
    void LoadExact(const Picture &pic, const std::string &name = "source.bmp") {
        ASSERT_TRUE(lib.Load(Put(name, MakeBmp(pic, BmpLayout{}))));
    }
};

TEST_F(Save, BeforeAnyLoadWritesNothing) {
    const std::string target = dir.File("out.jpg");
    EXPECT_EQ(lib.Save(90, target), 0);
    EXPECT_TRUE(dir.List().empty());
}

struct QualityCase {
    const char *name;
    int quality;
    int effective;     // after clamping to 1..100
    int luma_sampling; // 1 = 4:4:4, 2 = 4:2:0
};

void PrintTo(const QualityCase &c, std::ostream *os) { *os << c.name; }

const QualityCase kQualityCases[] = {
    {"MinusFive", -5, 1, 2},  {"Zero", 0, 1, 2},       {"One", 1, 1, 2},
    {"EightyNine", 89, 89, 2}, {"Ninety", 90, 90, 1},  {"NinetyFour", 94, 94, 1},
    {"Hundred", 100, 100, 1}, {"HundredOne", 101, 100, 1}, {"Thousand", 1000, 100, 1},
};

class SaveQuality : public Save, public ::testing::WithParamInterface<QualityCase> {};

TEST_P(SaveQuality, ClampsAndPicksSubsampling) {
    const QualityCase &c = GetParam();
    const Picture source = testsupport::MakePhotoLike(160, 96, 5);
    LoadExact(source);
    const std::string target = dir.File("out.jpg");
    ASSERT_EQ(lib.Save(c.quality, target), 1);
    const Bytes written = testsupport::ReadFile(target);

    const testsupport::JpegInfo info = testsupport::ReadJpegInfo(written);
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 96);
    EXPECT_FALSE(info.progressive);
    EXPECT_FALSE(info.standard_huffman_tables) << "Huffman tables not optimised";
    ASSERT_EQ(info.components, 3);
    EXPECT_EQ(info.sampling[0].h, c.luma_sampling);
    EXPECT_EQ(info.sampling[0].v, c.luma_sampling);
    for (int k = 1; k < 3; ++k) {
        EXPECT_EQ(info.sampling[k].h, 1);
        EXPECT_EQ(info.sampling[k].v, 1);
    }
    // A clamped quality writes exactly what the clamped value writes.
    if (c.quality != c.effective) {
        const std::string reference = dir.File("reference.jpg");
        ASSERT_EQ(lib.Save(c.effective, reference), 1);
        EXPECT_EQ(testsupport::ReadFile(reference), written);
    }
    const Picture decoded = testsupport::DecodeJpeg(written);
    if (c.effective >= 90) {
        EXPECT_LT(testsupport::MeanAbsDiff(source, decoded), 3.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Qualities, SaveQuality, ::testing::ValuesIn(kQualityCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Save, QualityOrdersFileSizeAndFidelity) {
    const Picture source = testsupport::MakePhotoLike(320, 240, 8);
    LoadExact(source);
    double previous_error = 1e9;
    size_t previous_size = 0;
    for (int quality : {10, 50, 75, 94, 100}) {
        const std::string target = dir.File("q" + std::to_string(quality) + ".jpg");
        ASSERT_EQ(lib.Save(quality, target), 1);
        const Bytes bytes = testsupport::ReadFile(target);
        const double error = testsupport::MeanAbsDiff(source, testsupport::DecodeJpeg(bytes));
        EXPECT_GT(bytes.size(), previous_size) << "quality " << quality;
        EXPECT_LT(error, previous_error) << "quality " << quality;
        previous_size = bytes.size();
        previous_error = error;
    }
}

// The applier's path: a q90 4:2:0 JPEG in, loaded, saved at q94, read back
// by libjpeg.
TEST_F(Save, JpegRoundTripStaysCloseToTheLoadedPicture) {
    const Picture source = testsupport::MakePhotoLike(640, 480, 9);
    const std::string in = Put("in.jpg", testsupport::EncodeJpeg(source, 90, testsupport::Subsampling::k420));
    const auto loaded = Decode(in);
    ASSERT_TRUE(loaded.has_value());
    const std::string out = dir.File("out.jpg");
    ASSERT_EQ(lib.Save(94, out), 1);
    const Picture saved = testsupport::DecodeJpeg(testsupport::ReadFile(out));
    ASSERT_EQ(saved.width, 640);
    ASSERT_EQ(saved.height, 480);
    EXPECT_LT(testsupport::MeanAbsDiff(*loaded, saved), 1.5);
    EXPECT_LT(testsupport::MeanAbsDiff(source, saved), 3.0);
}

TEST_F(Save, ReplacesTheTargetKeepingItsPermissions) {
    const Picture source = testsupport::MakePhotoLike(64, 48, 10);
    LoadExact(source);
    const std::string target = Put("target.jpg", Bytes{'o', 'l', 'd'});
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(lib.Save(95, target), 1);
    EXPECT_LT(testsupport::MeanAbsDiff(source, testsupport::DecodeJpeg(testsupport::ReadFile(target))), 2.0);
    struct stat st;
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"source.bmp", "target.jpg"}));
}

TEST_F(Save, RelativePathGoesToTheCurrentFolder) {
    LoadExact(testsupport::MakePhotoLike(16, 16, 1));
    char *previous = getcwd(nullptr, 0);
    ASSERT_NE(previous, nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    const int32_t result = lib.Save(90, "relative.jpg");
    ASSERT_EQ(chdir(previous), 0);
    std::free(previous);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"relative.jpg", "source.bmp"}));
}

// Each case prepares the scratch folder and names a target that cannot be
// written. The folder must look the same after the failed save.
struct FailingTarget {
    const char *name;
    std::function<std::string(const testsupport::TempDir &)> prepare;
};

void PrintTo(const FailingTarget &c, std::ostream *os) { *os << c.name; }

const FailingTarget kFailingTargets[] = {
    {"MissingFolder", [](const testsupport::TempDir &d) { return d.File("missing/out.jpg"); }},
    {"FileWhereFolderShouldBe",
     [](const testsupport::TempDir &d) {
         testsupport::WriteFile(d.File("plain"), std::string("x"));
         return d.File("plain/out.jpg");
     }},
    {"TargetIsAFolder",
     [](const testsupport::TempDir &d) {
         mkdir(d.File("folder").c_str(), 0755);
         testsupport::WriteFile(d.File("folder/inside"), std::string("keep"));
         return d.File("folder");
     }},
    {"EmptyPath", [](const testsupport::TempDir &) { return std::string(); }},
};

class SaveFailure : public Save, public ::testing::WithParamInterface<FailingTarget> {};

TEST_P(SaveFailure, ReturnsZeroAndLeavesTheFolderAlone) {
    LoadExact(testsupport::MakePhotoLike(32, 32, 2));
    const std::string target = GetParam().prepare(dir);
    const std::vector<std::string> before = dir.List();
    EXPECT_EQ(lib.Save(90, target), 0);
    EXPECT_EQ(dir.List(), before);
    if (testsupport::FileExists(dir.File("folder/inside"))) {
        EXPECT_EQ(testsupport::ReadFile(dir.File("folder/inside")), (Bytes{'k', 'e', 'e', 'p'}));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, SaveFailure, ::testing::ValuesIn(kFailingTargets),
                         [](const auto &info) { return std::string(info.param.name); });

volatile sig_atomic_t g_size_signals = 0;
void CountSizeSignal(int) { g_size_signals = g_size_signals + 1; }

// Sets RLIMIT_FSIZE for the scope and counts SIGXFSZ instead of dying of it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        struct sigaction count {};
        count.sa_handler = CountSizeSignal;
        sigaction(SIGXFSZ, &count, &saved_action_);
        g_size_signals = 0;
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        sigaction(SIGXFSZ, &saved_action_, nullptr);
    }

private:
    rlimit saved_{};
    struct sigaction saved_action_ {};
};

TEST_F(Save, FileSizeLimitReachedMidWriteKeepsTheOldFile) {
    const Bytes old = testsupport::EncodeJpeg(testsupport::MakePhotoLike(64, 64, 3), 80, testsupport::Subsampling::k420);
    const std::string target = Put("target.jpg", old);
    LoadExact(testsupport::MakePhotoLike(800, 600, 4));
    int32_t result = -1;
    {
        // Far below the new file (about 100 KB), above anything before it.
        FileSizeLimit limit(20000);
        result = lib.Save(94, target);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(testsupport::ReadFile(target), old);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"source.bmp", "target.jpg"}));
    // The library stops short of the limit instead of tripping it.
    EXPECT_EQ(g_size_signals, 0);
}

TEST_F(Save, FileSizeLimitAboveTheFileDoesNotStopIt) {
    LoadExact(testsupport::MakePhotoLike(200, 100, 4));
    const std::string target = dir.File("out.jpg");
    int32_t result = -1;
    {
        FileSizeLimit limit(8 << 20);
        result = lib.Save(94, target);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(testsupport::ReadJpegInfo(testsupport::ReadFile(target)).width, 200);
}

TEST_F(Save, FailedLoadsKeepThePreviousPicture) {
    const Picture first = testsupport::MakePhotoLike(120, 80, 12);
    LoadExact(first);
    // Fails only near its end, after most rows were decoded.
    Bytes cut = testsupport::EncodeJpeg(testsupport::MakePhotoLike(200, 150, 13), 90, testsupport::Subsampling::k420);
    cut.resize(cut.size() - 60);
    EXPECT_FALSE(lib.Load(Put("cut.jpg", cut), 0));
    EXPECT_FALSE(lib.Load(Put("garbage.bmp", Bytes(300, 0x42)), 1));
    EXPECT_FALSE(lib.Load(dir.File("missing.jpg"), 0));
    const std::string target = dir.File("out.jpg");
    ASSERT_EQ(lib.Save(95, target), 1);
    const Picture saved = testsupport::DecodeJpeg(testsupport::ReadFile(target));
    ASSERT_EQ(saved.width, 120);
    EXPECT_LT(testsupport::MeanAbsDiff(first, saved), 2.0);
}

// The retained buffer grows and is reused: each save must carry exactly the
// latest picture, whatever size came before.
TEST_F(Save, EachSaveWritesTheLatestLoad) {
    const Picture big = testsupport::MakePhotoLike(400, 300, 14);
    const Picture small = testsupport::MakePhotoLike(37, 21, 15);
    const std::string big_file = Put("big.bmp", MakeBmp(big, BmpLayout{}));
    const std::string small_file = Put("small.bmp", MakeBmp(small, BmpLayout{}));
    const std::string target = dir.File("out.jpg");
    for (const Picture *pic : {&small, &big, &small, &big}) {
        ASSERT_TRUE(lib.Load(pic == &big ? big_file : small_file));
        ASSERT_EQ(lib.Save(95, target), 1);
        const Picture saved = testsupport::DecodeJpeg(testsupport::ReadFile(target));
        ASSERT_EQ(saved.width, pic->width);
        ASSERT_EQ(saved.height, pic->height);
        EXPECT_LT(testsupport::MeanAbsDiff(*pic, saved), 3.0);
    }
}

TEST_F(Save, SingleFormatLoadsLeaveTheSavedPictureAlone) {
    const Picture first = testsupport::MakePhotoLike(50, 40, 16);
    LoadExact(first);
    const std::string other = Put("other.jpg", testsupport::EncodeJpeg(testsupport::MakePhotoLike(30, 20, 17), 90,
                                                                       testsupport::Subsampling::k420));
    ASSERT_TRUE(lib.LoadJpg(other));
    const std::string target = dir.File("out.jpg");
    ASSERT_EQ(lib.Save(95, target), 1);
    EXPECT_EQ(testsupport::ReadJpegInfo(testsupport::ReadFile(target)).width, 50);
}

// The programs release a handle with one free(): struct and pixels share a block.
TEST_F(Save, HandleIsOneMallocBlock) {
    Bitmap bitmap = lib.Load(Put("p.bmp", MakeBmp(testsupport::MakePhotoLike(33, 17, 1), BmpLayout{})));
    ASSERT_TRUE(bitmap);
    const auto *start = reinterpret_cast<const unsigned char *>(bitmap.get());
    const auto *pixels = reinterpret_cast<const unsigned char *>(bitmap->pixels);
    const auto *end = pixels + sizeof(uint32_t) * 33 * 17;
    EXPECT_GE(pixels, start + sizeof(NvBitmap));
    EXPECT_LE(static_cast<size_t>(end - start), malloc_usable_size(bitmap.get()));
}

}  // namespace
}  // namespace nvtest
