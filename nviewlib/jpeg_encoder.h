#pragma once
#include <cstdint>

#include "nviewlib/jpeg_metadata.h"
#include "nviewlib/replacement_file.h"

namespace nviewlib {

// Encodes width x height 0x00RRGGBB pixels (rows top to bottom, no padding)
// as a baseline JPEG into out: quality clamped to 1..100, 4:4:4 chroma from
// quality 90 up and 4:2:0 below, optimised Huffman tables. metadata, when not
// null, is written back: EXIF as APP1 right after the JFIF header, then the
// ICC profile as APP2 chunks. False on any libjpeg or write error.
[[nodiscard]] bool EncodeJpeg(const uint32_t *pixels, int32_t width, int32_t height, int quality,
                              const JpegMetadata *metadata, ReplacementFile &out);

}  // namespace nviewlib
