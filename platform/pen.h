#pragma once
#include <cstdint>

#include "nv_bitmap.h"

namespace platform {

// A colour as the class library encodes it (0x00BBGGRR) turned into our
// pixel layout (0x00RRGGBB).
[[nodiscard]] constexpr uint32_t PixelFromColorRef(uint32_t colorRef) {
    return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}

// The default pen of a drawing surface, 1 pixel wide and solid, after MoveTo
// (x0, y0) and LineTo (x1, y1): the pixels from the start point up to, but
// not including, the end point. Pixels outside the bitmap are dropped, so any
// coordinates are safe; the time taken grows with the line's length.
void DrawLine(NvBitmap &bitmap, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t pixel);

}  // namespace platform
