#include "package/scramble.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/bitmap.h"

namespace {

TEST(ScrambleKey, LowSevenBitsOfTheWidth) {
    const std::pair<int32_t, uint8_t> cases[] = {
        {1920, 0}, {200, 72}, {127, 127}, {128, 0}, {129, 1}, {800, 32}, {1, 1}, {0, 0}, {65535, 127},
    };
    for (auto [width, key] : cases) EXPECT_EQ(package::ScrambleKey(width), key) << width;
}

TEST(ScrambleBlob, XorsEveryByteAndUndoesItself) {
    std::vector<uint8_t> plain(256);
    std::iota(plain.begin(), plain.end(), 0);
    for (uint8_t key : {0, 1, 72, 127}) {
        std::vector<uint8_t> bytes = plain;
        package::ScrambleBlob(bytes.data(), bytes.size(), key);
        for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], plain[i] ^ key) << int{key} << " at " << i;
        package::ScrambleBlob(bytes.data(), bytes.size(), key);
        EXPECT_EQ(bytes, plain) << int{key};
    }
    package::ScrambleBlob(nullptr, 0, 72);  // nothing to touch
}

TEST(ScrambleBlob, OnePixelBmpBlobDescramblesToItsHeader) {
    platform::BitmapPtr pixel(platform::AllocBitmap(1, 1));
    ASSERT_NE(pixel, nullptr);
    pixel->pixels[0] = 0x00FF8000;
    std::vector<uint8_t> blob = platform::EncodeBmp24(*pixel);
    ASSERT_EQ(blob.size(), 58u);
    const uint8_t key = package::ScrambleKey(200);
    package::ScrambleBlob(blob.data(), blob.size(), key);
    EXPECT_NE(blob[0], 'B');

    package::ScrambleBlob(blob.data(), blob.size(), key);
    EXPECT_EQ(blob[0], 'B');
    EXPECT_EQ(blob[1], 'M');
    EXPECT_EQ(blob[2] | blob[3] << 8 | blob[4] << 16 | blob[5] << 24, 58);
}

}  // namespace
