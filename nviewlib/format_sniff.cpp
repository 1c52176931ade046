#include "nviewlib/format_sniff.h"

#include <cstring>

namespace nviewlib {

namespace {

bool StartsWith(const uint8_t *head, size_t size, const char *magic, size_t length) {
    return size >= length && std::memcmp(head, magic, length) == 0;
}

}  // namespace

ImageFormat SniffFormat(const uint8_t *head, size_t size) {
    // SOI followed by the first marker's 0xFF: a lone FF D8 is too weak.
    if (StartsWith(head, size, "\xFF\xD8\xFF", 3)) return ImageFormat::kJpeg;
    if (StartsWith(head, size, "\x89PNG\r\n\x1A\n", 8)) return ImageFormat::kPng;
    if (StartsWith(head, size, "GIF87a", 6) || StartsWith(head, size, "GIF89a", 6))
        return ImageFormat::kGif;
    // "BM" alone; the BMP reader validates the headers that follow.
    if (StartsWith(head, size, "BM", 2)) return ImageFormat::kBmp;
    return ImageFormat::kUnknown;
}

}  // namespace nviewlib
