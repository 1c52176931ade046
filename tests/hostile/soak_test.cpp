// A long package in one run: 500 entries over 100 files, five per file, the
// files visited in turn (file 1..100, then again), blocks of several sizes as
// BMP and JPEG, some reaching past the edges, backups on. The run must give
// exactly what the same entries give applied one by one, each as a package of
// its own on the result of the one before; and its peak memory, measured in
// a fresh process against a package of the last round alone, is reported.
//
// ZEL_SOAK_LARGE=1 in the environment runs the same at 1920 x 1080 (the
// "long" CTest label, configured with -DZEL_LONG_TESTS=ON).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "package/data_file.h"
#include "package/package_files.h"
#include "tests/support/file_util.h"
#include "tests/zelfin/package_fixture.h"
#include "zelfin/entry_passes.h"

namespace hostile {
namespace {

namespace fs = std::filesystem;
using zelfin::Failure;
using zelfin_test::BlobKind;
using zelfin_test::PackageBuilder;

constexpr int kFiles = 100;
constexpr int kEntriesPerFile = 5;

struct Scale {
    int width, height;  // of the pictures; each file is a few pixels wider than the last
};

Scale ChosenScale() {
    const char *large = std::getenv("ZEL_SOAK_LARGE");
    if (large != nullptr && std::string(large) == "1") return {1920, 1080};
    return {640, 480};
}

std::string FileName(int i) { return "photo" + std::to_string(i) + ".jpg"; }

// Widths differ from file to file, so the scramble keys do too.
int WidthOf(const Scale &s, int i) { return s.width + i % 13; }

struct EntryPlan {
    int file;
    int x, y, w, h;
    BlobKind kind;
};

// Round after round over the files; blocks grow with the round, and every
// fifth entry reaches past the right and bottom edges.
std::vector<EntryPlan> Plan(const Scale &s) {
    std::vector<EntryPlan> plan;
    for (int round = 0; round < kEntriesPerFile; ++round) {
        for (int i = 0; i < kFiles; ++i) {
            const int w = s.width / 8 + round * s.width / 20, h = s.height / 8 + round * s.height / 20;
            const bool pastEdge = (i + round) % 5 == 0;
            const int x = pastEdge ? WidthOf(s, i) - w / 2 : (i * 37 + round * 53) % (WidthOf(s, i) - w);
            const int y = pastEdge ? s.height - h / 2 : (i * 29 + round * 41) % (s.height - h);
            plan.push_back({i, x, y, w, h, (i + round) % 2 == 0 ? BlobKind::Bmp : BlobKind::Jpeg});
        }
    }
    return plan;
}

testsupport::Picture BlockOf(const EntryPlan &e, int index) {
    return testsupport::MakePhotoLike(e.w, e.h, 5000 + static_cast<uint32_t>(index));
}

long PeakKiBOfFreshRun(const std::string &packageFolder, const std::string &targetFolder) {
    const std::string command = std::string(ZEL_SOAK_APPLY_PATH) + " '" + packageFolder + "' '" + targetFolder + "'";
    FILE *child = popen(command.c_str(), "r");
    if (child == nullptr) return -1;
    long kib = -1;
    if (std::fscanf(child, "%ld", &kib) != 1) kib = -1;
    return pclose(child) == 0 ? kib : -1;
}

Failure ApplyPackage(const platform::TStringList &list, const std::string &packageFolder,
                     const std::string &target) {
    const Failure verified = zelfin::VerifyEntries(list, target);
    if (verified != Failure::None) return verified;
    package::DataFileReader data(packageFolder + package::kDataFileName);
    zelfin_test::Holders holders;
    return zelfin::ApplyEntries(list, data, {target, 94, true}, holders.Refs(), zelfin_test::TestGra());
}

std::string Sub(const testsupport::TempDir &temp, const std::string &name) {
    const std::string path = temp.File(name) + "/";
    fs::create_directories(path);
    return path;
}

TEST(Soak, FiveHundredEntriesInOneRunEqualThemOneByOne) {
    const Scale scale = ChosenScale();
    testsupport::TempDir temp;
    const std::string originals = Sub(temp, "originals");
    for (int i = 0; i < kFiles; ++i) {
        zelfin_test::WriteJpeg(originals + FileName(i),
                               testsupport::MakePhotoLike(WidthOf(scale, i), scale.height, 100 + i));
    }

    // The whole package, and the same entries one package each.
    const std::vector<EntryPlan> plan = Plan(scale);
    PackageBuilder whole("94", true);
    for (size_t k = 0; k < plan.size(); ++k) {
        const EntryPlan &e = plan[k];
        whole.AddEntry(FileName(e.file), originals + FileName(e.file), e.x, e.y, BlockOf(e, static_cast<int>(k)),
                       e.kind);
    }
    ASSERT_EQ(package::EntryCount(whole.List()), kFiles * kEntriesPerFile);
    const std::string wholePackage = Sub(temp, "package");
    whole.Write(wholePackage);

    const std::string oneRun = temp.File("one-run") + "/";
    fs::copy(originals, oneRun);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ApplyPackage(whole.List(), wholePackage, oneRun), Failure::None);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::string byOne = temp.File("one-by-one") + "/";
    fs::copy(originals, byOne);
    const std::string singlePackage = Sub(temp, "single");
    for (size_t k = 0; k < plan.size(); ++k) {
        SCOPED_TRACE("entry " + std::to_string(k + 1));
        const EntryPlan &e = plan[k];
        PackageBuilder single("94", true);
        // Recorded against the file as the entries before left it.
        single.AddEntry(FileName(e.file), byOne + FileName(e.file), e.x, e.y, BlockOf(e, static_cast<int>(k)),
                        e.kind);
        single.Write(singlePackage);
        ASSERT_EQ(ApplyPackage(single.List(), singlePackage, byOne), Failure::None);
    }

