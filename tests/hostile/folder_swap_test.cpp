// The target folder, or a target in it, changed by someone else after the
// verification pass and before the application pass: the run stops with
// "書き込めませんでした" at the entry it can no longer do, without hanging,
// and nothing anywhere in the temporary folder changes but what the entries
// before it legitimately wrote.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "package/data_file.h"
#include "package/package_files.h"
#include "tests/hostile/hostile_support.h"
#include "tests/support/file_util.h"
#include "tests/zelfin/package_fixture.h"
#include "zelfin/entry_passes.h"

namespace hostile {
namespace {

using zelfin::Failure;
using zelfin_test::Folders;
using zelfin_test::PackageBuilder;

struct Paths {
    std::string temp;    // the temporary folder, without '/'
    std::string target;  // the target folder, with '/'
    std::string second;  // the second entry's target
};

struct SwapCase {
    const char *label;
    std::function<void(const Paths &)> change;
    Failure expected;
    bool firstApplied;     // entry 1 was done before the change bites
    bool secondBackedUp;   // with backups on, a copy of the second target is made
    bool secondRewritten;  // the second target is replaced by the patched JPEG
};

void Check(bool ok, const char *what) {
    // Thrown into the test, which reports it as a failure.
    if (!ok) throw std::runtime_error(what);
}

// The folder moved aside keeps its contents, so the check sees they stay
// untouched.
void MoveFolderAside(const Paths &p) {
    Check(rename(p.target.c_str(), (p.temp + "/moved").c_str()) == 0, "rename");
}

const SwapCase kCases[] = {
    {"FolderRemoved", MoveFolderAside, Failure::WriteFailed, false, false, false},
    {"FolderReplacedByFile",
     [](const Paths &p) {
         MoveFolderAside(p);
         testsupport::WriteFile(p.target.substr(0, p.target.size() - 1), std::string("a file now"));
     },
     Failure::WriteFailed, false, false, false},
    {"SecondTargetRemoved", [](const Paths &p) { Check(unlink(p.second.c_str()) == 0, "unlink"); },
     Failure::WriteFailed, true, false, false},
    {"SecondTargetReplacedByFolder",
     [](const Paths &p) {
         Check(unlink(p.second.c_str()) == 0 && mkdir(p.second.c_str(), 0755) == 0, "mkdir");
         testsupport::WriteFile(p.second + "/inside.jpg", std::string("keep"));
     },
     Failure::WriteFailed, true, false, false},
    // A pipe would block a reader that opens it without care.
    {"SecondTargetReplacedByPipe",
     [](const Paths &p) { Check(unlink(p.second.c_str()) == 0 && mkfifo(p.second.c_str(), 0644) == 0, "mkfifo"); },
     Failure::WriteFailed, true, false, false},
    {"SecondTargetCutInHalf",
     [](const Paths &p) { Check(truncate(p.second.c_str(), std::filesystem::file_size(p.second) / 2) == 0, "cut"); },
     Failure::WriteFailed, true, true, false},
    // The picture is still there, through a link to a file outside the
    // folder: the entry is applied, and the link, not the file it points
    // to, is what gets replaced.
    {"SecondTargetSwappedForLinkOutside",
     [](const Paths &p) {
         const std::string outside = p.temp + "/outside.jpg";
         Check(rename(p.second.c_str(), outside.c_str()) == 0 && symlink(outside.c_str(), p.second.c_str()) == 0,
               "symlink");
     },
     Failure::None, true, true, true},
};

class FolderSwap : public ::testing::TestWithParam<std::tuple<SwapCase, bool>> {};

TEST_P(FolderSwap, StopsAtTheEntryAndChangesNothingElse) {
    const auto &[c, backup] = GetParam();
    Folders folders;
    const Paths paths{folders.temp.path(), folders.target, folders.target + "2.jpg"};
    PackageBuilder builder("94", backup);
    for (const char *name : {"1.jpg", "2.jpg"}) {
        zelfin_test::WriteJpeg(folders.target + name, testsupport::MakePhotoLike(48, 32, name[0]));
        builder.AddEntry(name, folders.target + name, 8, 8, testsupport::MakeSolid(16, 16, 0xFF8000));
    }
    builder.Write(folders.package);
    const Tree original = DescribeTree(paths.temp);

    ASSERT_EQ(zelfin::VerifyEntries(builder.List(), folders.target), Failure::None);
    c.change(paths);
    const Tree before = DescribeTree(paths.temp);
    // What a backup of the second target would hold: the bytes read through
    // its name, whatever it now is.
    const std::string secondBytes =
        std::filesystem::is_regular_file(paths.second) ? FileEntry(paths.second) : std::string();

    package::DataFileReader data(folders.package + package::kDataFileName);
    zelfin_test::Holders holders;
    EXPECT_EQ(zelfin::ApplyEntries(builder.List(), data, {folders.target, 94, backup}, holders.Refs(),
                                   zelfin_test::TestGra()),
              c.expected);

    const Tree after = DescribeTree(paths.temp);
    Tree expected = before;
    const auto rewritten = [&](const std::string &name) {
        const std::string key = "target/" + name;
        EXPECT_NE(after.count(key) ? after.at(key) : "", original.at(key)) << name << " not rewritten";
        EXPECT_EQ(zelfin_test::Decode(folders.target + name).width, 48) << name << " is no whole picture";
        if (after.count(key)) expected[key] = after.at(key);
    };
    if (c.firstApplied) {
        rewritten("1.jpg");
        if (backup) expected["target/1.jp~"] = original.at("target/1.jpg");
    }
    if (backup && c.secondBackedUp) expected["target/2.jp~"] = secondBytes;
    if (c.secondRewritten) rewritten("2.jpg");
    EXPECT_EQ(after, expected);
}

INSTANTIATE_TEST_SUITE_P(Changes, FolderSwap, ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).label) +
                                    (std::get<1>(info.param) ? "_BackupsOn" : "_BackupsOff");
                         });

}  // namespace
}  // namespace hostile
