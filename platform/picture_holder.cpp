#include "picture_holder.h"

#include <algorithm>

namespace platform {

namespace {
// What a freshly made picture shows before anything is drawn on it.
constexpr uint32_t kBlankPixel = 0x00FFFFFF;
}  // namespace

void PictureHolder::SetPicture(BitmapPtr picture) {
    if (picture && picture->width > 0 && picture->height > 0) {
        width_ = picture->width;
        height_ = picture->height;
        picture_ = std::move(picture);
    } else {
        picture_.reset();
    }
}

void PictureHolder::SetSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    if (picture_ && (picture_->width != width || picture_->height != height)) picture_.reset();
}

NvBitmap *PictureHolder::Canvas() {
    if (!picture_) {
        picture_.reset(AllocBitmap(width_, height_));
        if (picture_) {
            const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
            std::fill_n(picture_->pixels, count, kBlankPixel);
        }
    }
    return picture_.get();
}

}  // namespace platform
