#pragma once
#include "nviewlib/bitmap_block.h"
#include "nviewlib/input_file.h"

namespace nviewlib {

// Decodes an uncompressed Windows or OS/2 bitmap file:
// - headers: the 12-byte core header and the 40, 52, 56, 108 and 124-byte
//   information headers;
// - 1, 4 and 8 bits through the colour table (an index past the table gives
//   black), 24 bits, 16 and 32 bits either plain (5-5-5 and 8-8-8) or with
//   bit fields (BI_BITFIELDS, BI_ALPHABITFIELDS; masks contiguous, disjoint
//   and inside the pixel);
// - rows bottom-up (positive height) or top-down (negative height).
// An alpha channel is ignored, as the Windows bitmap functions do.
// Null for RLE, embedded JPEG/PNG, any other compression or header, a size
// out of range, or a file too short for its rows; a final row without its
// padding bytes is accepted.
[[nodiscard]] BitmapBlock DecodeBmp(InputFile &file);

}  // namespace nviewlib
