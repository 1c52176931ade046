#include "pen.h"

#include <cstdlib>

namespace platform {

void DrawLine(NvBitmap &bitmap, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t pixel) {
    // 64-bit throughout: the caller's coordinates may sit near the int32
    // limits, and the error terms of a long line must not overflow.
    int64_t x = x0, y = y0;
    const int64_t dx = std::llabs(int64_t{x1} - x0), dy = -std::llabs(int64_t{y1} - y0);
    const int64_t stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    while (x != x1 || y != y1) {
        if (x >= 0 && y >= 0 && x < bitmap.width && y < bitmap.height)
            bitmap.pixels[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)] = pixel;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace platform
