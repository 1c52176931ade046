#pragma once
#include <cstdint>
#include <vector>

namespace nviewlib {

// What a flag-1 load keeps of a JPEG file so that a later save to the same
// path does not strip it. Either part may be empty.
struct JpegMetadata {
    std::vector<uint8_t> icc;   // the whole ICC profile, reassembled from its APP2 chunks
    std::vector<uint8_t> exif;  // payload of the first APP1 segment starting "Exif\0\0"
};

}  // namespace nviewlib
