#include "bitmap.h"

#include <algorithm>
#include <cstring>

#include "errors.h"
#include "file.h"

namespace platform {

namespace {

constexpr uintptr_t kPixelAlignment = 16;
constexpr int64_t kBmpHeadersSize = 14 + 40;

int64_t Bmp24RowSize(int64_t width) { return (width * 24 + 31) / 32 * 4; }

void PutLe16(uint8_t *p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLe32(uint8_t *p, uint32_t v) {
    PutLe16(p, v);
    PutLe16(p + 2, v >> 16);
}

// Narrows one axis of a copy to the part inside both bitmaps. Works in 64
// bits so that start + length cannot overflow whatever the caller passes.
// Returns the length left (<= 0: nothing to copy).
int64_t ClipAxis(int64_t &dstPos, int64_t &srcPos, int64_t length, int64_t dstExtent, int64_t srcExtent) {
    const int64_t skip = std::max({int64_t{0}, -dstPos, -srcPos});
    dstPos += skip;
    srcPos += skip;
    length -= skip;
    return std::min({length, dstExtent - dstPos, srcExtent - srcPos});
}

}  // namespace

bool BitmapSizeAllowed(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           width * height <= kMaxBitmapPixels;
}

HBITMAP AllocBitmap(int32_t width, int32_t height) {
    if (!BitmapSizeAllowed(width, height)) return nullptr;
    const size_t pixelBytes = static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(uint32_t);
    // The slack lets the pixels start on a 16-byte boundary (SIMD loads)
    // whatever alignment malloc gives on the platform.
    void *block = std::malloc(sizeof(NvBitmap) + (kPixelAlignment - 1) + pixelBytes);
    if (block == nullptr) return nullptr;
    auto *bitmap = static_cast<NvBitmap *>(block);
    const uintptr_t after = reinterpret_cast<uintptr_t>(bitmap + 1);
    const uintptr_t aligned = (after + kPixelAlignment - 1) & ~(kPixelAlignment - 1);
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = reinterpret_cast<uint32_t *>(aligned);
    return bitmap;
}

void BitBlt(NvBitmap &dst, int32_t dx, int32_t dy, int32_t w, int32_t h,
            const NvBitmap &src, int32_t sx, int32_t sy) {
    int64_t dstX = dx, dstY = dy, srcX = sx, srcY = sy;
    const int64_t width = ClipAxis(dstX, srcX, w, dst.width, src.width);
    const int64_t height = ClipAxis(dstY, srcY, h, dst.height, src.height);
    if (width <= 0 || height <= 0) return;

    const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
    auto rowOf = [](const NvBitmap &b, int64_t x, int64_t y) {
        return b.pixels + static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x);
    };
    // Source and destination may be one bitmap: walk the rows in the order
    // that reads each source row before it is overwritten (memmove handles
    // the overlap inside a row).
    const bool bottomUp = &dst == &src && dstY > srcY;
    for (int64_t i = 0; i < height; ++i) {
        const int64_t row = bottomUp ? height - 1 - i : i;
        std::memmove(rowOf(dst, dstX, dstY + row), rowOf(src, srcX, srcY + row), rowBytes);
    }
}

int64_t Bmp24FileSize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return -1;
    const int64_t size = kBmpHeadersSize + Bmp24RowSize(width) * height;
    return size <= INT32_MAX ? size : -1;
}

std::vector<uint8_t> EncodeBmp24(const NvBitmap &bitmap) {
    const int64_t fileSize = Bmp24FileSize(bitmap.width, bitmap.height);
    // Every bitmap AllocBitmap makes fits; anything else yields no file.
    if (fileSize < 0) return {};
    const int64_t rowSize = Bmp24RowSize(bitmap.width);

    // Value-initialised: the reserved fields, the zero header fields and the
    // row padding are all zero bytes.
    std::vector<uint8_t> out(static_cast<size_t>(fileSize));
    uint8_t *p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    PutLe32(p + 2, static_cast<uint32_t>(fileSize));
    PutLe32(p + 10, static_cast<uint32_t>(kBmpHeadersSize));
    PutLe32(p + 14, 40);
    PutLe32(p + 18, static_cast<uint32_t>(bitmap.width));
    PutLe32(p + 22, static_cast<uint32_t>(bitmap.height));  // positive: bottom row first
    PutLe16(p + 26, 1);
    PutLe16(p + 28, 24);
    PutLe32(p + 34, static_cast<uint32_t>(rowSize * bitmap.height));

    uint8_t *row = p + kBmpHeadersSize;
    for (int64_t y = bitmap.height - 1; y >= 0; --y, row += rowSize) {
        const uint32_t *pixel = bitmap.pixels + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width);
        uint8_t *q = row;
        for (int32_t x = 0; x < bitmap.width; ++x, q += 3) {
            const uint32_t rgb = pixel[x];  // 0x00RRGGBB; the file wants B, G, R
            q[0] = static_cast<uint8_t>(rgb);
            q[1] = static_cast<uint8_t>(rgb >> 8);
            q[2] = static_cast<uint8_t>(rgb >> 16);
        }
    }
    return out;
}

void SaveBmp24ToFile(const NvBitmap &bitmap, const std::string &path) {
    const std::vector<uint8_t> bytes = EncodeBmp24(bitmap);
    if (bytes.empty() || !WriteWholeFile(path, bytes.data(), bytes.size())) throw FileCreateError(path);
}

}  // namespace platform
