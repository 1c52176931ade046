#pragma once
#include "nviewlib/bitmap_block.h"
#include "nviewlib/input_file.h"

namespace nviewlib {

// Decodes a PNG file of any colour type and bit depth, interlaced or not,
// through libpng: palette and tRNS transparency, 16-bit samples scaled to 8.
// Translucent pixels are composited over white. No gamma correction (the
// picture shows as its samples say, like the JPEGs it is pasted into).
// Null when malformed or cut short inside the image data; chunks after the
// image data are not read.
[[nodiscard]] BitmapBlock DecodePng(InputFile &file);

}  // namespace nviewlib
