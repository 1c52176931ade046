#include "tests/nviewlib/library_test.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/file_util.h"

namespace nvtest {

std::string LibraryTest::Put(const std::string &name, const std::vector<uint8_t> &bytes) const {
    const std::string path = dir.File(name);
    testsupport::WriteFile(path, bytes);
    return path;
}

std::optional<testsupport::Picture> LibraryTest::Decode(const std::string &path, int32_t flag) const {
    Bitmap bitmap = lib.Load(path, flag);
    if (!bitmap) return std::nullopt;
    return ToPicture(*bitmap);
}

::testing::AssertionResult SamePicture(const testsupport::Picture &expected, const testsupport::Picture &actual,
                                       int tolerance) {
    if (expected.width != actual.width || expected.height != actual.height)
        return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height << ", expected "
                                             << expected.width << "x" << expected.height;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const uint32_t e = expected.at(x, y), a = actual.at(x, y);
            for (int shift : {16, 8, 0}) {
                const int d = std::abs(static_cast<int>((e >> shift) & 0xFF) - static_cast<int>((a >> shift) & 0xFF));
                if (d > tolerance) {
                    char text[96];
                    std::snprintf(text, sizeof text, "pixel (%d,%d) is %06X, expected %06X", x, y,
                                  static_cast<unsigned>(a), static_cast<unsigned>(e));
                    return ::testing::AssertionFailure() << text << " (tolerance " << tolerance << ")";
                }
            }
            if ((a >> 24) != 0) return ::testing::AssertionFailure() << "top byte set at " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

}  // namespace nvtest
