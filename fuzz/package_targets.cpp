#include "package_targets.h"

#include <algorithm>

#include "tests/support/jpeg_codec.h"
#include "tests/support/picture.h"

namespace zelfuzz {

namespace {

// A 24-bit bottom-up BMP, written field by field.
std::vector<uint8_t> SmallBmp(const testsupport::Picture &pic) {
    const uint32_t row = (static_cast<uint32_t>(pic.width) * 3 + 3) & ~3u;
    const uint32_t size = 54 + row * static_cast<uint32_t>(pic.height);
    std::vector<uint8_t> bytes(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(pic.width));
    put32(22, static_cast<uint32_t>(pic.height));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, row * static_cast<uint32_t>(pic.height));
    for (int y = 0; y < pic.height; ++y) {
        uint8_t *out = bytes.data() + 54 + row * static_cast<uint32_t>(pic.height - 1 - y);
        for (int x = 0; x < pic.width; ++x) {
            const uint32_t p = pic.at(x, y);
            out[3 * x] = static_cast<uint8_t>(p);
            out[3 * x + 1] = static_cast<uint8_t>(p >> 8);
            out[3 * x + 2] = static_cast<uint8_t>(p >> 16);
        }
    }
    return bytes;
}

TargetFile Jpeg(const std::string &utf8, const std::string &cp932, int w, int h, uint32_t seed) {
    const testsupport::Picture pic = testsupport::MakePhotoLike(w, h, seed);
    return {utf8, cp932, w, h, testsupport::EncodeJpeg(pic, 90, testsupport::Subsampling::k420)};
}

}  // namespace

const std::vector<TargetFile> &TargetFiles() {
    static const std::vector<TargetFile> files = [] {
        std::vector<TargetFile> f;
        f.push_back(Jpeg("a.jpg", "a.jpg", 16, 16, 1));
        f.push_back(Jpeg("b.jpg", "b.jpg", 24, 16, 2));
        // 表 is 0x95 0x5C in code page 932.
        f.push_back(Jpeg("表.jpg", "\x95\x5c.jpg", 16, 8, 3));
        const testsupport::Picture user = testsupport::MakePhotoLike(8, 8, 4);
        f.push_back({"tmp.bmp", "tmp.bmp", 8, 8, SmallBmp(user)});
        return f;
    }();
    return files;
}

std::vector<uint8_t> JoinPackage(const std::string &controlList, const std::vector<uint8_t> &data) {
    const size_t n = std::min<size_t>(controlList.size(), 0xFFFF);
    std::vector<uint8_t> input{static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
    input.insert(input.end(), controlList.begin(), controlList.begin() + static_cast<std::ptrdiff_t>(n));
    input.insert(input.end(), data.begin(), data.end());
    return input;
}

void SplitPackage(const uint8_t *input, size_t size, std::string &controlList, std::vector<uint8_t> &data) {
    controlList.clear();
    data.clear();
    if (size < 2) return;
    const size_t rest = size - 2;
    const size_t n = std::min<size_t>(input[0] | (input[1] << 8), rest);
    controlList.assign(reinterpret_cast<const char *>(input + 2), n);
    data.assign(input + 2 + n, input + size);
}

}  // namespace zelfuzz
