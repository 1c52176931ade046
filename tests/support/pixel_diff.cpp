#include "tests/support/pixel_diff.h"

#include <cstdlib>

namespace testsupport {

namespace {

int ChannelDiff(uint32_t a, uint32_t b, int shift) {
    return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

}  // namespace

double MeanAbsDiff(const uint32_t *a, const uint32_t *b, size_t count) {
    if (count == 0) return 0.0;
    uint64_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += ChannelDiff(a[i], b[i], 16) + ChannelDiff(a[i], b[i], 8) + ChannelDiff(a[i], b[i], 0);
    return static_cast<double>(sum) / (3.0 * static_cast<double>(count));
}

int MaxAbsDiff(const uint32_t *a, const uint32_t *b, size_t count) {
    int worst = 0;
    for (size_t i = 0; i < count; ++i)
        for (int shift : {16, 8, 0}) {
            const int d = ChannelDiff(a[i], b[i], shift);
            if (d > worst) worst = d;
        }
    return worst;
}

double MeanAbsDiff(const Picture &a, const Picture &b) {
    return MeanAbsDiff(a.pixels.data(), b.pixels.data(), a.pixels.size());
}

int MaxAbsDiff(const Picture &a, const Picture &b) {
    return MaxAbsDiff(a.pixels.data(), b.pixels.data(), a.pixels.size());
}

}  // namespace testsupport
