// The applier's run from a program folder: finding the package, the prompt,
// the header lines and the platform failures it lets through.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "package/package_files.h"
#include "package_fixture.h"
#include "platform/errors.h"
#include "platform/file.h"
#include "tests/support/file_util.h"
#include "tests/support/library_path.h"
#include "zelfin/applier_run.h"

namespace zelfin_test {
namespace {

using testsupport::MakeSolid;
using zelfin::Failure;
using zelfin::RunOutcome;

struct Program {
    Folders folders;
    Holders holders;
    zelfin::RunState state;
    Gra gra;
    std::vector<std::string> promptTitles;
    std::string answer;

    Program() {
        EXPECT_TRUE(platform::CopyFileOverwrite(testsupport::NViewLibPath(), folders.package + "NVIEWLIB.DLL"));
        answer = folders.target;
    }
    RunOutcome Run() {
        const zelfin::FolderPrompt prompt = [this](const std::string &title) {
            promptTitles.push_back(title);
            return answer;
        };
        return zelfin::RunApplier(gra, folders.package, prompt, holders.Refs(), state);
    }
    std::string Target(const std::string &name) const { return folders.target + name; }
    void WriteList(const std::vector<std::string> &lines) {
        platform::TStringList list;
        for (const auto &line : lines) list.Add(line);
        list.SaveToFile(folders.package + package::kControlListName);
        testsupport::WriteFile(folders.package + package::kDataFileName, std::string());
    }
};

bool IsResult(const RunOutcome &outcome, Failure failure) {
    return outcome.kind == RunOutcome::Kind::Result && outcome.failure == failure;
}

TEST(ApplierRun, MissingPackageMembersAreReportedBeforeAnyPrompt) {
    enum class Missing { Library, ControlList, DataFile };
    for (const Missing missing : {Missing::Library, Missing::ControlList, Missing::DataFile}) {
        Program program;
        program.WriteList({"t", "94", "0", "none", "none", "none"});
        const char *name = missing == Missing::Library       ? "NVIEWLIB.DLL"
                           : missing == Missing::ControlList ? "zelfin.ini"
                                                             : "zelfin.dat";
        ASSERT_TRUE(platform::DeleteFile(program.folders.package + name));
        EXPECT_TRUE(IsResult(program.Run(), Failure::FileMissing)) << name;
        EXPECT_TRUE(program.promptTitles.empty()) << name;
    }
}

TEST(ApplierRun, NotALibraryCountsAsMissing) {
    Program program;
    program.WriteList({"t", "94", "0", "none", "none", "none"});
    testsupport::WriteFile(program.folders.package + "NVIEWLIB.DLL", std::string("MZ not an ELF object"));
    EXPECT_TRUE(IsResult(program.Run(), Failure::FileMissing));
}

TEST(ApplierRun, ControlListThatCannotBeOpenedRaisesTheOpenFailure) {
    Program program;
    program.WriteList({"t", "94", "0", "none", "none", "none"});
    platform::DeleteFile(program.folders.package + "zelfin.ini");
    ASSERT_EQ(mkdir((program.folders.package + "zelfin.ini").c_str(), 0755), 0);
    try {
        (void)program.Run();
        FAIL() << "no exception";
    } catch (const platform::FileOpenError &e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + program.folders.package + "zelfin.ini は開けません");
    }
}

TEST(ApplierRun, MissingHeaderLinesRaiseTheListIndexFailure) {
    struct Case {
        std::vector<std::string> lines;
        bool prompted;
    };
    for (const Case &c : {Case{{}, false}, Case{{"t"}, true}, Case{{"t", "94"}, true}}) {
        Program program;
        program.WriteList(c.lines);
        EXPECT_THROW((void)program.Run(), platform::ListIndexError);
        EXPECT_EQ(program.promptTitles.size(), c.prompted ? 1u : 0u);
    }
}

TEST(ApplierRun, QualityLineIsReadEvenAfterACancelledPrompt) {
    Program program;
    program.WriteList({"t", "94 ", "0", "none", "none", "none"});
    program.answer.clear();
    try {
        (void)program.Run();
        FAIL() << "no exception";
    } catch (const platform::ConvertError &e) {
        EXPECT_EQ(std::string(e.what()), "'94 ' は整数ではありません");
    }
}

TEST(ApplierRun, CancelledPromptEndsQuietlyWithNothingChanged) {
    Program program;
    const Picture picture = MakeSolid(16, 16, 0x808080);
    WriteJpeg(program.Target("a.jpg"), picture);
    PackageBuilder builder;
    builder.AddEntry("a.jpg", program.Target("a.jpg"), 0, 0, MakeSolid(4, 4, 0));
    builder.Write(program.folders.package);
    program.answer.clear();
    const FolderSnapshot before = Snapshot(program.folders.temp.path());

    EXPECT_EQ(program.Run().kind, RunOutcome::Kind::EndQuietly);
    EXPECT_EQ(Snapshot(program.folders.temp.path()), before);
}

TEST(ApplierRun, PromptIsTitledWithHeaderLineZeroInUnicode) {
    Program program;
    // "更新" in code page 932.
    program.WriteList({"\x8d\x58\x90\x56", "94", "0", "none", "none", "none"});
    EXPECT_TRUE(IsResult(program.Run(), Failure::None));
    EXPECT_EQ(program.promptTitles, std::vector<std::string>{"更新"});
}

TEST(ApplierRun, BackupsOnExactlyForTheSingleCharacterOne) {
    for (const char *line : {"1", "0", "01", " 1", "1 ", ""}) {
        SCOPED_TRACE(std::string("line 2 = '") + line + "'");
        Program program;
        WriteJpeg(program.Target("a.jpg"), testsupport::MakePhotoLike(16, 16, 1));
        PackageBuilder builder;
        builder.AddEntry("a.jpg", program.Target("a.jpg"), 0, 0, MakeSolid(4, 4, 0));
        builder.SetLine(package::kBackupLine, line);
        builder.Write(program.folders.package);

        EXPECT_TRUE(IsResult(program.Run(), Failure::None));
        EXPECT_EQ(testsupport::FileExists(program.Target("a.jp~")), std::string(line) == "1");
    }
}

TEST(ApplierRun, FolderGetsItsSeparatorOnce) {
    for (const bool withSeparator : {false, true}) {
        Program program;
        WriteJpeg(program.Target("a.jpg"), testsupport::MakePhotoLike(16, 16, 1));
        PackageBuilder builder;
        builder.AddEntry("a.jpg", program.Target("a.jpg"), 0, 0, MakeSolid(4, 4, 0));
        builder.Write(program.folders.package);
        program.answer = program.folders.target;
        if (!withSeparator) program.answer.pop_back();
        EXPECT_TRUE(IsResult(program.Run(), Failure::None));
    }
}

TEST(ApplierRun, FolderNameEndingInTheSeparatorValueAsTrailByteIsFound) {
    // 表 ends in the byte of '\' in code page 932; here folders end in '/',
    // and the name must still be found inside.
    Program program;
    const std::string folder = program.folders.temp.File("表");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    WriteJpeg(folder + "/a.jpg", testsupport::MakePhotoLike(16, 16, 1));
    PackageBuilder builder;
    builder.AddEntry("a.jpg", folder + "/a.jpg", 0, 0, MakeSolid(4, 4, 0));
    builder.Write(program.folders.package);
    program.answer = folder;
    EXPECT_TRUE(IsResult(program.Run(), Failure::None));
}

TEST(ApplierRun, EmptyPackageSucceedsWithoutTouchingTheFolder) {
    Program program;
    program.WriteList({"t", "94", "1", "none", "none", "none"});
    testsupport::WriteFile(program.Target("keep.jpg"), std::string("x"));
    const FolderSnapshot before = Snapshot(program.folders.target);
    EXPECT_TRUE(IsResult(program.Run(), Failure::None));
    EXPECT_EQ(Snapshot(program.folders.target), before);
}

}  // namespace
}  // namespace zelfin_test
