// Arbitrary bytes as a control list: the line splitting (from memory and from
// a file), and every line through the integer rule, the failure text built
// from it, and the name check that guards the target folder. Each result is
// judged against a property the code under test does not compute itself.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "memory_file.h"
#include "package/package_files.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/int_text.h"
#include "platform/string_list.h"
#include "zelfin/entry_paths.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The integer rule, written from its statement: blanks; then a signed
// decimal within +-2147483647, or a prefix and at most eight significant hex
// digits taken as a 32-bit pattern; nothing after.
std::optional<int32_t> ReferenceStrToInt(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    bool hex = false, negative = false;
    if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    } else if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    for (char c : s)
        if (hex ? !IsHexDigit(c) : !IsDigit(c)) return std::nullopt;
    while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
    if (s.size() > (hex ? 8u : 10u)) return std::nullopt;
    const unsigned long long v = std::strtoull(std::string(s).c_str(), nullptr, hex ? 16 : 10);
    if (hex) return static_cast<int32_t>(static_cast<uint32_t>(v));
    if (v > 2147483647ull) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<long long>(v) : static_cast<long long>(v));
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

void CheckInteger(const std::string &line) {
    const std::optional<int32_t> value = platform::TryStrToInt(line);
    Check(value == ReferenceStrToInt(line));
    if (value) {
        Check(platform::StrToInt(line) == *value);
        // Every value but the one only a hex pattern reaches prints back to itself.
        if (*value != INT32_MIN) Check(platform::TryStrToInt(platform::IntToStr(*value)) == value);
        return;
    }
    try {
        (void)platform::StrToInt(line);
        Check(false);
    } catch (const platform::ConvertError &e) {
        const std::string_view text = e.what();
        Check(IsValidUtf8(text));
        Check(text.size() >= 2 && text.front() == '\'');
    }
}

// A name the applier joins to the folder must stay one file in that folder.
void CheckName(const std::string &line) {
    static const std::string folder = "/target/";
    const std::optional<zelfin::EntryPaths> paths = zelfin::MakeEntryPaths(folder, line);
    Check(paths.has_value() == package::IsSafeEntryName(line));
    if (!paths) return;
    for (const std::string *p : {&paths->target, &paths->backup}) {
        if (p->empty()) continue;
        Check(p->compare(0, folder.size(), folder) == 0);
        const std::string name = p->substr(folder.size());
        Check(!name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
              name.find('\0') == std::string::npos);
    }
    Check(paths->backup != paths->target);
}

// Lines the splitting must give, counted from the bytes alone: one per line
// end (CR LF counting once), plus an unterminated last line.
size_t ExpectedLineCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            ++count;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    const char last = text.empty() ? '\n' : text.back();
    return count + (last != '\n' && last != '\r' ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    platform::TStringList list;
    list.SetText(bytes);

    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    Check(static_cast<size_t>(list.Count()) == ExpectedLineCount(text));
    std::string joined, withoutEnds;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string &line = list[i];
        Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        joined += line;
    }
    for (char c : text)
        if (c != '\r' && c != '\n') withoutEnds += c;
    Check(joined == withoutEnds);

    // Saved with CR LF ends and read back, from memory and from a file.
    platform::TStringList again;
    again.SetText(list.Text());
    platform::TStringList fromFile;
    fromFile.LoadFromFile(zelfuzz::PutInMemoryFile(data, size));
    Check(again.Count() == list.Count() && fromFile.Count() == list.Count());
    for (int i = 0; i < list.Count(); ++i) Check(again[i] == list[i] && fromFile[i] == list[i]);
    try {
        (void)list[list.Count()];
        Check(false);
    } catch (const platform::ListIndexError &) {
    }
    Check(package::EntryCount(list) == (list.Count() >= 12 ? list.Count() / 6 - 1 : 0));

    for (int i = 0; i < list.Count(); ++i) {
        CheckInteger(list[i]);
        CheckName(list[i]);
        Check(IsValidUtf8(platform::Cp932ToUtf8ForDisplay(list[i])));
    }
    return 0;
}
