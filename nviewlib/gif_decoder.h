#pragma once
#include "nviewlib/bitmap_block.h"
#include "nviewlib/input_file.h"

namespace nviewlib {

// Decodes the first frame of a GIF file through giflib; later frames are
// never read. The picture has the logical screen's size (grown to hold the
// frame if the frame sticks out); the frame's transparent colour and the
// screen area the frame does not cover show white.
// Null when malformed, cut short, without any frame or without a colour map.
[[nodiscard]] BitmapBlock DecodeGif(InputFile &file);

}  // namespace nviewlib
