// The two passes over packages built with the package module, on JPEGs made
// by an independent encoder.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "package/data_file.h"
#include "package/package_files.h"
#include "package_fixture.h"
#include "platform/errors.h"
#include "tests/support/file_util.h"
#include "zelfin/entry_passes.h"

namespace zelfin_test {
namespace {

using testsupport::MakePhotoLike;
using testsupport::MakeSolid;
using testsupport::Rgb;
using zelfin::Failure;

// JPEG tolerance: a q90 target decoded, patched and saved again at q94.
constexpr double kSameTolerance = 4.0;

struct PassRun {
    Folders folders;
    Holders holders;

    Failure Verify(const PackageBuilder &builder) {
        return zelfin::VerifyEntries(const_cast<PackageBuilder &>(builder).List(), folders.target);
    }
    Failure Apply(PackageBuilder &builder, bool backup = false, int quality = 94) {
        builder.Write(folders.package);
        package::DataFileReader data(folders.package + package::kDataFileName);
        EXPECT_TRUE(data.IsOpen());
        return zelfin::ApplyEntries(builder.List(), data, {folders.target, quality, backup}, holders.Refs(),
                                    TestGra());
    }
    std::string Target(const std::string &name) const { return folders.target + name; }
    Picture AddTarget(const std::string &name, int w, int h, uint32_t seed) {
        const Picture picture = MakePhotoLike(w, h, seed);
        WriteJpeg(Target(name), picture);
        return Decode(Target(name));
    }
};

struct PatchCase {
    const char *label;
    BlobKind kind;
    int x, y, w, h;  // block position and size in a 64 x 48 picture
};

class PatchTest : public ::testing::TestWithParam<PatchCase> {};

// Inside the rectangle the block's pixels, outside the old picture's, size kept.
TEST_P(PatchTest, PastesBlockAndKeepsTheRest) {
    const PatchCase c = GetParam();
    PassRun run;
    const Picture old = run.AddTarget("a.jpg", 64, 48, 7);
    const uint32_t colour = Rgb(200, 30, 60);
    PackageBuilder builder;
    builder.AddEntry("a.jpg", run.Target("a.jpg"), c.x, c.y, MakeSolid(c.w, c.h, colour), c.kind);

    ASSERT_EQ(run.Verify(builder), Failure::None);
    ASSERT_EQ(run.Apply(builder), Failure::None);

    const Picture after = Decode(run.Target("a.jpg"));
    ASSERT_EQ(after.width, 64);
    ASSERT_EQ(after.height, 48);
    const Picture expected = [&] {
        Picture p = old;
        for (int y = c.y; y < std::min(c.y + c.h, 48); ++y)
            for (int x = c.x; x < std::min(c.x + c.w, 64); ++x) p.at(x, y) = colour;
        return p;
    }();
    // Away from the rectangle's edges, where JPEG blocks mix both sides.
    EXPECT_LT(RegionDiff(after, expected, c.x + 2, c.y + 2, c.w - 4, c.h - 4), kSameTolerance);
    EXPECT_LT(RegionDiff(after, old, 0, 0, 64, c.y - 8), kSameTolerance);
    EXPECT_LT(RegionDiff(after, old, 0, 0, c.x - 8, 48), kSameTolerance);
    EXPECT_FALSE(testsupport::FileExists(run.Target("tmp.bmp")));
    EXPECT_EQ(Names(run.folders.target), std::vector<std::string>{"a.jpg"});
}

INSTANTIATE_TEST_SUITE_P(
    Blobs, PatchTest,
    ::testing::Values(PatchCase{"bmp", BlobKind::Bmp, 16, 16, 24, 16}, PatchCase{"jpeg", BlobKind::Jpeg, 16, 16, 24, 16},
                      PatchCase{"past_right_and_bottom", BlobKind::Bmp, 48, 40, 32, 24},
                      PatchCase{"jpeg_past_edges", BlobKind::Jpeg, 50, 36, 30, 30}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(ApplyEntries, SecondEntryOnSameFileStartsFromFirstResult) {
    PassRun run;
    run.AddTarget("same.jpg", 64, 48, 3);
    PackageBuilder builder;
    builder.AddEntry("same.jpg", run.Target("same.jpg"), 0, 0, MakeSolid(24, 24, Rgb(255, 0, 0)));
    builder.AddEntry("same.jpg", run.Target("same.jpg"), 32, 16, MakeSolid(24, 24, Rgb(0, 0, 255)));

    ASSERT_EQ(run.Verify(builder), Failure::None);
    ASSERT_EQ(run.Apply(builder), Failure::None);
    const Picture after = Decode(run.Target("same.jpg"));
    EXPECT_LT(RegionDiff(after, MakeSolid(64, 48, Rgb(255, 0, 0)), 2, 2, 20, 20), kSameTolerance);
    EXPECT_LT(RegionDiff(after, MakeSolid(64, 48, Rgb(0, 0, 255)), 34, 18, 20, 20), kSameTolerance);
}

TEST(ApplyEntries, ReadsBlobsForwardWhateverTheOffsetLinesSay) {
    PassRun run;
    run.AddTarget("a.jpg", 40, 40, 1);
    run.AddTarget("b.jpg", 72, 40, 2);  // another width: another key
    PackageBuilder builder;
    builder.AddEntry("a.jpg", run.Target("a.jpg"), 8, 8, MakeSolid(16, 16, Rgb(0, 255, 0)));
    builder.AddEntry("b.jpg", run.Target("b.jpg"), 8, 8, MakeSolid(16, 16, Rgb(255, 255, 0)), BlobKind::Jpeg);
    builder.SetLine(package::EntryLine(1, package::EntryField::Offset), "garbage");
    builder.SetLine(package::EntryLine(2, package::EntryField::Offset), "garbage");
    builder.Data().resize(builder.Data().size() + 100, 0xEE);  // bytes after the last blob: never read

    ASSERT_EQ(run.Apply(builder), Failure::None);
    EXPECT_LT(RegionDiff(Decode(run.Target("b.jpg")), MakeSolid(72, 40, Rgb(255, 255, 0)), 10, 10, 12, 12),
              kSameTolerance);
}

TEST(ApplyEntries, BackupKeepsOldBytesAndReplacesAnEarlierBackup) {
    PassRun run;
    run.AddTarget("photo.jpg", 32, 32, 5);
    const auto oldBytes = testsupport::ReadFile(run.Target("photo.jpg"));
    testsupport::WriteFile(run.Target("photo.jp~"), std::string("stale backup"));
    PackageBuilder builder("94", true);
    builder.AddEntry("photo.jpg", run.Target("photo.jpg"), 4, 4, MakeSolid(8, 8, 0));

    ASSERT_EQ(run.Apply(builder, true), Failure::None);
    EXPECT_EQ(testsupport::ReadFile(run.Target("photo.jp~")), oldBytes);
    EXPECT_NE(testsupport::ReadFile(run.Target("photo.jpg")), oldBytes);
}

TEST(ApplyEntries, BackupOffMakesNoBackup) {
    PassRun run;
    run.AddTarget("photo.jpg", 32, 32, 5);
    PackageBuilder builder;
    builder.AddEntry("photo.jpg", run.Target("photo.jpg"), 4, 4, MakeSolid(8, 8, 0));
    ASSERT_EQ(run.Apply(builder, false), Failure::None);
    EXPECT_EQ(Names(run.folders.target), std::vector<std::string>{"photo.jpg"});
}

TEST(ApplyEntries, BackupOfDoubleByteNameReplacesOnlyItsLastByte) {
    PassRun run;
    // "写真表" in code page 932: 表 is 0x95 0x5C, so the backup ends in 0x95 '~'.
    const std::string cp932Name = "\x8e\xca\x90\x5e\x95\x5c";
    const std::string utf8Name = "写真表";
    run.AddTarget(utf8Name, 32, 32, 9);
    const auto oldBytes = testsupport::ReadFile(run.Target(utf8Name));
    PackageBuilder builder("94", true);
    builder.AddEntry(cp932Name, run.Target(utf8Name), 0, 0, MakeSolid(8, 8, 0));
    ASSERT_EQ(run.Apply(builder, true), Failure::None);
    // 0x95 0x7E is 敷 in code page 932.
    EXPECT_EQ(testsupport::ReadFile(run.Target("写真敷")), oldBytes);
}

TEST(ApplyEntries, NameEndingInTildeFailsWithBackupsAndLeavesTargetAlone) {
    PassRun run;
    run.AddTarget("first.jpg", 32, 32, 1);
    run.AddTarget("odd.jp~", 32, 32, 2);
    PackageBuilder builder("94", true);
    builder.AddEntry("first.jpg", run.Target("first.jpg"), 0, 0, MakeSolid(8, 8, 0));
    builder.AddEntry("odd.jp~", run.Target("odd.jp~"), 0, 0, MakeSolid(8, 8, 0));
    const auto oddBytes = testsupport::ReadFile(run.Target("odd.jp~"));
    const auto firstBytes = testsupport::ReadFile(run.Target("first.jpg"));

    EXPECT_EQ(run.Apply(builder, true), Failure::WriteFailed);
    EXPECT_EQ(testsupport::ReadFile(run.Target("odd.jp~")), oddBytes);
    // Entries before the failing one stay applied, with their backups.
    EXPECT_NE(testsupport::ReadFile(run.Target("first.jpg")), firstBytes);
    EXPECT_EQ(testsupport::ReadFile(run.Target("first.jp~")), firstBytes);
    EXPECT_FALSE(testsupport::FileExists(run.Target("tmp.bmp")));
}

TEST(VerifyEntries, FailuresLeaveTheFolderByteForByte) {
    struct Case {
        const char *label;
        int sizeDelta;          // added to entry 2's recorded size
        bool removeThird;
        Failure expected;
    };
    for (const Case c : {Case{"third missing", 0, true, Failure::FileMissing},
                         Case{"one byte longer", -1, false, Failure::SizeMismatch},
                         Case{"one byte shorter", 1, false, Failure::SizeMismatch},
                         Case{"all fine", 0, false, Failure::None}}) {
        SCOPED_TRACE(c.label);
        PassRun run;
        PackageBuilder builder;
        for (const char *name : {"1.jpg", "2.jpg", "3.jpg"}) {
            run.AddTarget(name, 32, 32, 11);
            builder.AddEntry(name, run.Target(name), 0, 0, MakeSolid(8, 8, 0));
        }
        const int sizeLine = package::EntryLine(2, package::EntryField::Size);
        builder.SetLine(sizeLine, std::to_string(std::stoi(builder.List()[sizeLine]) + c.sizeDelta));
        if (c.removeThird) std::remove(run.Target("3.jpg").c_str());
        const FolderSnapshot before = Snapshot(run.folders.target);
        EXPECT_EQ(run.Verify(builder), c.expected);
        EXPECT_EQ(Snapshot(run.folders.target), before);
    }
}

TEST(VerifyEntries, OpenComesBeforeTheSizeLine) {
    PassRun run;
    PackageBuilder builder;
    builder.AddRawEntry("absent.jpg", "not a number", "0", "0", "58", {});
    EXPECT_EQ(run.Verify(builder), Failure::FileMissing);

    run.AddTarget("present.jpg", 16, 16, 1);
    PackageBuilder second;
    second.AddRawEntry("present.jpg", "not a number", "0", "0", "58", {});
    EXPECT_THROW((void)run.Verify(second), platform::ConvertError);
}

// Names that would reach outside the target folder, or nowhere, are refused
// before anything is opened.
TEST(VerifyEntries, RefusesNamesThatAreNotPlainFileNames) {
    PassRun run;
    run.AddTarget("inside.jpg", 16, 16, 1);
    const int64_t size = static_cast<int64_t>(testsupport::ReadFile(run.Target("inside.jpg")).size());
    // A file the ".." name would otherwise reach.
    WriteJpeg(run.folders.temp.File("outside.jpg"), MakePhotoLike(16, 16, 2));
    for (const std::string &name : {std::string(""), std::string("."), std::string(".."), std::string("../outside.jpg"),
                                   std::string("sub/inside.jpg"), std::string("..\\outside.jpg"),
                                   std::string("\x81"), std::string("a\x01.jpg")}) {
        SCOPED_TRACE(name);
        PackageBuilder builder;
        builder.AddRawEntry(name, std::to_string(size), "0", "0", "58", {});
        EXPECT_EQ(run.Verify(builder), Failure::FileMissing);
    }
}

TEST(EntryCount, ListsOfSixToElevenLinesHaveNoEntries) {
    for (int extra = 0; extra < 6; ++extra) {
        PassRun run;
        PackageBuilder builder;
        for (int i = 0; i < extra; ++i) builder.List().Add("missing.jpg");
        EXPECT_EQ(run.Verify(builder), Failure::None);
        EXPECT_EQ(run.Apply(builder), Failure::None);
        EXPECT_TRUE(Snapshot(run.folders.target).empty());
    }
}

TEST(EntryCount, LinesAfterTheLastFullGroupAreIgnored) {
    for (int extra = 1; extra < 6; ++extra) {
        SCOPED_TRACE(extra);
        PassRun run;
        run.AddTarget("a.jpg", 32, 32, 4);
        PackageBuilder builder;
        builder.AddEntry("a.jpg", run.Target("a.jpg"), 0, 0, MakeSolid(8, 8, Rgb(0, 0, 255)));
        for (int i = 0; i < extra; ++i) builder.List().Add("missing.jpg");
        EXPECT_EQ(run.Verify(builder), Failure::None);
        EXPECT_EQ(run.Apply(builder), Failure::None);
        EXPECT_LT(RegionDiff(Decode(run.Target("a.jpg")), MakeSolid(32, 32, Rgb(0, 0, 255)), 2, 2, 4, 4),
                  kSameTolerance);
    }
}

TEST(ApplyEntries, LineThatIsNotAnIntegerStopsBeforeThatEntry) {
    PassRun run;
    run.AddTarget("1.jpg", 32, 32, 1);
    run.AddTarget("2.jpg", 32, 32, 2);
    PackageBuilder builder;
    builder.AddEntry("1.jpg", run.Target("1.jpg"), 0, 0, MakeSolid(8, 8, 0));
    const auto second = testsupport::ReadFile(run.Target("2.jpg"));
    builder.AddRawEntry("2.jpg", std::to_string(second.size()), "0", "y?", "58", std::vector<uint8_t>(58));
    const auto first = testsupport::ReadFile(run.Target("1.jpg"));

    EXPECT_THROW((void)run.Apply(builder), platform::ConvertError);
    EXPECT_NE(testsupport::ReadFile(run.Target("1.jpg")), first);
    EXPECT_EQ(testsupport::ReadFile(run.Target("2.jpg")), second);
    EXPECT_FALSE(testsupport::FileExists(run.Target("tmp.bmp")));
}

// Everything an entry needs is checked before its target is touched.
TEST(ApplyEntries, UnsoundEntryStopsWithTargetUnchanged) {
    struct Case {
        const char *label;
        std::string length;           // "" = the blob's true length
        std::vector<uint8_t> blob;    // empty = a proper BMP blob
        bool oldDoesNotDecode;
    };
    const std::vector<uint8_t> garbage(200, 0x33);
    for (const Case &c : {Case{"zero length", "0", {}, false}, Case{"negative length", "-5", {}, false},
                          Case{"longer than the data file", "2147483647", {}, false},
                          Case{"blob does not decode", "", garbage, false},
                          Case{"old picture does not decode", "", {}, true}}) {
        SCOPED_TRACE(c.label);
        PassRun run;
        run.AddTarget("1.jpg", 32, 32, 1);
        run.AddTarget("2.jpg", 32, 32, 2);
        if (c.oldDoesNotDecode) testsupport::WriteFile(run.Target("2.jpg"), std::vector<uint8_t>(500, 0xAB));
        PackageBuilder builder;
        builder.AddEntry("1.jpg", run.Target("1.jpg"), 0, 0, MakeSolid(8, 8, 0));
        std::vector<uint8_t> blob = c.blob.empty() ? PlainBlob(MakeSolid(8, 8, 0), BlobKind::Bmp) : c.blob;
        const auto second = testsupport::ReadFile(run.Target("2.jpg"));
        builder.AddRawEntry("2.jpg", std::to_string(second.size()), "0", "0",
                            c.length.empty() ? std::to_string(blob.size()) : c.length, blob);
        const auto first = testsupport::ReadFile(run.Target("1.jpg"));

        EXPECT_EQ(run.Verify(builder), Failure::None);
        EXPECT_EQ(run.Apply(builder), Failure::WriteFailed);
        EXPECT_NE(testsupport::ReadFile(run.Target("1.jpg")), first);
        EXPECT_EQ(testsupport::ReadFile(run.Target("2.jpg")), second);
        EXPECT_EQ(Names(run.folders.target), (std::vector<std::string>{"1.jpg", "2.jpg"}));
    }
}

TEST(ApplyEntries, UsersTmpBmpIsNeverTouched) {
    PassRun run;
    run.AddTarget("a.jpg", 32, 32, 1);
    const std::string own = "the user's own file";
    testsupport::WriteFile(run.Target("tmp.bmp"), own);
    PackageBuilder builder;
    builder.AddEntry("a.jpg", run.Target("a.jpg"), 0, 0, MakeSolid(8, 8, 0));
    ASSERT_EQ(run.Apply(builder), Failure::None);
    EXPECT_EQ(testsupport::ReadFile(run.Target("tmp.bmp")), std::vector<uint8_t>(own.begin(), own.end()));
    EXPECT_EQ(Names(run.folders.target), (std::vector<std::string>{"a.jpg", "tmp.bmp"}));
}

// A save the library reports as failed must not end in success.
TEST(ApplyEntries, FailedSaveIsReported) {
    PassRun run;
    run.AddTarget("a.jpg", 32, 32, 1);
    PackageBuilder builder;
    builder.AddEntry("a.jpg", run.Target("a.jpg"), 0, 0, MakeSolid(8, 8, 0));
    builder.Write(run.folders.package);
    const auto oldBytes = testsupport::ReadFile(run.Target("a.jpg"));

    Gra refusing;  // the real decoder, a save that always fails
    refusing.NViewLibLoad = TestGra().NViewLibLoad;
    refusing.NViewLibSaveAsJPG = [](int32_t, const char *) -> int32_t { return 0; };
    package::DataFileReader data(run.folders.package + package::kDataFileName);
    EXPECT_EQ(zelfin::ApplyEntries(builder.List(), data, {run.folders.target, 94, false}, run.holders.Refs(),
                                   refusing),
              Failure::WriteFailed);
    EXPECT_EQ(testsupport::ReadFile(run.Target("a.jpg")), oldBytes);
    EXPECT_EQ(Names(run.folders.target), std::vector<std::string>{"a.jpg"});
}

// Writes cut short by the file-size limit: the composite cannot reach the
// working file, which the platform reports; the target keeps its bytes and no
// working file stays behind.
TEST(ApplyEntries, WritesCutByFileSizeLimitLeaveTargetWhole) {
    PassRun run;
    run.AddTarget("a.jpg", 128, 128, 1);
    PackageBuilder builder;
    builder.AddEntry("a.jpg", run.Target("a.jpg"), 0, 0, MakeSolid(8, 8, 0));
    builder.Write(run.folders.package);
    const auto oldBytes = testsupport::ReadFile(run.Target("a.jpg"));
    package::DataFileReader data(run.folders.package + package::kDataFileName);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = 4096;  // the 8 x 8 blob fits, the 128 x 128 composite does not
    setrlimit(RLIMIT_FSIZE, &limited);
    bool threw = false;
    try {
        (void)zelfin::ApplyEntries(builder.List(), data, {run.folders.target, 94, false}, run.holders.Refs(),
                                   TestGra());
    } catch (const platform::FileCreateError &) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(threw);
    EXPECT_EQ(testsupport::ReadFile(run.Target("a.jpg")), oldBytes);
    EXPECT_EQ(Names(run.folders.target), std::vector<std::string>{"a.jpg"});
}

}  // namespace
}  // namespace zelfin_test
