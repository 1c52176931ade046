#include "platform/pen.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/bitmap.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr uint32_t kBackground = 0x00123456;
constexpr uint32_t kInk = 0x00FF0000;

// Draws one line on a fresh 8 x 6 bitmap and returns where the ink landed.
Pixels Draw(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    platform::BitmapPtr b(platform::AllocBitmap(8, 6));
    std::fill_n(b->pixels, 8 * 6, kBackground);
    platform::DrawLine(*b, x0, y0, x1, y1, kInk);
    Pixels inked;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t p = b->pixels[y * 8 + x];
            if (p == kInk) inked.insert({x, y});
            else if (p != kBackground) ADD_FAILURE() << "pixel " << x << "," << y << " is neither ink nor background";
        }
    return inked;
}

struct LineCase {
    const char *name;
    int32_t x0, y0, x1, y1;
    Pixels expected;
};

TEST(Pen, LinesStopBeforeTheirEndPointAndClip) {
    const LineCase cases[] = {
        {"right", 1, 2, 4, 2, {{1, 2}, {2, 2}, {3, 2}}},
        {"left", 4, 2, 1, 2, {{4, 2}, {3, 2}, {2, 2}}},
        {"down", 3, 0, 3, 3, {{3, 0}, {3, 1}, {3, 2}}},
        {"up", 3, 5, 3, 3, {{3, 5}, {3, 4}}},
        {"one step", 2, 2, 3, 2, {{2, 2}}},
        {"no length", 2, 2, 2, 2, {}},
        {"diagonal", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {"starts outside", -3, 1, 2, 1, {{0, 1}, {1, 1}}},
        {"runs off the right", 6, 4, 12, 4, {{6, 4}, {7, 4}}},
        {"runs off the bottom", 0, 4, 0, 40, {{0, 4}, {0, 5}}},
        {"wholly above", 0, -1, 7, -1, {}},
        {"wholly beyond", 100, 100, 130, 100, {}},
        {"across everything", -50, 3, 50, 3, {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}},
    };
    for (const LineCase &c : cases) EXPECT_EQ(Draw(c.x0, c.y0, c.x1, c.y1), c.expected) << c.name;
}

TEST(Pen, ColourRefToPixel) {
    EXPECT_EQ(platform::PixelFromColorRef(0x0000FF), 0x00FF0000u);  // red
    EXPECT_EQ(platform::PixelFromColorRef(0x00FF00), 0x0000FF00u);  // green
    EXPECT_EQ(platform::PixelFromColorRef(0xFF0000), 0x000000FFu);  // blue
    EXPECT_EQ(platform::PixelFromColorRef(0x563412), 0x00123456u);
}

}  // namespace
