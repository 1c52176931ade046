#include "platform/int_text.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/errors.h"

namespace {

using platform::TryStrToInt;

struct IntCase {
    const char *name;
    std::string_view text;
    std::optional<int32_t> want;  // nullopt: the rule refuses the text
};

// Rows are named in test output by their name alone.
void PrintTo(const IntCase &c, std::ostream *os) { *os << c.name; }

const IntCase kIntCases[] = {
    {"Zero", "0", 0},
    {"Plain", "94", 94},
    {"LeadingBlank", " 94", 94},
    {"ManyLeadingBlanks", "     94", 94},
    {"TrailingBlankFails", "94 ", std::nullopt},
    {"TrailingNewlineFails", "94\n", std::nullopt},
    {"TrailingLetterFails", "94a", std::nullopt},
    {"InnerBlankFails", "1 2", std::nullopt},
    {"TabBeforeDigitsFails", "\t94", std::nullopt},
    {"PlusSign", "+94", 94},
    {"MinusSign", "-94", -94},
    {"MinusZero", "-0", 0},
    {"BlankThenSign", " -5", -5},
    {"BlankAfterSignFails", "- 5", std::nullopt},
    {"DoubleSignFails", "--5", std::nullopt},
    {"LeadingZeros", "00000000000094", 94},
    {"DecimalMax", "2147483647", INT32_MAX},
    {"DecimalMaxLeadingZeros", "0002147483647", INT32_MAX},
    {"DecimalMaxNegated", "-2147483647", -INT32_MAX},
    {"DecimalMinFails", "-2147483648", std::nullopt},
    {"DecimalOverflowFails", "2147483648", std::nullopt},
    {"DecimalFarOverflowFails", "99999999999999999999999", std::nullopt},
    {"HexLettersWithoutPrefixFail", "5E", std::nullopt},
    {"Prefix0x", "0x5E", 94},
    {"Prefix0X", "0X1f", 31},
    {"PrefixDollar", "$ff", 255},
    {"PrefixX", "x10", 16},
    {"PrefixUpperX", "X10", 16},
    {"BlankThenHex", "  $10", 16},
    {"HexMax", "$7FFFFFFF", INT32_MAX},
    {"HexMinIsNegative", "x80000000", INT32_MIN},
    {"HexAllOnes", "0xFFFFFFFF", -1},
    {"HexLeadingZerosDoNotCount", "$000000001", 1},
    {"HexEightSignificantAfterZeros", "$0000000FFFFFFFF", -1},
    {"HexNineSignificantFails", "$100000000", std::nullopt},
    {"HexBadDigitFails", "$fg", std::nullopt},
    {"HexTrailingBlankFails", "0x5 ", std::nullopt},
    {"BlankAfterPrefixFails", "$ 5", std::nullopt},
    {"SignBeforeHexPrefixFails", "+0x5", std::nullopt},
    {"SignBeforeDollarFails", "-$5", std::nullopt},
    {"SignAfterPrefixFails", "$-1", std::nullopt},
    {"DoublePrefixFails", "0x0x5", std::nullopt},
    {"ZeroBeforePrefixFails", "00x5", std::nullopt},
    {"EmptyFails", "", std::nullopt},
    {"BlanksOnlyFail", "   ", std::nullopt},
    {"PlusAloneFails", "+", std::nullopt},
    {"MinusAloneFails", "-", std::nullopt},
    {"DollarAloneFails", "$", std::nullopt},
    {"XAloneFails", "x", std::nullopt},
    {"ZeroXAloneFails", "0x", std::nullopt},
    {"FullWidthDigitsFail", "\x82\x58\x82\x53", std::nullopt},  // ９４ in code page 932
    {"ZeroByteFails", std::string_view("9\0", 2), std::nullopt},
};

class IntRule : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntRule, ConvertsOrRefuses) {
    const IntCase &c = GetParam();
    EXPECT_EQ(TryStrToInt(c.text), c.want);
    if (c.want) {
        EXPECT_EQ(platform::StrToInt(c.text), *c.want);
    } else {
        EXPECT_THROW((void)platform::StrToInt(c.text), platform::ConvertError);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, IntRule, ::testing::ValuesIn(kIntCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StrToInt, ErrorNamesTheWholeLine) {
    try {
        (void)platform::StrToInt(" 94 ");
        FAIL() << "no exception";
    } catch (const platform::ConvertError &e) {
        EXPECT_STREQ(e.what(), "' 94 ' は整数ではありません");
    }
}

struct IntToStrCase {
    int32_t value;
    const char *text;
};

TEST(IntToStr, DecimalWithMinusOnly) {
    const IntToStrCase cases[] = {
        {0, "0"}, {94, "94"}, {-1, "-1"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(platform::IntToStr(c.value), c.text);
        // Everything IntToStr writes reads back, except the one value the
        // rule refuses in decimal.
        EXPECT_EQ(TryStrToInt(c.text), c.value == INT32_MIN ? std::nullopt : std::optional(c.value));
    }
}

}  // namespace
