#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testsupport {

// A picture in the library's pixel layout: 0x00RRGGBB words, rows top to
// bottom, no padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    uint32_t &at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
inline constexpr int RedOf(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline constexpr int GreenOf(uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline constexpr int BlueOf(uint32_t p) { return static_cast<int>(p & 0xFF); }

// A deterministic picture that compresses like a photograph: smooth colour
// gradients and soft blobs, a few hard-edged shapes, and fine grain noise.
// The same seed and size always give the same pixels; different seeds give
// visibly different pictures. Every pixel's top byte is 0.
[[nodiscard]] Picture MakePhotoLike(int width, int height, uint32_t seed);

// A picture of one colour.
[[nodiscard]] Picture MakeSolid(int width, int height, uint32_t rgb);

}  // namespace testsupport
