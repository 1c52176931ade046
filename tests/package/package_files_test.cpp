#include "package/package_files.h"

#include <gtest/gtest.h>

#include <climits>

#include "../platform/test_files.h"
#include "platform/int_text.h"

namespace {

using platform::TStringList;

TStringList ListOf(int lines) {
    TStringList list;
    for (int i = 0; i < lines; ++i) list.Add("line");
    return list;
}

TEST(EntryCount, WholeGroupsOfSixAfterTheHeader) {
    const std::pair<int, int> cases[] = {
        {0, 0}, {1, 0}, {5, 0}, {6, 0}, {7, 0}, {11, 0}, {12, 1}, {13, 1}, {17, 1}, {18, 2}, {23, 2}, {24, 3},
    };
    for (auto [lines, entries] : cases) EXPECT_EQ(package::EntryCount(ListOf(lines)), entries) << lines;
}

TEST(BackupLine, OnlyTheSingleCharacterOneMeansOn) {
    const std::pair<const char *, bool> cases[] = {
        {"1", true}, {"0", false}, {"01", false}, {" 1", false}, {"1 ", false}, {"", false}, {"11", false}, {"x1", false},
    };
    for (auto [line, on] : cases) EXPECT_EQ(package::BackupLineMeansOn(line), on) << '"' << line << '"';
}

// "更新するJPEGのフォルダを指定してください。" in code page 932.
const std::string kDefaultPrompt =
    "\x8D\x58\x90\x56\x82\xB7\x82\xE9JPEG\x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xF0"
    "\x8E\x77\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42";

TEST(ControlList, HeaderAndEntryLines) {
    TStringList list;
    package::AppendHeader(list, kDefaultPrompt, "94", true);
    package::AppendEntry(list, {"\x95\x5C.jpg", 123456, 0, -1, 58, INT32_MIN});
    TStringList off;
    package::AppendHeader(off, "", " 94", false);

    EXPECT_EQ(list.Text(), kDefaultPrompt + "\r\n94\r\n1\r\nnone\r\nnone\r\nnone\r\n"
                                            "\x95\x5C.jpg\r\n123456\r\n0\r\n-1\r\n58\r\n-2147483648\r\n");
    EXPECT_EQ(off.Text(), "\r\n 94\r\n0\r\nnone\r\nnone\r\nnone\r\n");
    EXPECT_EQ(package::EntryCount(list), 1);
    EXPECT_EQ(package::EntryCount(off), 0);
}

TEST(ControlList, SavedListReadsBackEntryByEntry) {
    test_files::ScratchFolder folder;
    const std::string path = folder / package::kControlListName;
    TStringList written;
    package::AppendHeader(written, kDefaultPrompt, "0x5E", false);
    const package::EntryRecord entries[] = {
        {"a.jpg", 1000, 10, 20, 0, 58},
        {"\x95\x5C.jpg", 2000, 0, 0, 58, 70},
    };
    for (const auto &e : entries) package::AppendEntry(written, e);
    written.SaveToFile(path);

    TStringList read;
    read.LoadFromFile(path);
    ASSERT_EQ(package::EntryCount(read), 2);
    EXPECT_EQ(platform::StrToInt(read[package::kQualityLine]), 94);
    EXPECT_FALSE(package::BackupLineMeansOn(read[package::kBackupLine]));
    for (int k = 1; k <= 2; ++k) {
        const package::EntryRecord &e = entries[k - 1];
        using package::EntryField;
        using package::EntryLine;
        EXPECT_EQ(read[EntryLine(k, EntryField::Name)], e.name);
        EXPECT_EQ(platform::StrToInt(read[EntryLine(k, EntryField::Size)]), e.size);
        EXPECT_EQ(platform::StrToInt(read[EntryLine(k, EntryField::X)]), e.x);
        EXPECT_EQ(platform::StrToInt(read[EntryLine(k, EntryField::Y)]), e.y);
        EXPECT_EQ(platform::StrToInt(read[EntryLine(k, EntryField::Offset)]), e.offset);
        EXPECT_EQ(platform::StrToInt(read[EntryLine(k, EntryField::Length)]), e.length);
    }
}

struct NameCase {
    const char *name;
    std::string_view entryName;
    bool safe;
};

// Rows are named in test output by their name alone.
void PrintTo(const NameCase &c, std::ostream *os) { *os << c.name; }

const NameCase kNameCases[] = {
    {"Plain", "a.jpg", true},
    {"KanjiWith5CTrail", "\x95\x5C.jpg", true},
    {"HalfWidthKatakana", "\xB4\xD7\xB0.jpg", true},
    {"DotsInside", "a..b.jpg", true},
    {"LeadingBlank", " a.jpg", true},
    {"Empty", "", false},
    {"Dot", ".", false},
    {"DotDot", "..", false},
    {"Slash", "a/b", false},
    {"LeadingSlash", "/etc", false},
    {"Backslash", "a\\b", false},
    {"BackslashAfterKanji", "\x95\x5C\\x", false},
    {"ControlByte", "\x01x", false},
    {"Delete", "a\x7F", false},
    {"Tab", "a\tb", false},
    {"ZeroByte", std::string_view("a\0b", 3), false},
    {"LoneLeadByte", "\x81", false},
    {"LeadByteBeforeEnd", "a.jpg\x95", false},
    {"UnmappedByte", "a\x80.jpg", false},
};

class SafeEntryName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeEntryName, Verdict) {
    EXPECT_EQ(package::IsSafeEntryName(std::string(GetParam().entryName)), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(Table, SafeEntryName, ::testing::ValuesIn(kNameCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
