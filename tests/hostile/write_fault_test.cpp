// Writes that fail part-way through the application pass, forced with the
// file-size limit at each of the pass's writes in turn: the backup copy, the
// blob into the working file, the composite into the working file and the
// JPEG save over the target. Each run applies two entries; the limit is
// placed between the sizes of what the second entry writes, learnt from a
// run without limit on a copy of the folder, so it hits exactly one write
// and nothing of the first entry. A JPEG never outgrows the composite BMP
// written before it, so for the save the limit is set around the library's
// save call alone. Run in a child process, once with SIGXFSZ
// ignored and once with its default action (the process would end), as a
// user's shell limit leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "package/data_file.h"
#include "package/package_files.h"
#include "platform/bitmap.h"
#include "platform/errors.h"
#include "tests/hostile/hostile_support.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/zelfin/package_fixture.h"
#include "zelfin/entry_passes.h"

namespace hostile {
namespace {

using zelfin::Failure;
using zelfin_test::BlobKind;
using zelfin_test::Folders;
using zelfin_test::PackageBuilder;
using Bytes = std::vector<uint8_t>;

enum class Stage { BackupCopy, BlobWrite, CompositeWrite, JpegSave };

struct StageCase {
    const char *label;
    Stage stage;
    bool backup;
};

const StageCase kStages[] = {
    {"BackupCopy", Stage::BackupCopy, true},
    {"BlobIntoWorkingFile", Stage::BlobWrite, false},
    {"CompositeIntoWorkingFile", Stage::CompositeWrite, false},
    {"JpegSave", Stage::JpegSave, false},
};

// The second target is noise at quality 100, so that its save writes more
// than one of the library's 256 KiB output chunks and can be cut after the
// first.
constexpr int kBigSide = 400;
constexpr int kQuality = 100;
constexpr int64_t kSaveChunk = 256 * 1024;

// Child exit codes.
constexpr int kReturnedWriteFailed = 10;
constexpr int kThrewCreateFailure = 11;
constexpr int kOtherOutcome = 12;

struct TwoEntries {
    Folders folders;
    Bytes smallOld, bigOld;
    PackageBuilder builder{std::to_string(kQuality)};

