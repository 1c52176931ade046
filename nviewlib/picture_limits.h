#pragma once
#include <cstdint>

namespace nviewlib {

// The largest picture the library decodes: 65535 on a side and 2^28 pixels
// in all (1 GiB of pixels). Every decoder checks the size a header claims
// against this before it allocates anything sized by it.
inline constexpr int64_t kMaxSide = 65535;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// A fuzzer finds headers claiming the maximum within seconds; a gigabyte per
// input would make every run crawl without testing anything new.
inline constexpr int64_t kMaxPixels = int64_t{1} << 22;
#else
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;
#endif

[[nodiscard]] constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

}  // namespace nviewlib
