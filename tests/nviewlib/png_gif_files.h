#pragma once
#include <cstdint>
#include <vector>

namespace nvtest {

// PNG bytes through libpng's writer. samples holds, per pixel and in PNG
// channel order, one value per channel (palette index, grey, grey+alpha,
// RGB or RGBA), each within the bit depth.
struct PngLayout {
    int width = 0;
    int height = 0;
    int colour_type = 0;  // PNG_COLOR_TYPE_*
    int bit_depth = 8;
    bool interlaced = false;
    std::vector<uint16_t> samples;
    std::vector<uint32_t> palette;       // 0x00RRGGBB, for palette images
    std::vector<uint8_t> palette_alpha;  // tRNS for palette images
    int trns_grey = -1;                  // tRNS for grey images, -1 = none
};
[[nodiscard]] std::vector<uint8_t> MakePng(const PngLayout &layout);

// GIF bytes through giflib's writer.
struct GifFrameSpec {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int transparent = -1;               // index, -1 = no graphic control extension
    std::vector<uint32_t> local_palette;  // empty = use the global one
    std::vector<uint8_t> indices;       // width * height, rows top to bottom
};
[[nodiscard]] std::vector<uint8_t> MakeGif(int screen_width, int screen_height,
                                           const std::vector<uint32_t> &global_palette,
                                           const std::vector<GifFrameSpec> &frames);

}  // namespace nvtest