    TwoEntries() {
        const std::string &target = folders.target;
        zelfin_test::WriteJpeg(target + "small.jpg", testsupport::MakePhotoLike(16, 16, 1));
        // Stored losslessly enough that the noise survives into the decoded picture.
        testsupport::WriteFile(target + "big.jpg", testsupport::EncodeJpeg(MakeNoise(kBigSide, kBigSide, 2), 100,
                                                                           testsupport::Subsampling::k444));
        smallOld = testsupport::ReadFile(target + "small.jpg");
        bigOld = testsupport::ReadFile(target + "big.jpg");
        builder.AddEntry("small.jpg", target + "small.jpg", 4, 4, testsupport::MakeSolid(8, 8, 0x2040F0));
        builder.AddEntry("big.jpg", target + "big.jpg", 20, 20, testsupport::MakePhotoLike(200, 150, 3),
                         BlobKind::Bmp);
    }
    Failure Apply(const std::string &target, bool backup, const Gra &gra = zelfin_test::TestGra()) {
        package::DataFileReader data(folders.package + package::kDataFileName);
        zelfin_test::Holders holders;
        return zelfin::ApplyEntries(builder.List(), data, {target, kQuality, backup}, holders.Refs(), gra);
    }
};

// What each write of the second entry puts on disk, and the most any write
// of the first entry does.
struct WriteSizes {
    int64_t firstEntryMost = 0;
    int64_t backup = 0, blob = 0, composite = 0, jpeg = 0;
};

WriteSizes LearnSizes(TwoEntries &s) {
    const std::string dry = s.folders.temp.File("dry") + "/";
    std::filesystem::copy(s.folders.target, dry);
    EXPECT_EQ(s.Apply(dry, true), Failure::None);
    WriteSizes sizes;
    const auto length = [&](int k) {
        return static_cast<int64_t>(std::stoll(s.builder.List()[package::EntryLine(k, package::EntryField::Length)]));
    };
    sizes.firstEntryMost = std::max({static_cast<int64_t>(s.smallOld.size()), length(1),
                                     platform::Bmp24FileSize(16, 16),
                                     static_cast<int64_t>(testsupport::ReadFile(dry + "small.jpg").size())});
    sizes.backup = static_cast<int64_t>(s.bigOld.size());
    sizes.blob = length(2);
    sizes.composite = platform::Bmp24FileSize(kBigSide, kBigSide);
    sizes.jpeg = static_cast<int64_t>(testsupport::ReadFile(dry + "big.jpg").size());
    std::filesystem::remove_all(dry);
    return sizes;
}

// A limit that lets every write before the stage through and stops the
// stage's own write part-way.
int64_t LimitFor(Stage stage, const WriteSizes &w) {
    switch (stage) {
    case Stage::BackupCopy: return w.backup / 2;
    case Stage::BlobWrite: return w.blob / 2;
    case Stage::CompositeWrite: return (w.blob + w.composite) / 2;
    case Stage::JpegSave: return (kSaveChunk + w.jpeg) / 2;
    }
    return 0;
}

// The library's save under the limit, everything else without: set in the
// child before the run.
NViewLibSaveAsJPGFn g_realSave = nullptr;
rlim_t g_saveLimit = RLIM_INFINITY;

int32_t SaveUnderLimit(int32_t quality, const char *path) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = g_saveLimit;
    setrlimit(RLIMIT_FSIZE, &limited);
    const int32_t result = g_realSave(quality, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    return result;
}

class WriteFault : public ::testing::TestWithParam<std::tuple<StageCase, SizeSignal>> {};

TEST_P(WriteFault, StopsWithItsFailureAndDamagesNothing) {
    const auto [c, signal] = GetParam();
    (void)zelfin_test::TestGra();  // bound once, before the child is forked
    TwoEntries s;
    s.builder.Write(s.folders.package);
    const WriteSizes w = LearnSizes(s);
    const int64_t limit = LimitFor(c.stage, w);
    // The sizes must leave room for the stage's limit, or the row tests nothing.
    ASSERT_GT(limit, w.firstEntryMost);
    ASSERT_GT(w.composite, w.blob);
    if (c.stage == Stage::JpegSave) {
        ASSERT_GT(w.jpeg, kSaveChunk + 4096) << "the save should be cut after its first chunk";
    }
    const Tree packageBefore = DescribeTree(s.folders.package);
    const std::string target = s.folders.target;
    const std::string expectedText = "ﾌｧｲﾙ " + target + "tmp.bmp を作成できません";

    const bool atSave = c.stage == Stage::JpegSave;
    const ChildEnd end = RunLimited(atSave ? RLIM_INFINITY : static_cast<rlim_t>(limit), signal, [&] {
        Gra gra;
        gra.NViewLibLoad = zelfin_test::TestGra().NViewLibLoad;
        g_realSave = zelfin_test::TestGra().NViewLibSaveAsJPG;
        gra.NViewLibSaveAsJPG = atSave ? SaveUnderLimit : g_realSave;
        g_saveLimit = static_cast<rlim_t>(limit);
        try {
            return s.Apply(target, c.backup, gra) == Failure::WriteFailed ? kReturnedWriteFailed : kOtherOutcome;
        } catch (const platform::FileCreateError &e) {
            return e.what() == expectedText ? kThrewCreateFailure : kOtherOutcome;
        }
    });

    ASSERT_TRUE(end.exited) << "ended by signal " << end.signal;
    // The composite's write is a platform failure, reported as the program's
    // exception; the others are the window's "書き込めませんでした".
    EXPECT_EQ(end.code, c.stage == Stage::CompositeWrite ? kThrewCreateFailure : kReturnedWriteFailed);
    EXPECT_STREQ(zelfin::FailureText(Failure::WriteFailed), "書き込めませんでした");

    // The first entry is applied, the second target has its old bytes.
    const Bytes small = testsupport::ReadFile(target + "small.jpg");
    EXPECT_NE(small, s.smallOld);
    EXPECT_EQ(zelfin_test::Decode(target + "small.jpg").width, 16);
    EXPECT_EQ(testsupport::ReadFile(target + "big.jpg"), s.bigOld);
    // Backups hold old bytes; nothing else is left behind.
    std::vector<std::string> names{"big.jpg", "small.jpg"};
    if (c.backup) {
        names.push_back("small.jp~");
        EXPECT_EQ(testsupport::ReadFile(target + "small.jp~"), s.smallOld);
        if (c.stage != Stage::BackupCopy) {
            names.push_back("big.jp~");
            EXPECT_EQ(testsupport::ReadFile(target + "big.jp~"), s.bigOld);
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(zelfin_test::Names(target), names);
    EXPECT_EQ(DescribeTree(s.folders.package), packageBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, WriteFault, ::testing::Combine(::testing::ValuesIn(kStages),
                                           ::testing::Values(SizeSignal::Ignored, SizeSignal::Default)),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).label) +
               (std::get<1>(info.param) == SizeSignal::Ignored ? "_SignalIgnored" : "_SignalDefault");
    });

}  // namespace
}  // namespace hostile
