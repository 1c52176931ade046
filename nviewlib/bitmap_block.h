#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/nv_bitmap.h"

namespace nviewlib {

struct BitmapBlockFree {
    void operator()(NvBitmap *bitmap) const { std::free(bitmap); }
};
// The handle the ABI hands out: one malloc() block holding the NvBitmap and
// then its pixels, so the caller releases everything with a single free().
using BitmapBlock = std::unique_ptr<NvBitmap, BitmapBlockFree>;

// A block for width x height pixels, pixels left uninitialised (every
// decoder covers them fully). Null when the size is not allowed or memory
// runs out.
[[nodiscard]] BitmapBlock AllocateBitmap(int64_t width, int64_t height);

[[nodiscard]] inline uint32_t *RowOf(const NvBitmap &bitmap, int64_t y) {
    return bitmap.pixels + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width);
}

}  // namespace nviewlib
