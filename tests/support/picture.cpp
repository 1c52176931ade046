#include "tests/support/picture.h"

#include <algorithm>
#include <cmath>

namespace testsupport {

namespace {

// splitmix64: tiny, seedable and identical on every platform, unlike the
// standard distributions whose output is implementation-defined.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    uint64_t state_;
};

struct Blob {
    double cx, cy, radius;
    double rgb[3];
};

struct Shape {
    int x0, y0, x1, y1;
    double rgb[3];
};

int ClampByte(double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Picture MakePhotoLike(int width, int height, uint32_t seed) {
    Picture pic;
    pic.width = width;
    pic.height = height;
    pic.pixels.resize(static_cast<size_t>(width) * height);
    Random rnd(0x5EED0000ull ^ (static_cast<uint64_t>(seed) << 20) ^ seed);

    double corner[4][3];
    for (auto &c : corner)
        for (double &ch : c) ch = rnd.Range(30, 225);

    Blob blobs[5];
    const double extent = std::max(width, height);
    for (Blob &b : blobs) {
        b.cx = rnd.Range(0, width);
        b.cy = rnd.Range(0, height);
        b.radius = rnd.Range(0.1, 0.45) * extent + 1;
        for (double &ch : b.rgb) ch = rnd.Range(-90, 90);
    }
    Shape shapes[3];
    for (Shape &s : shapes) {
        s.x0 = static_cast<int>(rnd.Range(0, width));
        s.y0 = static_cast<int>(rnd.Range(0, height));
        s.x1 = s.x0 + static_cast<int>(rnd.Range(0.05, 0.3) * width) + 1;
        s.y1 = s.y0 + static_cast<int>(rnd.Range(0.05, 0.3) * height) + 1;
        for (double &ch : s.rgb) ch = rnd.Range(10, 245);
    }
    const double wave = rnd.Range(0.02, 0.08);

    Random grain(seed * 2654435761u + 1);
    for (int y = 0; y < height; ++y) {
        const double fy = height > 1 ? static_cast<double>(y) / (height - 1) : 0.0;
        for (int x = 0; x < width; ++x) {
            const double fx = width > 1 ? static_cast<double>(x) / (width - 1) : 0.0;
            double rgb[3];
            for (int c = 0; c < 3; ++c) {
                const double top = corner[0][c] * (1 - fx) + corner[1][c] * fx;
                const double bottom = corner[2][c] * (1 - fx) + corner[3][c] * fx;
                rgb[c] = top * (1 - fy) + bottom * fy;
            }
            for (const Blob &b : blobs) {
                const double dx = x - b.cx, dy = y - b.cy;
                const double fall = std::exp(-(dx * dx + dy * dy) / (b.radius * b.radius));
                for (int c = 0; c < 3; ++c) rgb[c] += b.rgb[c] * fall;
            }
            for (const Shape &s : shapes) {
                if (x >= s.x0 && x < s.x1 && y >= s.y0 && y < s.y1)
                    for (int c = 0; c < 3; ++c) rgb[c] = 0.3 * rgb[c] + 0.7 * s.rgb[c];
            }
            const double ripple = 8 * std::sin((x + 0.7 * y) * wave);
            const double noise = static_cast<double>(grain.Next() % 13) - 6;
            pic.pixels[static_cast<size_t>(y) * width + x] =
                Rgb(ClampByte(rgb[0] + ripple + noise), ClampByte(rgb[1] + ripple + noise * 0.8),
                    ClampByte(rgb[2] - ripple + noise * 0.6));
        }
    }
    return pic;
}

Picture MakeSolid(int width, int height, uint32_t rgb) {
    Picture pic;
    pic.width = width;
    pic.height = height;
    pic.pixels.assign(static_cast<size_t>(width) * height, rgb & 0x00FFFFFFu);
    return pic;
}

}  // namespace testsupport
