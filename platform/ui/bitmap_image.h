#pragma once
#include "platform/bitmap.h"

class QImage;

namespace platform {

// The picture of a QImage (for instance the clipboard's) as one of our
// bitmaps, alpha dropped. Null for an empty image or one above the size cap.
[[nodiscard]] BitmapPtr BitmapFromImage(const QImage &image);

}  // namespace platform
