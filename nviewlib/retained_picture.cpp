#include "nviewlib/retained_picture.h"

#include <cstring>

namespace nviewlib {

bool RetainedPicture::Assign(const NvBitmap &bitmap) {
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    if (count > capacity_) {
        // malloc, not realloc: the old pixels are about to be overwritten, so
        // copying them over would be wasted work.
        auto *bigger = static_cast<uint32_t *>(std::malloc(count * sizeof(uint32_t)));
        if (bigger == nullptr) return false;
        buffer_.reset(bigger);
        capacity_ = count;
    }
    std::memcpy(buffer_.get(), bitmap.pixels, count * sizeof(uint32_t));
    width_ = bitmap.width;
    height_ = bitmap.height;
    return true;
}

}  // namespace nviewlib
