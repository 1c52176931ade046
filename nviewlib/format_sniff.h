#pragma once
#include <cstddef>
#include <cstdint>

namespace nviewlib {

enum class ImageFormat { kUnknown, kJpeg, kBmp, kPng, kGif };

// How many leading bytes SniffFormat looks at.
inline constexpr size_t kSniffBytes = 8;

// The format by the file's first bytes alone, never by its name: the
// authoring tool loads an extensionless "temp" and the applier a "tmp.bmp"
// that may hold JPEG bytes. head may be shorter than kSniffBytes.
[[nodiscard]] ImageFormat SniffFormat(const uint8_t *head, size_t size);

}  // namespace nviewlib
