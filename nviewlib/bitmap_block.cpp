#include "nviewlib/bitmap_block.h"

#include "nviewlib/picture_limits.h"

namespace nviewlib {

namespace {

// Pixels start on a 16-byte boundary (what malloc guarantees for the block)
// so SIMD row loops in the callers never straddle a misaligned start.
constexpr size_t kPixelOffset = (sizeof(NvBitmap) + 15) & ~size_t{15};

}  // namespace

BitmapBlock AllocateBitmap(int64_t width, int64_t height) {
    if (!PictureSizeAllowed(width, height)) return nullptr;
    const size_t bytes = kPixelOffset + static_cast<size_t>(width * height) * sizeof(uint32_t);
    auto *raw = static_cast<unsigned char *>(std::malloc(bytes));
    if (raw == nullptr) return nullptr;
    auto *bitmap = reinterpret_cast<NvBitmap *>(raw);
    bitmap->width = static_cast<int32_t>(width);
    bitmap->height = static_cast<int32_t>(height);
    bitmap->pixels = reinterpret_cast<uint32_t *>(raw + kPixelOffset);
    return BitmapBlock(bitmap);
}

}  // namespace nviewlib
