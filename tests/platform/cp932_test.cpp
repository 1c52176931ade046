#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char *name;
    std::string_view cp932;
    std::string_view utf8;
};

// Rows are named in test output by their name alone.
void PrintTo(const RoundTrip &c, std::ostream *os) { *os << c.name; }

const RoundTrip kRoundTrips[] = {
    {"Empty", "", ""},
    // 0x5C and 0x7E stay backslash and tilde (not yen sign and overline).
    {"AsciiWithBackslashAndTilde", "a\\b~", "a\\b~"},
    {"KanjiWith5CTrail", "\x95\x5C", "表"},
    {"NecCircledOne", "\x87\x40", "①"},
    {"HalfWidthKatakana", "\xB4\xD7\xB0", "ｴﾗｰ"},
    {"Mixed", "\x95\x5C.jpg", "表.jpg"},
};

class Cp932RoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Cp932RoundTrip, BothDirections) {
    EXPECT_EQ(platform::Cp932ToUtf8(GetParam().cp932), std::string(GetParam().utf8));
    EXPECT_EQ(platform::Utf8ToCp932(GetParam().utf8), std::string(GetParam().cp932));
    EXPECT_EQ(platform::Cp932ToUtf8ForDisplay(GetParam().cp932), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Table, Cp932RoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Cp932, BytesWithoutCounterpartAreRefused) {
    for (std::string_view bytes : {"\x81", "a\x95", "\x80", "x\xFF", "\x95\x5C\xA0"})
        EXPECT_EQ(platform::Cp932ToUtf8(bytes), std::nullopt) << testing::PrintToString(bytes);
}

TEST(Cp932, CharactersWithoutCounterpartAreRefused) {
    // é and an emoji have no code page 932 form; the rest is broken UTF-8.
    for (std::string_view text : {"caf\xC3\xA9", "\xF0\x9F\x98\x80", "\xC3", "a\xFF", "\xED\xA0\x80"})
        EXPECT_EQ(platform::Utf8ToCp932(text), std::nullopt) << testing::PrintToString(text);
}

TEST(Cp932, DisplayReplacesWhatDoesNotConvert) {
    EXPECT_EQ(platform::Cp932ToUtf8ForDisplay("a\x80" "b"), "a\uFFFDb");
    EXPECT_EQ(platform::Cp932ToUtf8ForDisplay("\x80\x80"), "\uFFFD\uFFFD");
    EXPECT_EQ(platform::Cp932ToUtf8ForDisplay("\x95\x5C\x81"), "表\uFFFD");
}

struct EndsCase {
    const char *name;
    std::string_view text;
    char sep;
    bool want;
};

void PrintTo(const EndsCase &c, std::ostream *os) { *os << c.name; }

const EndsCase kEndsCases[] = {
    {"Empty", "", '\\', false},
    {"AsciiBackslash", "dir\\", '\\', true},
    {"AsciiSlash", "dir/", '/', true},
    {"OtherLastByte", "dir", '\\', false},
    {"KanjiTrailIsNotSeparator", "\x95\x5C", '\\', false},
    {"KanjiThenBackslash", "\x95\x5C\\", '\\', true},
    {"HalfWidthKanaIsSingle", "\xB4\\", '\\', true},
    // Only a walk from the start finds the pairing: 95 95 | 5C, but 95 | 95 5C.
    {"PairThenBackslash", "\x95\x95\x5C", '\\', true},
    {"ByteThenPairEndingIn5C", "x\x95\x95\x95\x5C", '\\', false},
    {"LoneLeadByteAtEnd", "a\x81", '\\', false},
};

class EndsWithSingleByte : public ::testing::TestWithParam<EndsCase> {};

TEST_P(EndsWithSingleByte, WalksCharacterBoundaries) {
    EXPECT_EQ(platform::Cp932EndsWithSingleByte(GetParam().text, GetParam().sep), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Table, EndsWithSingleByte, ::testing::ValuesIn(kEndsCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
