#pragma once
#include <cstddef>
#include <cstdint>

#include "tests/support/picture.h"

// Channel-wise comparison of 0x00RRGGBB pictures, for judging lossy round
// trips. The top byte is not compared: tests check it on its own.
namespace testsupport {

// Mean of |a - b| over the R, G and B channels of every pixel.
[[nodiscard]] double MeanAbsDiff(const uint32_t *a, const uint32_t *b, size_t count);
// Largest |a - b| of any channel of any pixel.
[[nodiscard]] int MaxAbsDiff(const uint32_t *a, const uint32_t *b, size_t count);

// The same for pictures; the sizes must agree (checked by the caller).
[[nodiscard]] double MeanAbsDiff(const Picture &a, const Picture &b);
[[nodiscard]] int MaxAbsDiff(const Picture &a, const Picture &b);

}  // namespace testsupport
