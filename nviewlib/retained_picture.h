#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/nv_bitmap.h"

namespace nviewlib {

// The library's own copy of the picture of the latest successful load, which
// a save encodes: the caller owns (and may already have freed) the handle it
// was given.
//
// The buffer grows but never shrinks. Callers load full frames over and over
// (the applier: old picture, block, composite, per entry), and first touches
// of freshly mapped pages cost about 2.5 ms per MB here, more than decoding;
// a buffer that stays mapped is paid for once.
class RetainedPicture {
public:
    // Copies bitmap in. When the buffer must grow and memory runs out, false
    // and the previous picture stays as it was.
    [[nodiscard]] bool Assign(const NvBitmap &bitmap);

    [[nodiscard]] bool empty() const { return width_ == 0; }
    [[nodiscard]] int32_t width() const { return width_; }
    [[nodiscard]] int32_t height() const { return height_; }
    [[nodiscard]] const uint32_t *pixels() const { return buffer_.get(); }

private:
    struct Free {
        void operator()(uint32_t *p) const { std::free(p); }
    };
    std::unique_ptr<uint32_t, Free> buffer_;
    size_t capacity_ = 0;  // in pixels
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace nviewlib
