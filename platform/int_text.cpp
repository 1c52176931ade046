#include "int_text.h"

#include <string>

#include "errors.h"

namespace platform {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// digits: everything after the prefix. The value is a 32-bit pattern, so
// 80000000 and above wrap to negative numbers.
std::optional<int32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint32_t value = 0;
    int significant = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        if (significant > 0 || d != 0) ++significant;
        if (significant > 8) return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // The magnitude is capped at 2147483647 for both signs: -2147483648 fails.
    constexpr int64_t kLimit = 2147483647;
    int64_t magnitude = 0;
    for (char c : text) {
        if (!IsDecimalDigit(c)) return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);

    if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
        return ParseHex(text.substr(1));
    // A lone "0" is decimal zero; only "0x"/"0X" start the hex form.
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.substr(2));
    return ParseDecimal(text);
}

int32_t StrToInt(std::string_view text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw ConvertError(std::string(text));
}

std::string IntToStr(int32_t value) { return std::to_string(value); }

}  // namespace platform
