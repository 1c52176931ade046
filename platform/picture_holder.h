#pragma once
#include <cstdint>

#include "bitmap.h"

namespace platform {

// A self-sizing image control's picture (AutoSize): it takes the width and
// height of every picture put into it that has both above zero, and keeps its
// previous size when given nothing.
class PictureHolder {
public:
    static constexpr int32_t kDesignedSide = 105;

    [[nodiscard]] int32_t Width() const { return width_; }
    [[nodiscard]] int32_t Height() const { return height_; }
    [[nodiscard]] bool HasPicture() const { return picture_ != nullptr; }
    // Null when the holder has no picture.
    [[nodiscard]] NvBitmap *Picture() { return picture_.get(); }
    [[nodiscard]] const NvBitmap *Picture() const { return picture_.get(); }

    // Takes ownership. A null or empty picture leaves the holder empty and its
    // size unchanged.
    void SetPicture(BitmapPtr picture);
    // No picture afterwards; the size stays.
    void Clear() { picture_.reset(); }
    // Sets the size; a picture of another size is dropped.
    void SetSize(int32_t width, int32_t height);
    // The picture to draw on: the current one, or a new one of the holder's
    // size when there is none. Null only when that size cannot be allocated.
    [[nodiscard]] NvBitmap *Canvas();
    // Gives up the picture without destroying it (ownership to the caller).
    [[nodiscard]] BitmapPtr ReleaseHandle() { return std::move(picture_); }

private:
    int32_t width_ = kDesignedSide;
    int32_t height_ = kDesignedSide;
    BitmapPtr picture_;
};

}  // namespace platform
