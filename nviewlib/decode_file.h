#pragma once
#include "nviewlib/bitmap_block.h"
#include "nviewlib/format_sniff.h"
#include "nviewlib/jpeg_metadata.h"

namespace nviewlib {

// Which formats a caller accepts, as a bit set of 1 << ImageFormat.
enum FormatMask : unsigned {
    kAcceptJpeg = 1u << static_cast<unsigned>(ImageFormat::kJpeg),
    kAcceptBmp = 1u << static_cast<unsigned>(ImageFormat::kBmp),
    kAcceptPng = 1u << static_cast<unsigned>(ImageFormat::kPng),
    kAcceptGif = 1u << static_cast<unsigned>(ImageFormat::kGif),
    kAcceptAny = kAcceptJpeg | kAcceptBmp | kAcceptPng | kAcceptGif,
};

// Opens path, tells its format by content and decodes it with the matching
// decoder. Null when the file cannot be opened, is not a regular file, has
// a format outside accept, or does not decode. keep (may be null) receives
// a JPEG's ICC profile and EXIF; for other formats it is left empty.
[[nodiscard]] BitmapBlock DecodeFile(const char *path, unsigned accept, JpegMetadata *keep);

}  // namespace nviewlib
