// The OK checks of the settings dialog, one row per case, in the order the
// author meets them.
#include <gtest/gtest.h>

#include "zelforge/settings_check.h"
#include "zelforge/texts.h"

using zelforge::CheckSettings;
using zelforge::SettingsInput;
using zelforge::SettingsVerdict;

namespace {

struct Row {
    const char *name;
    const char *quality;
    const char *quality2;
    bool jpegSave;
    const char *exe;
    SettingsVerdict verdict;
};

const Row kRows[] = {
    {"Zero", "0", "94", false, "/p/a.exe", SettingsVerdict::QualityOutOfRange},
    {"OneHundredOne", "101", "94", false, "/p/a.exe", SettingsVerdict::QualityOutOfRange},
    {"MinusFive", "-5", "94", false, "/p/a.exe", SettingsVerdict::QualityOutOfRange},
    {"One", "1", "94", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"OneHundred", "100", "94", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"Empty", "", "94", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"Letters", "abc", "94", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"LeadingBlank", " 94", "94", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"LeadingZero", "094", "94", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"TrailingBlank", "94 ", "94", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"Hex", "0x5E", "94", false, "/p/a.exe", SettingsVerdict::Accepted},
    // The difference quality is always converted, range-checked only when used.
    {"DiffLettersUnchecked", "94", "abc", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"DiffEmptyUnchecked", "94", "", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"DiffZeroUnchecked", "94", "0", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"Diff500Unchecked", "94", "500", false, "/p/a.exe", SettingsVerdict::Accepted},
    {"DiffZeroChecked", "94", "0", true, "/p/a.exe", SettingsVerdict::QualityOutOfRange},
    {"Diff101Checked", "94", "101", true, "/p/a.exe", SettingsVerdict::QualityOutOfRange},
    {"DiffOneChecked", "94", "1", true, "/p/a.exe", SettingsVerdict::Accepted},
    {"NoExe", "94", "94", false, "", SettingsVerdict::NoDistributionFile},
    // Earlier checks win over later ones.
    {"NumericBeforeRange", "101", "x", false, "/p/a.exe", SettingsVerdict::QualityNotNumeric},
    {"RangeBeforeName", "0", "94", false, "", SettingsVerdict::QualityOutOfRange},
};

class SettingsRows : public testing::TestWithParam<Row> {};

TEST_P(SettingsRows, Verdict) {
    const Row &row = GetParam();
    SettingsInput input;
    input.quality = row.quality;
    input.quality2 = row.quality2;
    input.jpegSave = row.jpegSave;
    input.distributionFile = row.exe;
    input.prompt = "更新するJPEGのフォルダを指定してください。";
    const auto check = CheckSettings(input);
    EXPECT_EQ(check.verdict, row.verdict);
    if (row.verdict == SettingsVerdict::Accepted) {
        // Header line 1 keeps the text exactly as typed.
        EXPECT_EQ(check.settings.qualityCp932, row.quality);
        EXPECT_EQ(check.settings.distributionFile, row.exe);
    }
}

INSTANTIATE_TEST_SUITE_P(Quality, SettingsRows, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row> &info) { return std::string(info.param.name); });

SettingsInput Valid(const std::string &prompt) {
    SettingsInput input;
    input.quality = "94";
    input.quality2 = "94";
    input.distributionFile = "/p/a.exe";
    input.prompt = prompt;
    return input;
}

TEST(SettingsPrompt, StoredAsCodePage932) {
    const auto check = CheckSettings(Valid("表①"));
    ASSERT_EQ(check.verdict, SettingsVerdict::Accepted);
    // 表 is 0x95 0x5C, ① (an NEC character) 0x87 0x40.
    EXPECT_EQ(check.settings.promptCp932, std::string("\x95\x5C\x87\x40"));
}

TEST(SettingsPrompt, EmptyIsAllowed) {
    EXPECT_EQ(CheckSettings(Valid("")).verdict, SettingsVerdict::Accepted);
}

TEST(SettingsPrompt, RefusedWhenItWouldBreakOrMangleTheLine) {
    for (const char *prompt : {"two\nlines", "cr\rhere", "tab\there", "emoji 😀", "ハングル 한"}) {
        SCOPED_TRACE(prompt);
        EXPECT_EQ(CheckSettings(Valid(prompt)).verdict, SettingsVerdict::PromptNotRecordable);
    }
}

}  // namespace
