#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The package's integer rule. Accepts exactly:
//   blanks (0x20 only), then
//   either an optional '+' or '-' and one or more decimal digits (leading zeros
//   allowed), value in -2147483647 .. 2147483647 (-2147483648 itself fails);
//   or one of "$", "x", "X", "0x", "0X" and one or more hex digits, no sign,
//   read as an unsigned 32-bit pattern of at most eight significant digits
//   (leading zeros do not count), so 80000000 and above read as negative.
// Nothing may follow the last digit, not even a blank.
[[nodiscard]] std::optional<int32_t> TryStrToInt(std::string_view text);

// TryStrToInt, raising ConvertError with the whole text when it fails.
[[nodiscard]] int32_t StrToInt(std::string_view text);

// Decimal, '-' for negatives, no leading zeros, blanks or separators.
[[nodiscard]] std::string IntToStr(int32_t value);

}  // namespace platform
