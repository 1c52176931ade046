#include "platform/string_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/errors.h"
#include "test_files.h"

namespace {

using namespace std::string_view_literals;
using platform::TStringList;
using Lines = std::vector<std::string>;

Lines LinesOf(const TStringList &list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

struct SplitCase {
    const char *name;
    std::string_view bytes;
    Lines lines;
};

// Rows are named in test output by their name alone.
void PrintTo(const SplitCase &c, std::ostream *os) { *os << c.name; }

const SplitCase kSplitCases[] = {
    {"Empty", ""sv, {}},
    {"CrLf", "a\r\nb\r\n"sv, {"a", "b"}},
    {"LfOnly", "a\nb\n"sv, {"a", "b"}},
    {"CrOnly", "a\rb\r"sv, {"a", "b"}},
    {"LfCrEndsTwo", "a\n\rb"sv, {"a", "", "b"}},
    {"CrCrLf", "a\r\r\n"sv, {"a", ""}},
    {"TwoCr", "\r\r"sv, {"", ""}},
    {"LoneLf", "\n"sv, {""}},
    {"LastLineWithoutEnd", "a\r\nb"sv, {"a", "b"}},
    {"ExtraEmptyLineAtEnd", "a\r\n\r\n"sv, {"a", ""}},
    {"ZeroByteEndsText", "a\0b"sv, {"a"}},
    {"ZeroByteAfterLineEnd", "a\r\n\0b\r\n"sv, {"a"}},
    {"ZeroByteFirst", "\0a"sv, {}},
    {"BlanksKept", " a \r\n"sv, {" a "}},
    // 0x5C is a trail byte here (表), and 0x0D/0x0A never are.
    {"Cp932BytesUntouched", "\x95\x5C\xB4\r\n"sv, {"\x95\x5C\xB4"}},
};

class ListSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ListSplit, SplitsAsTheLoaderDoes) {
    TStringList list;
    list.Add("left over");
    list.SetText(GetParam().bytes);
    EXPECT_EQ(LinesOf(list), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Table, ListSplit, ::testing::ValuesIn(kSplitCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StringList, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("a");
    list.Add("");
    list.Add("\x95\x5C");
    EXPECT_EQ(list.Text(), "a\r\n\r\n\x95\x5C\r\n");
}

TEST(StringList, IndexOutsideTheListThrows) {
    TStringList list;
    list.Add("only");
    EXPECT_EQ(list.Strings(0), "only");
    for (int index : {-1, 1, 2, INT32_MIN}) {
        EXPECT_THROW((void)list.Strings(index), platform::ListIndexError) << index;
        EXPECT_THROW((void)list[index], platform::ListIndexError) << index;
    }
}

TEST(StringListFile, SaveWritesTextAndLoadReadsItBack) {
    test_files::ScratchFolder folder;
    const std::string path = folder / "zelfin.ini";
    test_files::WriteBytes(path, std::string(500, 'x'));  // longer than what replaces it

    TStringList list;
    for (const char *line : {"", "94", "1", "none", "\x95\x5C.jpg", "-5"}) list.Add(line);
    list.SaveToFile(path);
    EXPECT_EQ(test_files::ReadBytes(path), list.Text());

    TStringList loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(LinesOf(loaded), LinesOf(list));
}

struct LoadFailure {
    const char *name;
    void (*prepare)(const std::string &path);
};

void PrintTo(const LoadFailure &c, std::ostream *os) { *os << c.name; }

const LoadFailure kLoadFailures[] = {
    {"Missing", [](const std::string &) {}},
    {"Folder", [](const std::string &p) { ASSERT_EQ(mkdir(p.c_str(), 0755), 0); }},
    // A FIFO would block a plain open() until some writer came along.
    {"Fifo", [](const std::string &p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }},
};

class ListLoadFailure : public ::testing::TestWithParam<LoadFailure> {};

TEST_P(ListLoadFailure, ThrowsFileOpenErrorAndKeepsTheList) {
    test_files::ScratchFolder folder;
    const std::string path = folder / "zelfin.ini";
    GetParam().prepare(path);
    TStringList list;
    list.Add("kept");
    try {
        list.LoadFromFile(path);
        FAIL() << "no exception";
    } catch (const platform::FileOpenError &e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + path + " は開けません");
    }
    EXPECT_EQ(LinesOf(list), Lines{"kept"});
}

INSTANTIATE_TEST_SUITE_P(Table, ListLoadFailure, ::testing::ValuesIn(kLoadFailures),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StringListFile, SaveIntoMissingFolderThrowsFileCreateError) {
    test_files::ScratchFolder folder;
    test_files::WriteBytes(folder / "plain", "a file, not a folder");
    TStringList list;
    list.Add("x");
    const std::string paths[] = {folder / "missing/zelfin.ini", folder / "plain/zelfin.ini"};
    for (const std::string &path : paths) {
        try {
            list.SaveToFile(path);
            ADD_FAILURE() << "no exception for " << path;
        } catch (const platform::FileCreateError &e) {
            EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + path + " を作成できません");
        }
    }
}

TEST(StringListFile, SaveCutShortThrowsAndLeavesNoPartialFile) {
    test_files::ScratchFolder folder;
    const std::string path = folder / "zelfin.ini";
    TStringList list;
    for (int i = 0; i < 100; ++i) list.Add("line of the control list");
    {
        test_files::FileSizeLimit limit(64);
        EXPECT_THROW(list.SaveToFile(path), platform::FileCreateError);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
