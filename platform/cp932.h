#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Code page 932 <-> UTF-8 through iconv("CP932"). Both return nullopt when a
// byte sequence or character has no counterpart: package bytes are never
// replaced or dropped silently.
[[nodiscard]] std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
[[nodiscard]] std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// For showing bytes to a person only: what does not convert becomes U+FFFD.
[[nodiscard]] std::string Cp932ToUtf8ForDisplay(std::string_view cp932);

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
[[nodiscard]] constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True when the last character of cp932 text is the single byte sep, not the
// trail byte of a double-byte character (0x5C is a valid trail byte).
[[nodiscard]] bool Cp932EndsWithSingleByte(std::string_view cp932, char sep);

}  // namespace platform
