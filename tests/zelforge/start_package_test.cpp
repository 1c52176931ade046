// Starting a package: the data file, the header, the counters, and where the
// package folder is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "package/package_files.h"
#include "tests/support/file_util.h"
#include "tests/support/temp_dir.h"
#include "zelforge/start_package.h"

using namespace zelforge;

namespace {

struct RecordingLog : AuthoringLog {
    std::vector<std::string> lines;
    void AddLogLine(const std::string &utf8) override { lines.push_back(utf8); }
};

CheckedSettings Settings(const std::string &exe) {
    CheckedSettings s;
    s.distributionFile = exe;
    s.promptCp932 = "\x95\x5C";  // 表
    s.qualityCp932 = " 094";
    s.backup = true;
    return s;
}

TEST(StartPackage, CreatesEmptyDataFileAndHeader) {
    testsupport::TempDir dir;
    RecordingLog log;
    AuthoringVars vars;
    vars.EntryNumber = 7;
    vars.DataOffset = 99;
    vars.AuthoringState = AuthoringMode::Marking;
    ASSERT_EQ(StartPackage(Settings(dir.File("patch.exe")), vars, log, "/elsewhere"), StartResult::Started);

    EXPECT_EQ(vars.PackageFolder, dir.path() + "/");
    EXPECT_EQ(vars.DistributionPath, dir.File("patch.exe"));
    ASSERT_TRUE(vars.DataFile);
    EXPECT_TRUE(vars.DataFile->IsOpen());
    EXPECT_EQ(testsupport::ReadFile(dir.File("zelfin.dat")).size(), 0u);
    EXPECT_EQ(vars.EntryNumber, 1);
    EXPECT_EQ(vars.DataOffset, 0);
    EXPECT_EQ(vars.AuthoringState, AuthoringMode::Selecting);
    ASSERT_EQ(log.lines, std::vector<std::string>{"ﾌｫﾙﾀﾞ:" + dir.path() + "/"});

    const std::vector<std::string> header{"\x95\x5C", " 094", "1", "none", "none", "none"};
    ASSERT_EQ(vars.ControlList.Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(vars.ControlList[i], header[i]) << "line " << i;
}

TEST(StartPackage, BackupOffWritesZero) {
    testsupport::TempDir dir;
    RecordingLog log;
    AuthoringVars vars;
    CheckedSettings s = Settings(dir.File("a.exe"));
    s.backup = false;
    ASSERT_EQ(StartPackage(s, vars, log, "/"), StartResult::Started);
    EXPECT_EQ(vars.ControlList[package::kBackupLine], "0");
}

TEST(StartPackage, EmptiesAnOldDataFile) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("zelfin.dat"), std::string(1000, 'x'));
    RecordingLog log;
    AuthoringVars vars;
    ASSERT_EQ(StartPackage(Settings(dir.File("a.exe")), vars, log, "/"), StartResult::Started);
    EXPECT_EQ(testsupport::ReadFile(dir.File("zelfin.dat")).size(), 0u);
}

TEST(StartPackage, MissingFolderChangesNothingElse) {
    testsupport::TempDir dir;
    RecordingLog log;
    AuthoringVars vars;
    vars.EntryNumber = 5;
    vars.ControlList.Add("kept");
    const std::string exe = dir.File("no/such/a.exe");
    ASSERT_EQ(StartPackage(Settings(exe), vars, log, "/"), StartResult::DataFileNotCreated);
    EXPECT_EQ(vars.PackageFolder, dir.path() + "/no/such/");
    EXPECT_FALSE(vars.DataFile);
    EXPECT_EQ(vars.EntryNumber, 5);
    EXPECT_EQ(vars.ControlList.Count(), 1);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_FALSE(testsupport::FileExists(dir.File("no")));
}

TEST(StartPackage, FileStandingWhereTheFolderShouldBe) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("plain"), std::string("x"));
    RecordingLog log;
    AuthoringVars vars;
    EXPECT_EQ(StartPackage(Settings(dir.File("plain/a.exe")), vars, log, "/"), StartResult::DataFileNotCreated);
}

// A name without a folder is pinned to the folder current when the package
// starts, so a later move of the file list cannot scatter the package.
TEST(StartPackage, BareNameIsPinnedToTheCurrentFolder) {
    testsupport::TempDir dir;
    RecordingLog log;
    AuthoringVars vars;
    ASSERT_EQ(StartPackage(Settings("patch.exe"), vars, log, dir.path()), StartResult::Started);
    EXPECT_EQ(vars.PackageFolder, dir.path() + "/");
    EXPECT_EQ(vars.DistributionPath, dir.File("patch.exe"));
    EXPECT_TRUE(testsupport::FileExists(dir.File("zelfin.dat")));
    EXPECT_EQ(log.lines.at(0), "ﾌｫﾙﾀﾞ:" + dir.path() + "/");
}

struct PinRow {
    const char *exe;
    const char *current;
    const char *folder;
};

TEST(PinnedPackageFolder, Table) {
    const PinRow rows[] = {
        {"/abs/p.exe", "/cur", "/abs/"},
        {"/p.exe", "/cur", "/"},
        {"p.exe", "/cur", "/cur/"},
        {"p.exe", "/cur/", "/cur/"},
        {"p.exe", "/", "/"},
        {"sub/p.exe", "/cur", "/cur/sub/"},
        {"/abs/dir/", "/cur", "/abs/dir/"},
    };
    for (const PinRow &row : rows) {
        SCOPED_TRACE(row.exe);
        EXPECT_EQ(PinnedPackageFolder(row.exe, row.current), row.folder);
    }
}

}  // namespace
