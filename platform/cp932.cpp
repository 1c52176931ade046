#include "cp932.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// "CP932", never "SHIFT_JIS": glibc's Shift_JIS turns 0x5C into the yen sign
// and has no NEC characters such as ①. No //IGNORE or //TRANSLIT either: a
// character without a counterpart must fail the conversion, not vanish.
constexpr const char *kCp932 = "CP932";
constexpr const char *kUtf8 = "UTF-8";
constexpr const char *kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of input as it can, appending to out. Returns 0 when
    // all of it converted, else the errno that stopped it (EILSEQ: a sequence
    // or character without a counterpart; EINVAL: an incomplete sequence at
    // the end); input is advanced to the offending byte.
    int Convert(std::string_view &input, std::string &out) {
        char *in = const_cast<char *>(input.data());
        size_t inLeft = input.size();
        int error = 0;
        while (inLeft > 0) {
            char buffer[1024];
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t r = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                error = errno;
                break;
            }
        }
        input.remove_prefix(input.size() - inLeft);
        if (error == 0) {
            // Neither encoding is stateful, but flushing costs nothing and keeps
            // the converter correct if that ever changes.
            char buffer[16];
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
                return errno;
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
        }
        return error;
    }

private:
    iconv_t cd_;
};

std::optional<std::string> ConvertStrict(const char *to, const char *from, std::string_view input) {
    Converter converter(to, from);
    if (!converter.ok()) return std::nullopt;
    std::string out;
    out.reserve(input.size() * 2);
    if (converter.Convert(input, out) != 0) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return ConvertStrict(kUtf8, kCp932, cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return ConvertStrict(kCp932, kUtf8, utf8);
}

std::string Cp932ToUtf8ForDisplay(std::string_view cp932) {
    Converter converter(kUtf8, kCp932);
    std::string out;
    if (!converter.ok()) return out;
    while (true) {
        const int error = converter.Convert(cp932, out);
        if (error == 0) break;
        out += kReplacement;
        // An incomplete sequence can only stand at the end; anything else
        // drops one byte and goes on with the next.
        if (error != EILSEQ || cp932.empty()) break;
        cp932.remove_prefix(1);
    }
    return out;
}

bool Cp932EndsWithSingleByte(std::string_view cp932, char sep) {
    // Trail bytes overlap ASCII (表 is 0x95 0x5C), so the character boundaries
    // can only be found walking from the start.
    bool lastIsSingle = false;
    for (size_t i = 0; i < cp932.size();) {
        const bool pair = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size();
        lastIsSingle = !pair;
        i += pair ? 2 : 1;
    }
    return lastIsSingle && cp932.back() == sep;
}

}  // namespace platform
