#include "bitmap_image.h"

#include <QImage>
#include <cstring>

namespace platform {

BitmapPtr BitmapFromImage(const QImage &image) {
    if (image.isNull() || !BitmapSizeAllowed(image.width(), image.height())) return nullptr;
    BitmapPtr bitmap(AllocBitmap(image.width(), image.height()));
    if (!bitmap) return nullptr;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(bitmap->width) * 4;
    for (int y = 0; y < bitmap->height; ++y) {
        uint32_t *row = bitmap->pixels + static_cast<size_t>(y) * bitmap->width;
        std::memcpy(row, rgb.constScanLine(y), rowBytes);
        // Format_RGB32 keeps 0xFF in the top byte; our pixels are 0x00RRGGBB.
        for (int x = 0; x < bitmap->width; ++x) row[x] &= 0x00FFFFFFu;
    }
    return bitmap;
}

}  // namespace platform
