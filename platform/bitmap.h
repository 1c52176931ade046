#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "nv_bitmap.h"

namespace platform {

// Largest picture any part of the system accepts: 65535 on a side, 2^28 pixels
// in all (1 GiB of pixels). Checked before any allocation.
inline constexpr int32_t kMaxBitmapSide = 65535;
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

[[nodiscard]] bool BitmapSizeAllowed(int64_t width, int64_t height);

struct BitmapFree {
    void operator()(NvBitmap *b) const { std::free(b); }
};
using BitmapPtr = std::unique_ptr<NvBitmap, BitmapFree>;

// One malloc block: the struct, then the pixels (16-byte aligned). Pixels are
// left uninitialised: every caller covers them fully. Null when the size is
// not allowed or memory runs out.
[[nodiscard]] HBITMAP AllocBitmap(int32_t width, int32_t height);

// Copies w x h pixels from src at (sx, sy) to dst at (dx, dy), dropping every
// pixel that falls outside either bitmap (SRCCOPY with clipping on both sides).
void BitBlt(NvBitmap &dst, int32_t dx, int32_t dy, int32_t w, int32_t h,
            const NvBitmap &src, int32_t sx, int32_t sy);

// Size in bytes of a 24-bit bottom-up BMP of w x h: 54 + row size * h, rows
// padded to 4 bytes. -1 when it does not fit a signed 32-bit length.
[[nodiscard]] int64_t Bmp24FileSize(int32_t width, int32_t height);

// The whole bitmap as a 24-bit uncompressed BMP file: 14-byte file header,
// 40-byte information header, no colour table, rows bottom to top, B G R.
[[nodiscard]] std::vector<uint8_t> EncodeBmp24(const NvBitmap &bitmap);

// Writes EncodeBmp24's bytes to path, replacing any file there.
// Throws FileCreateError when the file cannot be created or fully written.
void SaveBmp24ToFile(const NvBitmap &bitmap, const std::string &path);

}  // namespace platform