    // Same bytes, targets and backups alike, and nothing else in either.
    EXPECT_EQ(zelfin_test::Names(oneRun), zelfin_test::Names(byOne));
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = FileName(i), backup = name.substr(0, name.size() - 1) + "~";
        SCOPED_TRACE(name);
        const auto patched = testsupport::ReadFile(oneRun + name);
        EXPECT_EQ(patched, testsupport::ReadFile(byOne + name));
        EXPECT_EQ(testsupport::ReadFile(oneRun + backup), testsupport::ReadFile(byOne + backup));
        EXPECT_NE(patched, testsupport::ReadFile(originals + name));
        EXPECT_EQ(zelfin_test::Decode(oneRun + name).width, WidthOf(scale, i));
    }

    // Peak memory of a fresh run: the last round alone (one entry per file,
    // the largest blocks), then all five rounds. Flat means the same figure.
    PackageBuilder lastRound("94", true);
    for (int i = 0; i < kFiles; ++i) {
        const int k = (kEntriesPerFile - 1) * kFiles + i;
        const EntryPlan &e = plan[static_cast<size_t>(k)];
        lastRound.AddEntry(FileName(e.file), originals + FileName(e.file), e.x, e.y, BlockOf(e, k), e.kind);
    }
    const std::string lastPackage = Sub(temp, "last-round");
    lastRound.Write(lastPackage);
    const std::string fresh1 = temp.File("fresh1") + "/", fresh5 = temp.File("fresh5") + "/";
    fs::copy(originals, fresh1);
    fs::copy(originals, fresh5);
    const long peak100 = PeakKiBOfFreshRun(lastPackage, fresh1);
    const long peak500 = PeakKiBOfFreshRun(wholePackage, fresh5);
    ASSERT_GT(peak100, 0);
    ASSERT_GT(peak500, 0);
    std::printf("soak at %d x %d: %d entries in one run took %.1f s; peak resident memory of a fresh run "
                "%ld KiB for %d entries, %ld KiB for %d entries\n",
                scale.width, scale.height, kFiles * kEntriesPerFile, seconds, peak100, kFiles, peak500,
                kFiles * kEntriesPerFile);
    ::testing::Test::RecordProperty("peak_kib_100_entries", static_cast<int>(peak100));
    ::testing::Test::RecordProperty("peak_kib_500_entries", static_cast<int>(peak500));
}

}  // namespace
}  // namespace hostile
