#include "platform/errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ErrorText {
    const char *name;
    std::function<platform::PlatformError()> make;
    const char *text;
};

// Rows are named in test output by their name alone.
void PrintTo(const ErrorText &c, std::ostream *os) { *os << c.name; }

class ErrorTexts : public ::testing::TestWithParam<ErrorText> {};

TEST_P(ErrorTexts, AreTheUsersText) {
    EXPECT_STREQ(GetParam().make().what(), GetParam().text);
}

// Half-width katakana are deliberate and must stay half-width.
const ErrorText kErrorTexts[] = {
    {"ConvertAsciiLine", [] { return platform::ConvertError("abc"); }, "'abc' は整数ではありません"},
    {"ConvertEmptyLine", [] { return platform::ConvertError(""); }, "'' は整数ではありません"},
    // The line is code page 932 bytes: 表 is 0x95 0x5C, ｴ is 0xB4.
    {"ConvertCp932Line", [] { return platform::ConvertError("\x95\x5C\xB4"); }, "'表ｴ' は整数ではありません"},
    {"ConvertUnmappableByte", [] { return platform::ConvertError("9\x80"); }, "'9\uFFFD' は整数ではありません"},
    {"ListIndex", [] { return platform::ListIndexError(); }, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"},
    {"FileCreate", [] { return platform::FileCreateError("/tmp/新/temp"); }, "ﾌｧｲﾙ /tmp/新/temp を作成できません"},
    {"FileOpen", [] { return platform::FileOpenError("zelfin.ini"); }, "ﾌｧｲﾙ zelfin.ini は開けません"},
};

INSTANTIATE_TEST_SUITE_P(Table, ErrorTexts, ::testing::ValuesIn(kErrorTexts),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
